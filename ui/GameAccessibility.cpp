// Tells the toolkit's accessibility layer how to present the game's own widgets.
#include "ui/GameAccessibility.h"

#include <QAccessible>
#include <QGroupBox>

#include "ui/BodyPictureAccessible.h"
#include "ui/BodyPictureBox.h"
#include "ui/ReadingOrderAccessible.h"

namespace mukiro::ui {

namespace {

// Asked for every object of every class, most derived class first; null leaves it to the
// toolkit's own interfaces.
QAccessibleInterface* gameInterface(const QString&, QObject* object) {
    if (auto* box = qobject_cast<BodyPictureBox*>(object)) {
        return new BodyPictureAccessible(box);
    }
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget != nullptr && !ReadingOrderAccessible::readingOrder(*widget).isEmpty()) {
        const QAccessible::Role role = qobject_cast<QGroupBox*>(widget) != nullptr
                                           ? QAccessible::Grouping
                                           : QAccessible::Client;
        return new ReadingOrderAccessible(widget, role);
    }
    return nullptr;
}

}  // namespace

void GameAccessibility::install() {
    static const bool installed = [] {
        QAccessible::installFactory(&gameInterface);
        return true;
    }();
    (void)installed;
}

}  // namespace mukiro::ui
