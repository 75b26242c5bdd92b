// Where each picture of the set lies among the program's built-in resources.
#pragma once

#include <QString>

#include "rules/Picture.h"

namespace mukiro::ui {

// ":/pictures/<name>.bmp", e.g. ":/pictures/level1.bmp".
QString pictureResourcePath(rules::Picture picture);

}  // namespace mukiro::ui
