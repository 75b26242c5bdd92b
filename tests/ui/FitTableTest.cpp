// The fits known ahead of time: what the fitting measures, and taken only where they hold.
#include <gtest/gtest.h>

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <iomanip>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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

// Empty where the table was measured: the same Qt and the same font file. Elsewhere the table
// does not apply, and the reason.
std::string whyTheTableDoesNotApplyHere() {
    std::ostringstream why;
    const quint32 installed = ui::FitTable::faceChecksum(ui::GameFont::ofPixelSize(12));
    if (std::string_view(qVersion()) != ui::FitTable::kQtVersion) {
        why << "the table was measured under Qt " << ui::FitTable::kQtVersion << "; this is Qt "
            << qVersion();
    } else if (installed != ui::FitTable::kFaceChecksum) {
        why << "the table was measured in the face with checksum 0x" << std::hex
            << ui::FitTable::kFaceChecksum << " (fonts-ipafont-gothic 003.03); the installed "
            << "one has 0x" << installed;
    }
    return why.str();
}

// What the fitting measures for every text control, in the designed face, and the rows of a
// table that would give the same: printed when the table no longer holds.
struct Measured {
    std::vector<std::pair<std::string, int>> stretches;  // every text control
    std::string tableRows;                               // those not drawn as designed
    qreal probeWidth = 0;
};

Measured measureEveryControl(ui::Form1& window) {
    Measured measured;
    std::ostringstream table;
    for (const mukiro::window::ControlLayout& row : mukiro::window::ControlLayout::controls()) {
        auto* widget = window.findChild<QWidget*>(QString::fromLatin1(row.name));
        auto* label = qobject_cast<QLabel*>(widget);
        auto* box = qobject_cast<QLineEdit*>(widget);
        if (label == nullptr && box == nullptr) {
            continue;
        }
        const QFont drawnFont = widget->font();
        const QFont designed = ui::GameFont::ofPixelSize(row.fontPixels);
        widget->setFont(designed);
        const int stretch = label != nullptr ? ui::TextFit::labelStretch(*label)
                                             : ui::TextFit::lineEditStretch(*box);
        widget->setFont(drawnFont);
        measured.stretches.emplace_back(row.name, stretch);
        if (stretch != 100) {
            table << "    {\"" << row.name << "\", " << stretch << "},\n";
        }
        if (std::string_view(row.name) == ui::FitTable::kProbe.name) {
            measured.probeWidth =
                QFontMetricsF(designed).horizontalAdvance(QString::fromUtf8(row.text));
        }
    }
    measured.tableRows = table.str();
    return measured;
}

// Wherever the game runs, from the table or measured on the spot, every control is drawn at the
// stretch the fitting gives it.
TEST_F(FitTableTest, EveryControlIsDrawnAtTheStretchTheFittingMeasures) {
    for (const auto& [name, stretch] : measureEveryControl(*window).stretches) {
        SCOPED_TRACE(name);
        EXPECT_EQ(stretchDrawn(*window->findChild<QWidget*>(QString::fromStdString(name))),
                  stretch);
    }
}

// The table is the fitting's answer for one Qt and one font file. Under another Qt or face the
// window measures for itself (the test above still checks it), and the table cannot be judged.
TEST_F(FitTableTest, TheTableGivesWhatTheFittingMeasuresInTheFaceItWasMadeFor) {
    if (const std::string why = whyTheTableDoesNotApplyHere(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    const Measured measured = measureEveryControl(*window);
    EXPECT_TRUE(ui::FitTable::holds(&ui::GameFont::ofPixelSize, 1.0))
        << "the probe is drawn " << std::setprecision(17) << measured.probeWidth
        << " wide; the table needs these rows:\n"
        << measured.tableRows;
    for (const auto& [name, stretch] : measured.stretches) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ui::FitTable::stretchOf(name), stretch) << "the table needs these rows:\n"
                                                          << measured.tableRows;
    }
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
    // Under another Qt or face the table holds nowhere, so these cases could not fail.
    if (const std::string why = whyTheTableDoesNotApplyHere(); !why.empty()) {
        GTEST_SKIP() << why;
    }
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
