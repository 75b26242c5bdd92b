// What a screen reader finds inside a container of the game window, in the order it reads it.
#include "ui/ReadingOrderAccessible.h"

#include <QGroupBox>
#include <QVariant>

namespace mukiro::ui {

namespace {

constexpr const char* kProperty = "mukiroReadingOrder";

}  // namespace

void ReadingOrderAccessible::setReadingOrder(QWidget& container, const QStringList& childNames) {
    container.setProperty(kProperty, childNames);
    // A widget may have been asked for its interface already (a frame is, when its caption is
    // set); that one knows no reading order, so it makes way for a new one.
    QAccessibleInterface* existing = QAccessible::queryAccessibleInterface(&container);
    if (existing != nullptr && dynamic_cast<ReadingOrderAccessible*>(existing) == nullptr) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(existing));
    }
}

QStringList ReadingOrderAccessible::readingOrder(const QObject& container) {
    return container.property(kProperty).toStringList();
}

ReadingOrderAccessible::ReadingOrderAccessible(QWidget* container, QAccessible::Role role)
    : QAccessibleWidget(container, role) {}

int ReadingOrderAccessible::childCount() const {
    return static_cast<int>(children().size());
}

QAccessibleInterface* ReadingOrderAccessible::child(int index) const {
    const QList<QWidget*> list = children();
    if (index < 0 || index >= list.size()) {
        return nullptr;
    }
    return QAccessible::queryAccessibleInterface(list[index]);
}

int ReadingOrderAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (child == nullptr) {
        return -1;
    }
    return static_cast<int>(children().indexOf(qobject_cast<QWidget*>(child->object())));
}

QString ReadingOrderAccessible::text(QAccessible::Text kind) const {
    // A frame is known by its caption, as it is on screen.
    if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) {
        if (const auto* frame = qobject_cast<const QGroupBox*>(widget())) {
            return frame->title();
        }
    }
    return QAccessibleWidget::text(kind);
}

QList<QWidget*> ReadingOrderAccessible::children() const {
    QList<QWidget*> list;
    for (const QString& name : readingOrder(*widget())) {
        if (auto* child = widget()->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly)) {
            list.append(child);
        }
    }
    return list;
}

}  // namespace mukiro::ui
