// The fits known ahead of time: what the fitting measures, and taken only where they hold.
#include <gtest/gtest.h>

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <iomanip>
#include <sstream>
#include <string_view>

#include "tests/ui/WindowFixture.h"
#include "ui/FitTable.h"
#include "ui/GameFont.h"
#include "ui/TextFit.h"
#include "window/WindowLayout.h"

namespace mukiro::testing {
namespace {

class FitTableTest : public WindowTest {
  protected:
    void SetUp() override { open(); }
};

int stretchDrawn(const QWidget& widget) {
    const int stretch = widget.font().stretch();
    return stretch == QFont::AnyStretch ? 100 : stretch;
}

// Every text control of the window drawn as the fitting measures it in the installed face; when
// the table no longer holds, the failure prints the table this face needs.
TEST_F(FitTableTest, EveryControlIsDrawnAtTheStretchTheFittingMeasures) {
    std::ostringstream table;
    qreal probe = 0;
    for (const mukiro::window::ControlLayout& row : mukiro::window::ControlLayout::controls()) {
        auto* widget = window->findChild<QWidget*>(QString::fromLatin1(row.name));
        auto* label = qobject_cast<QLabel*>(widget);
        auto* box = qobject_cast<QLineEdit*>(widget);
        if (label == nullptr && box == nullptr) {
            continue;
        }
        SCOPED_TRACE(row.name);
        const int drawn = stretchDrawn(*widget);
        const QFont designed = ui::GameFont::ofPixelSize(row.fontPixels);
        widget->setFont(designed);
        const int measured = label != nullptr ? ui::TextFit::labelStretch(*label)
                                              : ui::TextFit::lineEditStretch(*box);
        EXPECT_EQ(drawn, measured);
        if (measured != 100) {
            table << "    {\"" << row.name << "\", " << measured << "},\n";
        }
        if (std::string_view(row.name) == ui::FitTable::kProbe.name) {
            probe = QFontMetricsF(designed).horizontalAdvance(QString::fromUtf8(row.text));
        }
    }
    EXPECT_TRUE(ui::FitTable::holds(&ui::GameFont::ofPixelSize, 1.0))
        << "the installed face (checksum 0x" << std::hex
        << ui::FitTable::faceChecksum(ui::GameFont::ofPixelSize(12)) << ") under Qt " << qVersion()
        << " draws the probe " << std::setprecision(17) << probe << " wide and needs these rows:\n"
        << table.str();
}

QFont fixedWidthGothic(int pixels) {
    QFont font = ui::GameFont::ofPixelSize(pixels);
    font.setFamilies({QStringLiteral("IPAGothic")});
    return font;
}

QFont fullyHinted(int pixels) {
    QFont font = ui::GameFont::ofPixelSize(pixels);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

struct Elsewhere {
    const char* what;
    QFont (*face)(int pixels);
    qreal devicePixelRatio;
};

// Where the faces measure differently from the table's, the window measures for itself.
TEST(FitTableHolds, NotWhereTheFacesDrawDifferently) {
    const Elsewhere cases[] = {
        {"a screen at 200 %", &ui::GameFont::ofPixelSize, 2.0},
        {"a screen at 125 %", &ui::GameFont::ofPixelSize, 1.25},
        {"another face", &fixedWidthGothic, 1.0},
        {"the face hinted fully", &fullyHinted, 1.0},
    };
    for (const Elsewhere& elsewhere : cases) {
        SCOPED_TRACE(elsewhere.what);
        EXPECT_FALSE(ui::FitTable::holds(elsewhere.face, elsewhere.devicePixelRatio));
    }
}

}  // namespace
}  // namespace mukiro::testing
