// What the window tells a screen reader: the names of the status values and what it meets.
#include <QAccessible>
#include <QAccessibleInterface>
#include <QGroupBox>
#include <vector>

#include "tests/ui/WindowFixture.h"

namespace mukiro::testing {
namespace {

// The events a handler raises reach only a live accessibility bridge, which the offscreen
// platform lacks: tests/accessibility listens for them on a real bus.
class AccessibilityTest : public WindowTest {
  protected:
    static QStringList childNames(QAccessibleInterface* parent) {
        QStringList names;
        for (int i = 0; i < parent->childCount(); ++i) {
            QAccessibleInterface* child = parent->child(i);
            names.append(child->text(QAccessible::Name));
            // A reader finds its way back up as well as down.
            EXPECT_EQ(parent->indexOfChild(child), i) << names.back().toStdString();
        }
        return names;
    }
};

TEST_F(AccessibilityTest, TheStatusPanelReadsTopToBottomEachValueWithItsCaption) {
    rules::GameState late;
    late.mlevel = 3;
    late.hirou.set(40);
    late.hiroudoInk = rules::Ink::red;
    late.sibou = -20;
    late.kokoroiki = -10;
    open(late);
    QAccessibleInterface* panel =
        QAccessible::queryAccessibleInterface(control<QGroupBox>("Frame1"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->role(), QAccessible::Grouping);
    EXPECT_EQ(panel->text(QAccessible::Name), QStringLiteral("ステータス"));
    EXPECT_EQ(childNames(panel),
              (QStringList{"マッチョレベル 3", "疲労度 40", "筋力 0", "体脂肪率 -20%", "日焼け度 0",
                           "美肌度 0", "心意気 -10"}));
}

TEST_F(AccessibilityTest, TheHiddenPictureHoldersAreNotExposedAndTheBodyIsAnImage) {
    open();
    QAccessibleInterface* client = QAccessible::queryAccessibleInterface(window->centralWidget());
    ASSERT_NE(client, nullptr);
    std::vector<QString> images;
    for (int i = 0; i < client->childCount(); ++i) {
        QAccessibleInterface* child = client->child(i);
        ASSERT_NE(child, nullptr);
        EXPECT_TRUE(child->object()->isWidgetType());
        EXPECT_TRUE(static_cast<QWidget*>(child->object())->isVisibleTo(window.get()) ||
                    child->object()->objectName() == QStringLiteral("Text2"))
            << child->object()->objectName().toStdString();
        if (child->role() == QAccessible::Graphic) {
            images.push_back(child->text(QAccessible::Name) + QLatin1Char('/') +
                             child->text(QAccessible::Description));
            // The image's own description is what the picture shows, without the keys.
            QAccessibleImageInterface* image = child->imageInterface();
            ASSERT_NE(image, nullptr);
            EXPECT_EQ(image->imageDescription(), QStringLiteral("レベル1の体"));
        }
    }
    // The man, described as shown, and how to poke him without a mouse.
    EXPECT_EQ(images,
              std::vector<QString>{QStringLiteral(
                  "体/レベル1の体。矢印キーでねらいを動かし、スペースかEnterでつつきます")});
}

}  // namespace
}  // namespace mukiro::testing
