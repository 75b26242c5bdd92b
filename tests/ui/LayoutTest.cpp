// The window as it opens: every control where it was drawn, with its text, size and colours.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRawFont>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextLayout>
#include <set>

#include "tests/ui/WindowFixture.h"
#include "ui/ExplanationView.h"

namespace mukiro::testing {
namespace {

enum class Kind { label, box, button, frame, picture, viewer, holder };
enum class Ink { any, red, blue, black };
enum class Where { client, frame };

// The layout in pixels, worked out from the design's twips by hand (15 twips to the pixel).
struct Expected {
    const char* name;
    Kind kind;
    const char* text;
    int x, y, w, h;
    int fontPixels;
    Qt::Alignment align;
    Ink ink;
    bool readOnly;
    bool visible;
    Where where;
};

constexpr Qt::Alignment L = Qt::AlignLeft;
constexpr Qt::Alignment C = Qt::AlignHCenter;
constexpr Qt::Alignment R = Qt::AlignRight;
constexpr Where W = Where::client;
constexpr Where F = Where::frame;

// clang-format off
const Expected kLayout[] = {
    {"Label11", Kind::label, "ムキロタフ", 80, 0, 257, 49, 48, L, Ink::red, false, true, W},
    {"Label12", Kind::label, "ヴァージョン２．０", 344, 0, 153, 17, 19, L, Ink::blue, false, true, W},
    {"now", Kind::picture, "", 32, 56, 204, 204, 12, L, Ink::any, false, true, W},
    {"comment", Kind::box, "いい体にしてくれよ。", 240, 112, 225, 49, 12, L, Ink::any, true, true, W},
    {"Label25", Kind::label, "所持金", 256, 208, 97, 33, 32, L, Ink::any, false, true, W},
    {"money", Kind::box, "30000", 360, 208, 105, 42, 37, L, Ink::any, true, true, W},
    {"Label1", Kind::label, "プロテインを与える", 480, 40, 95, 12, 12, L, Ink::any, false, true, W},
    {"purotein", Kind::button, "プロテイン", 600, 48, 97, 33, 12, L, Ink::any, false, true, W},
    {"Label2", Kind::label, "残り", 488, 64, 21, 12, 12, L, Ink::any, false, true, W},
    {"pro", Kind::box, "20", 520, 60, 33, 18, 12, L, Ink::any, true, true, W},
    {"Label3", Kind::label, "個", 560, 64, 12, 12, 12, L, Ink::any, false, true, W},
    {"Label4", Kind::label, "トレーニングをする", 480, 96, 94, 12, 12, L, Ink::any, false, true, W},
    {"toreining", Kind::button, "トレーニング", 600, 96, 97, 33, 12, L, Ink::any, false, true, W},
    {"Label5", Kind::label, "禁じ手マッチョクリーム", 472, 136, 115, 12, 12, L, Ink::any, false, true, W},
    {"kuream", Kind::button, "マッチョクリーム", 600, 144, 97, 33, 12, L, Ink::any, false, true, W},
    {"Label6", Kind::label, "残り", 488, 160, 21, 12, 12, L, Ink::any, false, true, W},
    {"cre", Kind::box, "3", 520, 156, 33, 18, 12, L, Ink::any, true, true, W},
    {"Label7", Kind::label, "個", 560, 160, 12, 12, 12, L, Ink::any, false, true, W},
    {"Label8", Kind::label, "お食事します", 480, 192, 67, 12, 12, L, Ink::any, false, true, W},
    {"eat", Kind::button, "お食事", 600, 192, 97, 33, 12, L, Ink::any, false, true, W},
    {"Label19", Kind::label, "日焼けします", 480, 240, 67, 12, 12, L, Ink::any, false, true, W},
    {"saron", Kind::button, "サロン", 600, 240, 97, 33, 12, L, Ink::any, false, true, W},
    {"Label20", Kind::label, "美肌度をあげます", 480, 288, 92, 12, 12, L, Ink::any, false, true, W},
    {"esute", Kind::button, "エステ", 600, 288, 97, 33, 12, L, Ink::any, false, true, W},
    {"Label21", Kind::label, "心意気をあげます", 480, 336, 92, 12, 12, L, Ink::any, false, true, W},
    {"pojingu", Kind::button, "ポージング", 600, 336, 97, 33, 12, L, Ink::any, false, true, W},
    {"Label28", Kind::label, "バイトしてお金を貯めるの", 480, 384, 105, 29, 13, L, Ink::any, false, true, W},
    {"baito", Kind::button, "バイト", 600, 384, 97, 33, 15, L, Ink::any, false, true, W},
    {"Frame1", Kind::frame, "ステータス", 16, 272, 249, 249, 12, L, Ink::any, false, true, W},
    {"Label9", Kind::label, "マッチョレベル", 16, 24, 145, 25, 24, L, Ink::any, false, true, F},
    {"mlevel", Kind::label, "1", 192, 16, 33, 33, 35, L, Ink::any, false, true, F},
    {"Label13", Kind::label, "疲労度", 16, 56, 89, 25, 27, L, Ink::any, false, true, F},
    {"hiroudo", Kind::label, "0", 160, 48, 81, 33, 37, C, Ink::any, false, true, F},
    {"Label14", Kind::label, "筋力", 16, 88, 65, 25, 27, L, Ink::any, false, true, F},
    {"kinryoku", Kind::label, "0", 160, 80, 81, 33, 37, C, Ink::any, false, true, F},
    {"Label10", Kind::label, "体脂肪率", 16, 120, 113, 25, 27, L, Ink::any, false, true, F},
    {"sibou", Kind::label, "0", 136, 112, 57, 33, 37, C, Ink::black, false, true, F},
    {"Label15", Kind::label, "%", 208, 112, 33, 33, 37, C, Ink::any, false, true, F},
    {"Label24", Kind::label, "日焼け度", 16, 152, 113, 25, 27, L, Ink::any, false, true, F},
    {"hiyake", Kind::label, "0", 160, 144, 81, 33, 37, C, Ink::any, false, true, F},
    {"Label26", Kind::label, "美肌度", 16, 184, 81, 25, 27, L, Ink::any, false, true, F},
    {"bihada", Kind::label, "0", 160, 176, 81, 33, 37, C, Ink::any, false, true, F},
    {"Label27", Kind::label, "心意気", 16, 216, 89, 25, 27, L, Ink::any, false, true, F},
    {"kokoroiki", Kind::label, "0", 160, 208, 81, 33, 37, C, Ink::any, false, true, F},
    {"Label18", Kind::label, "クリアした人", 288, 488, 139, 27, 27, L, Ink::any, false, true, W},
    {"clear", Kind::box, "0", 440, 480, 57, 40, 37, R, Ink::any, true, true, W},
    {"Command5", Kind::button, "オーディション", 592, 432, 105, 33, 12, L, Ink::any, false, true, W},
    {"Command1", Kind::button, "スタ－ト＆リセット", 552, 480, 145, 41, 12, L, Ink::any, false, true, W},
    {"Label17", Kind::label, "犠牲", 504, 560, 81, 41, 37, R, Ink::any, false, true, W},
    {"Text1", Kind::box, "0", 592, 568, 41, 33, 27, C, Ink::any, false, true, W},
    {"Label16", Kind::label, "人目", 640, 576, 57, 25, 27, L, Ink::any, false, true, W},
    {"Text2", Kind::viewer, "", 0, 0, 705, 524, 16, L, Ink::any, true, false, W},
    {"level1", Kind::holder, "", 104, 552, 57, 49, 12, L, Ink::any, false, false, W},
    {"level2", Kind::holder, "", 160, 552, 57, 49, 12, L, Ink::any, false, false, W},
    {"level3", Kind::holder, "", 216, 552, 57, 49, 12, L, Ink::any, false, false, W},
    {"level4", Kind::holder, "", 272, 552, 57, 49, 12, L, Ink::any, false, false, W},
    {"level5", Kind::holder, "", 328, 552, 57, 49, 12, L, Ink::any, false, false, W},
    {"tyuesu", Kind::holder, "", 272, 432, 33, 33, 19, L, Ink::any, false, false, W},
    {"fuesu", Kind::holder, "", 312, 432, 33, 33, 19, L, Ink::any, false, false, W},
    {"futuesu", Kind::holder, "", 352, 432, 33, 33, 19, L, Ink::any, false, false, W},
    {"yayaesu", Kind::holder, "", 392, 432, 33, 33, 19, L, Ink::any, false, false, W},
    {"kenesu", Kind::holder, "", 432, 432, 33, 33, 19, L, Ink::any, false, false, W},
    {"nanaesu", Kind::holder, "", 472, 432, 33, 33, 19, L, Ink::any, false, false, W},
    {"goukaku", Kind::holder, "", 272, 392, 33, 33, 19, L, Ink::any, false, false, W},
    {"hugoukaku", Kind::holder, "", 312, 392, 33, 33, 19, L, Ink::any, false, false, W},
    {"death", Kind::holder, "", 440, 552, 57, 49, 12, L, Ink::any, false, false, W},
    {"tyotti", Kind::holder, "", 384, 552, 57, 49, 12, L, Ink::any, false, false, W},
    {"hifugan", Kind::holder, "", 56, 552, 49, 49, 19, L, Ink::any, false, false, W},
};
// clang-format on

// The controls the Tab key visits, in order; hidden ones are skipped.
const char* const kTabOrder[] = {
    "now",      "purotein", "toreining", "kuream", "eat", "saron", "esute", "pojingu", "baito",
    "Command5", "Command1", "comment",   "pro",    "cre", "Text1", "clear", "money",
};

QString textOf(QWidget* widget, Kind kind) {
    switch (kind) {
        case Kind::label:
            return qobject_cast<QLabel*>(widget)->text();
        case Kind::box:
            return qobject_cast<QLineEdit*>(widget)->text();
        case Kind::button:
            return qobject_cast<QPushButton*>(widget)->text();
        case Kind::frame:
            return qobject_cast<QGroupBox*>(widget)->title();
        case Kind::viewer:
            return qobject_cast<QPlainTextEdit*>(widget)->toPlainText();
        case Kind::picture:
        case Kind::holder:
            break;
    }
    return {};
}

Qt::Alignment horizontalAlignment(QWidget* widget, Kind kind) {
    if (kind == Kind::label) {
        return qobject_cast<QLabel*>(widget)->alignment() & Qt::AlignHorizontal_Mask;
    }
    if (kind == Kind::box) {
        return qobject_cast<QLineEdit*>(widget)->alignment() & Qt::AlignHorizontal_Mask;
    }
    return Qt::AlignLeft;
}

class LayoutTest : public WindowTest {
  protected:
    void SetUp() override { open(); }
};

TEST_F(LayoutTest, EveryControlStandsWhereItWasDrawn) {
    auto* frame = control<QGroupBox>("Frame1");
    auto* client = window->centralWidget();
    for (const Expected& row : kLayout) {
        SCOPED_TRACE(row.name);
        auto* widget = client->findChild<QWidget*>(QString::fromLatin1(row.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget(), row.where == Where::frame ? frame : client);
        EXPECT_EQ(widget->geometry(), QRect(row.x, row.y, row.w, row.h));
        EXPECT_EQ(widget->font().pixelSize(), row.fontPixels);
        EXPECT_EQ(widget->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
        EXPECT_EQ(widget->font().weight(), QFont::Normal);
        EXPECT_EQ(widget->isVisibleTo(window.get()), row.visible);
        EXPECT_EQ(textOf(widget, row.kind), QString::fromUtf8(row.text));
        EXPECT_EQ(horizontalAlignment(widget, row.kind), row.align);

        const QColor ink = widget->palette().color(QPalette::WindowText);
        switch (row.ink) {
            case Ink::red:
                EXPECT_EQ(ink, QColor(255, 0, 0));
                break;
            case Ink::blue:
                EXPECT_EQ(ink, QColor(0, 0, 255));
                break;
            case Ink::black:
                EXPECT_EQ(ink, QColor(0, 0, 0));
                break;
            case Ink::any:
                // The window's own light colours, whatever the desktop's are.
                EXPECT_EQ(ink, window->palette().color(QPalette::WindowText));
                break;
        }

        switch (row.kind) {
            case Kind::label:
                EXPECT_TRUE(qobject_cast<QLabel*>(widget)->wordWrap());
                EXPECT_EQ(widget->metaObject(), &QLabel::staticMetaObject);
                break;
            case Kind::box:
                EXPECT_EQ(qobject_cast<QLineEdit*>(widget)->isReadOnly(), row.readOnly);
                break;
            case Kind::viewer:
                EXPECT_TRUE(qobject_cast<QPlainTextEdit*>(widget)->isReadOnly());
                break;
            case Kind::button:
                EXPECT_NE(qobject_cast<QPushButton*>(widget), nullptr);
                break;
            case Kind::holder:
                EXPECT_FALSE(qobject_cast<QLabel*>(widget)->pixmap().isNull());
                break;
            case Kind::frame:
            case Kind::picture:
                break;
        }
    }
}

TEST_F(LayoutTest, TheWindowHasItsCaptionMenuAndClientArea) {
    EXPECT_EQ(window->objectName(), QStringLiteral("Form1"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("ムキロ・タフ ver2.0"));
    EXPECT_EQ(window->centralWidget()->size(), QSize(705, 524));

    const QList<QAction*> commands = window->menuBar()->actions();
    ASSERT_EQ(commands.size(), 1);
    EXPECT_EQ(commands[0]->objectName(), QStringLiteral("Setumei"));
    EXPECT_EQ(commands[0]->text(), QStringLiteral("説明"));
    EXPECT_EQ(commands[0]->menu(), nullptr);
    EXPECT_TRUE(commands[0]->isEnabled());
    EXPECT_TRUE(commands[0]->isVisible());

    // The window can grow to bring the sacrifice counter into view; nothing moves.
    window->resize(window->width(), window->height() + 120);
    QApplication::processEvents();
    EXPECT_EQ(control<QLineEdit>("Text1")->geometry(), QRect(592, 568, 41, 33));
    EXPECT_TRUE(window->centralWidget()->rect().contains(control<QLineEdit>("Text1")->geometry()));
}

TEST_F(LayoutTest, TheTabKeyVisitsTheControlsInTheirOrder) {
    std::set<QString> ours;
    for (const Expected& row : kLayout) {
        ours.insert(QString::fromLatin1(row.name));
    }
    QWidget* first = control<QWidget>(kTabOrder[0]);
    std::vector<QString> visited;
    QWidget* widget = first;
    do {
        if (ours.count(widget->objectName()) != 0 && (widget->focusPolicy() & Qt::TabFocus) &&
            widget->isVisibleTo(window.get())) {
            visited.push_back(widget->objectName());
        }
        widget = widget->nextInFocusChain();
    } while (widget != first && visited.size() < 100);

    std::vector<QString> expected;
    for (const char* name : kTabOrder) {
        expected.push_back(QString::fromLatin1(name));
    }
    EXPECT_EQ(visited, expected);
}

TEST_F(LayoutTest, LabelsLieBeneathOtherControlsAndTheViewerAboveAll) {
    const QObjectList& children = window->centralWidget()->children();
    qsizetype lastLabel = -1;
    qsizetype firstOther = children.size();
    for (qsizetype i = 0; i < children.size(); ++i) {
        if (qobject_cast<QLabel*>(children[i]) != nullptr) {
            lastLabel = i;
        } else if (qobject_cast<QWidget*>(children[i]) != nullptr) {
            firstOther = std::min(firstOther, i);
        }
    }
    // Children paint in list order: every label first, the viewer last.
    EXPECT_LT(lastLabel, firstOther);
    EXPECT_EQ(children.back()->objectName(), QStringLiteral("Text2"));
}

TEST_F(LayoutTest, EveryTextHasGlyphsInTheGameFont) {
    // A missing glyph would be drawn as a box: each character must be in the face we resolve to.
    for (const Expected& row : kLayout) {
        SCOPED_TRACE(row.name);
        const QString text = QString::fromUtf8(row.text);
        if (text.isEmpty()) {
            continue;
        }
        auto* widget = window->centralWidget()->findChild<QWidget*>(QString::fromLatin1(row.name));
        const QRawFont raw = QRawFont::fromFont(widget->font());
        ASSERT_TRUE(raw.isValid());
        const QString face = QFontInfo(widget->font()).family();
        EXPECT_TRUE(face.startsWith(QStringLiteral("IPAPGothic"), Qt::CaseInsensitive) ||
                    face.startsWith(QStringLiteral("Noto Sans CJK JP"), Qt::CaseInsensitive))
            << face.toStdString();
        for (QChar character : text) {
            EXPECT_TRUE(raw.supportsCharacter(character)) << QString(character).toStdString();
        }
    }
}

TEST_F(LayoutTest, NoStartTextIsCutOff) {
    // Our stand-in face is wider than the one the window was drawn for; texts must still fit.
    for (QLabel* label : window->centralWidget()->findChildren<QLabel*>()) {
        if (label->text().isEmpty()) {
            continue;
        }
        SCOPED_TRACE(label->objectName().toStdString());
        const QFontMetricsF metrics(label->font());
        const QRectF needed = metrics.boundingRect(
            QRectF(0, 0, label->width(), 1000),
            static_cast<int>(Qt::TextWordWrap | label->alignment().toInt()), label->text());
        EXPECT_LE(needed.height(), std::max<qreal>(label->height(), metrics.lineSpacing()));
    }
    for (QLineEdit* box : window->centralWidget()->findChildren<QLineEdit*>()) {
        SCOPED_TRACE(box->objectName().toStdString());
        // The text area is what the style leaves inside the frame, less 2 pixels each side.
        QStyleOptionFrame option;
        option.initFrom(box);
        option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
        const QRect contents =
            box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
        EXPECT_LE(QFontMetricsF(box->font()).horizontalAdvance(box->text()), contents.width() - 4);
    }
}

TEST_F(LayoutTest, TheBodyPictureIsDescribedForScreenReaders) {
    EXPECT_EQ(now()->accessibleDescription(),
              QStringLiteral("レベル1の体。矢印キーでねらいを動かし、スペースかEnterでつつきます"));
}

}  // namespace
}  // namespace mukiro::testing
