// Where each picture of the set lies among the program's built-in resources.
#include "assets/pictures/PictureResource.h"

namespace mukiro::ui {

QString pictureResourcePath(rules::Picture picture) {
    const std::string_view name = rules::pictureName(picture);
    return QStringLiteral(":/pictures/") +
           QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())) +
           QStringLiteral(".bmp");
}

}  // namespace mukiro::ui
