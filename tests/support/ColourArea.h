// Finds where on a screenshot a colour lies, for tests that look for the man on a real screen.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <optional>

namespace mukiro::testing {

// The smallest rectangle holding every pixel of `colour` (alpha ignored), or nothing when no
// pixel has it. The pictures' background colour is used nowhere else in the window or on the
// test desktops, so on a screenshot this is the picture area.
std::optional<QRect> areaOfColour(const QImage& screen, QColor colour);

}  // namespace mukiro::testing
