// What a screen reader finds inside a container of the game window, in the order it reads it.
#pragma once

#include <QAccessibleWidget>
#include <QStringList>

namespace mukiro::ui {

// A screen reader walks a container's children in the order the toolkit keeps them, which is
// the stacking order; the window lowers its labels beneath the other controls, so that order
// reads backwards. A container given a reading order exposes exactly the children named in
// it, in that order: the stacking stays as drawn, and children left out (the hidden picture
// holders) are never met at all.
class ReadingOrderAccessible : public QAccessibleWidget {
  public:
    // Names, by objectName, the direct children of `container` a reader meets, in order.
    static void setReadingOrder(QWidget& container, const QStringList& childNames);
    // The container's reading order, or empty when it has none.
    static QStringList readingOrder(const QObject& container);

    ReadingOrderAccessible(QWidget* container, QAccessible::Role role);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text kind) const override;

  private:
    QList<QWidget*> children() const;
};

}  // namespace mukiro::ui
