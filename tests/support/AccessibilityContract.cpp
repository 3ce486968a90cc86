#include "AccessibilityContract.h"

#include "controls/PictureCheckBox.h"

#include <QAccessible>
#include <QWidget>

namespace {

bool isControl(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::EditableText:
    case QAccessible::Slider:
    case QAccessible::List:
    case QAccessible::Tree:
    case QAccessible::Table:
    case QAccessible::ComboBox:
    case QAccessible::ProgressBar:
    case QAccessible::Document:
    case QAccessible::Link:
        return true;
    default:
        return false;
    }
}

bool holdsMnemonic(const QString &name)
{
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name[i] != u'&')
            continue;
        if (i + 1 < name.size() && name[i + 1] == u'&') {
            ++i;
            continue;
        }
        if (i + 1 < name.size() && name[i + 1].isLetterOrNumber())
            return true;
    }
    return false;
}

void walk(QAccessibleInterface *node, QStringList &problems, int depth)
{
    if (!node || depth > 40)
        return;
    const QAccessible::Role role = node->role();
    const QString name = node->text(QAccessible::Name);
    QObject *object = node->object();
    const QString where = (object && !object->objectName().isEmpty() ? object->objectName() : QString::number(role)) +
                          QStringLiteral(" \"") + name + u'"';
    auto *widget = qobject_cast<QWidget *>(object);
    const bool hidden = widget && !widget->isVisible();
    if (widget && node->state().invisible != hidden)
        problems << where + QStringLiteral(": reported ") + (hidden ? "showing" : "hidden") + " but is the other";
    if (!hidden && isControl(role)) {
        if (name.trimmed().isEmpty())
            problems << where + QStringLiteral(": no name");
        if (holdsMnemonic(name))
            problems << where + QStringLiteral(": the name holds '&'");
    }
    if (auto *box = qobject_cast<PictureCheckBox *>(object)) {
        const bool drawnDisabled = !box->ownEnabled() || !box->isEnabled();
        if (node->state().disabled != drawnDisabled)
            problems << where + QStringLiteral(": drawn ") + (drawnDisabled ? "disabled" : "enabled") + " but reported otherwise";
    }
    if (!hidden && (role == QAccessible::EditableText || role == QAccessible::Document) && !node->textInterface())
        problems << where + QStringLiteral(": text without a text interface");
    for (int i = 0; i < node->childCount(); ++i)
        walk(node->child(i), problems, depth + 1);
}

} // namespace

QStringList accessibilityProblems(QWidget *window)
{
    QStringList problems;
    walk(QAccessible::queryAccessibleInterface(window), problems, 0);
    return problems;
}
