#pragma once

#include <QAccessibleWidget>

// What a screen reader meets in a read-only, multi-line text of the program: the widget
// with its role, the read-only and multi-line states and the text interface. Subclasses
// give the text, the selection and the caret.
class ReadOnlyTextAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    ReadOnlyTextAccessible(QWidget *widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    void *interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    using QAccessibleWidget::text;
    // The text has no attributes a reader is told of: one run over the whole text.
    QString attributes(int offset, int *startOffset, int *endOffset) const override;
};
