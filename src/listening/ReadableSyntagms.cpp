#include "ReadableSyntagms.h"

#include "controls/ReadOnlyTextAccessible.h"

#include <QAccessible>
#include <QWidget>

#include <mutex>
#include <tuple>

namespace {

class ReadableSyntagmsAccessible : public ReadOnlyTextAccessible {
public:
    ReadableSyntagmsAccessible(QWidget *widget, const ReadableSyntagms &text)
        : ReadOnlyTextAccessible(widget, QAccessible::EditableText), text_(text)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return text_.reading().text();
        return ReadOnlyTextAccessible::text(t);
    }

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (selectionIndex != 0 || text_.currentItem() < 0)
            return;
        std::tie(*startOffset, *endOffset) = text_.reading().span(text_.currentItem());
    }
    int selectionCount() const override { return text_.currentItem() < 0 ? 0 : 1; }
    // The selection and the caret follow the sound, not the reader.
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return text_.reading().span(text_.currentItem()).first; }
    void setCursorPosition(int) override {}

    QString text(int startOffset, int endOffset) const override
    {
        const QString whole = text_.reading().text();
        return whole.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(text_.reading().text().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}

private:
    const ReadableSyntagms &text_;
};

QAccessibleInterface *createReadableSyntagmsAccessible(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (const auto *text = dynamic_cast<const ReadableSyntagms *>(widget))
        return new ReadableSyntagmsAccessible(widget, *text);
    return nullptr;
}

} // namespace

void installReadableSyntagmsAccessibility()
{
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(createReadableSyntagmsAccessible); });
}

void announceCurrentSyntagm(QWidget *widget, const ReadableSyntagms &text)
{
    if (!QAccessible::isActive())
        return;
    const std::pair<int, int> span = text.reading().span(text.currentItem());
    QAccessibleTextSelectionEvent selection(widget, span.first, span.second);
    QAccessible::updateAccessibility(&selection);
    QAccessibleTextCursorEvent cursor(widget, span.first);
    QAccessible::updateAccessibility(&cursor);
}
