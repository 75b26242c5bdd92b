// The stretches the condensed controls take in the face Debian installs with the game.
#include "ui/FitTable.h"

#include <QByteArray>
#include <QFontMetricsF>
#include <QRawFont>
#include <QString>
#include <QtEndian>
#include <algorithm>
#include <array>

#include "ui/ControlLayout.h"

namespace mukiro::ui {

namespace {

// Measured by the fitting itself; the test that checks them prints a new row when one differs.
constexpr std::array kRows = std::to_array<FitTable::Row>({
    {"money", 85, 116.484375},
    {"Label2", 98, 21.34375},
    {"Label6", 98, 21.34375},
    {"Label18", 99, 139.03125},
});

const ControlLayout* controlNamed(std::string_view name) {
    const auto controls = ControlLayout::controls();
    const auto found = std::find_if(controls.begin(), controls.end(),
                                    [&](const ControlLayout& row) { return row.name == name; });
    return found == controls.end() ? nullptr : &*found;
}

}  // namespace

std::span<const FitTable::Row> FitTable::rows() {
    return kRows;
}

bool FitTable::holds(QFont (*face)(int pixels), qreal devicePixelRatio) {
    if (devicePixelRatio != 1.0) {
        return false;
    }
    bool sameFile = false;
    for (const Row& row : kRows) {
        const ControlLayout* control = controlNamed(row.name);
        if (control == nullptr) {
            return false;
        }
        const QFont font = face(control->fontPixels);
        if (!sameFile) {
            if (faceChecksum(font) != kFaceChecksum) {
                return false;
            }
            sameFile = true;
        }
        if (QFontMetricsF(font).horizontalAdvance(QString::fromUtf8(control->text)) !=
            row.designedWidth) {
            return false;
        }
    }
    return true;
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
