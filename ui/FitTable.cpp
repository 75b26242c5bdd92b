// The stretches the condensed controls take in the face Debian installs with the game.
#include "ui/FitTable.h"

#include <QByteArray>
#include <QFontMetricsF>
#include <QRawFont>
#include <QString>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstring>

#include "window/WindowLayout.h"

namespace mukiro::ui {

namespace {

using window::ControlLayout;

// Measured by the fitting itself; the test that checks them prints a new table when one differs.
constexpr std::array kRows = std::to_array<FitTable::Row>({
    {"money", 85},
    {"Label2", 98},
    {"Label6", 98},
    {"Label18", 99},
});

const ControlLayout* controlNamed(std::string_view name) {
    const auto controls = ControlLayout::controls();
    const auto found = std::find_if(controls.begin(), controls.end(),
                                    [&](const ControlLayout& row) { return row.name == name; });
    return found == controls.end() ? nullptr : &*found;
}

}  // namespace

const FitTable::Probe FitTable::kProbe = {"Label1", 94.625};

bool FitTable::holds(QFont (*face)(int pixels), qreal devicePixelRatio) {
    const ControlLayout* probe = controlNamed(kProbe.name);
    if (devicePixelRatio != 1.0 || std::strcmp(qVersion(), kQtVersion) != 0 || probe == nullptr) {
        return false;
    }
    const QFont font = face(probe->fontPixels);
    return faceChecksum(font) == kFaceChecksum &&
           QFontMetricsF(font).horizontalAdvance(QString::fromUtf8(probe->text)) ==
               kProbe.designedWidth;
}

int FitTable::stretchOf(std::string_view name) {
    const auto found =
        std::find_if(kRows.begin(), kRows.end(), [&](const Row& row) { return row.name == name; });
    return found == kRows.end() ? 100 : found->stretch;
}

quint32 FitTable::faceChecksum(const QFont& font) {
    // The head table's checkSumAdjustment makes the whole file sum to a constant, so it names
    // the file's contents, whatever its path or version string.
    constexpr qsizetype kAdjustmentAt = 8;
    const QByteArray head = QRawFont::fromFont(font).fontTable("head");
    if (head.size() < kAdjustmentAt + 4) {
        return 0;
    }
    return qFromBigEndian<quint32>(head.constData() + kAdjustmentAt);
}

}  // namespace mukiro::ui
