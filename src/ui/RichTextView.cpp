#include "RichTextView.h"

#include "controls/ReadOnlyTextAccessible.h"
#include "controls/SkinArt.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <vector>

namespace {

// Space around the text, as a text edit's document margin keeps it off the edges.
constexpr int Margin = 4;

// A paragraph's space before or after in whole pixels; a damaged file's negative or huge
// spacing is kept within what a page could show.
int spacing(qreal pixels)
{
    return int(std::lround(std::clamp<qreal>(pixels, 0, 2000)));
}

// Screen readers see a read-only multi-line text they can read, search and select in.
class RichTextAccessible : public ReadOnlyTextAccessible {
public:
    explicit RichTextAccessible(RichTextView *view) : ReadOnlyTextAccessible(view, QAccessible::EditableText) {}

    QAccessible::State state() const override
    {
        QAccessible::State state = ReadOnlyTextAccessible::state();
        state.selectableText = true;
        return state;
    }

    void selection(int index, int *start, int *end) const override
    {
        *start = *end = 0;
        if (index == 0 && selectionCount() == 1) {
            *start = int(view()->selectionStart());
            *end = int(view()->selectionEnd());
        }
    }
    int selectionCount() const override { return view()->selectionStart() < view()->selectionEnd() ? 1 : 0; }
    void addSelection(int start, int end) override { view()->select(start, end); }
    void removeSelection(int) override { view()->select(view()->selectionEnd(), view()->selectionEnd()); }
    void setSelection(int, int start, int end) override { view()->select(start, end); }
    int cursorPosition() const override { return int(view()->selectionEnd()); }
    void setCursorPosition(int position) override { view()->select(position, position); }

    using ReadOnlyTextAccessible::text;
    QString text(int start, int end) const override { return view()->text().plainText(start, end); }
    int characterCount() const override { return int(view()->text().plainLength()); }

    QRect characterRect(int offset) const override
    {
        const QRect rect = view()->characterRect(offset);
        return rect.isNull() ? rect : QRect(view()->viewport()->mapToGlobal(rect.topLeft()), rect.size());
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        return int(view()->positionAt(view()->viewport()->mapFromGlobal(point)));
    }
    void scrollToSubstring(int start, int) override { view()->scrollToPosition(start); }

private:
    RichTextView *view() const { return static_cast<RichTextView *>(widget()); }
};

QAccessibleInterface *createRichTextAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("RichTextView") && object && object->isWidgetType())
        return new RichTextAccessible(static_cast<RichTextView *>(object));
    return nullptr;
}

} // namespace

RichTextView::RichTextView(QWidget *parent)
    : QAbstractScrollArea(parent), scroll_([this](int paragraph) { return heightOf(paragraph); })
{
    static std::once_flag once;
    std::call_once(once, [] { QAccessible::installFactory(createRichTextAccessible); });
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this, &RichTextView::followScrollBarAction);
    viewport()->setCursor(Qt::IBeamCursor);
    scroll_.reset(text_.paragraphCount());
}

RichTextView::~RichTextView() = default;

void RichTextView::setText(RichText text)
{
    text_ = std::move(text);
    forgetLayouts();
    anchor_ = cursor_ = 0;
    scroll_.reset(text_.paragraphCount());
    scroll_.setViewportHeight(viewport()->height());
    syncScrollBar();
    viewport()->update();
}

void RichTextView::select(qsizetype from, qsizetype to)
{
    anchor_ = std::clamp<qsizetype>(from, 0, text_.plainLength());
    cursor_ = std::clamp<qsizetype>(to, 0, text_.plainLength());
    if (QAccessible::isActive()) {
        QAccessibleTextSelectionEvent event(this, int(selectionStart()), int(selectionEnd()));
        QAccessible::updateAccessibility(&event);
    }
    viewport()->update();
}

void RichTextView::selectAll()
{
    select(0, text_.plainLength());
}

void RichTextView::copy() const
{
    if (selectionStart() < selectionEnd())
        QGuiApplication::clipboard()->setText(selectedText());
}

int RichTextView::textWidth() const
{
    return std::max(viewport()->width() - 2 * Margin, 1);
}

QTextDocument &RichTextView::layoutOf(int paragraph)
{
    std::unique_ptr<QTextDocument> &layout = layouts_[paragraph];
    if (!layout) {
        layout = std::make_unique<QTextDocument>();
        layout->setUndoRedoEnabled(false);
        layout->setDocumentMargin(0);
        layout->setDefaultFont(font());
        text_.writeParagraphs(*layout, paragraph, paragraph, textWidth());
        layout->setTextWidth(textWidth());
    }
    return *layout;
}

// A paragraph's box holds its space before and after (a lone block's document leaves them
// out); the first paragraph has the view's margin above instead, the last below.
int RichTextView::spaceAbove(int paragraph)
{
    return paragraph == 0 ? Margin : spacing(layoutOf(paragraph).firstBlock().blockFormat().topMargin());
}

int RichTextView::heightOf(int paragraph)
{
    QTextDocument &layout = layoutOf(paragraph);
    const int below = paragraph == text_.paragraphCount() - 1 ? Margin
                                                              : spacing(layout.firstBlock().blockFormat().bottomMargin());
    // Pictures are at most 16384 px high, but a paragraph may hold many of them.
    constexpr qreal MaxHeight = 1 << 24;
    return spaceAbove(paragraph) + int(std::ceil(std::min(layout.size().height(), MaxHeight))) + below;
}

void RichTextView::forgetLayouts()
{
    layouts_.clear();
}

// Drops the documents of paragraphs far from the view, so that reading through a long
// text keeps a few screens laid out, not all it passed.
void RichTextView::dropFarLayouts()
{
    if (layouts_.size() <= KeptLayouts)
        return;
    const int top = scroll_.topParagraph();
    std::vector<int> paragraphs;
    paragraphs.reserve(layouts_.size());
    for (const auto &[paragraph, layout] : layouts_)
        paragraphs.push_back(paragraph);
    std::sort(paragraphs.begin(), paragraphs.end(),
              [top](int a, int b) { return std::abs(a - top) > std::abs(b - top); });
    for (std::size_t i = 0; layouts_.size() > KeptLayouts / 2; ++i)
        layouts_.erase(paragraphs[i]);
}

std::optional<int> RichTextView::paragraphTop(int paragraph)
{
    int y = -scroll_.topOffset();
    for (int p = scroll_.topParagraph(); p < text_.paragraphCount() && y < viewport()->height(); ++p) {
        if (p == paragraph)
            return y;
        y += heightOf(p);
    }
    return std::nullopt;
}

QRect RichTextView::paragraphRect(int paragraph)
{
    const std::optional<int> top = paragraphTop(paragraph);
    return top ? QRect(0, *top, viewport()->width(), heightOf(paragraph)) : QRect();
}

qsizetype RichTextView::positionAt(QPoint point)
{
    const int last = text_.paragraphCount() - 1;
    int y = -scroll_.topOffset();
    for (int p = scroll_.topParagraph();; ++p) {
        const int height = heightOf(p);
        if (point.y() < y + height || p == last || y + height >= viewport()->height()) {
            const QPointF inside(point.x() - Margin, point.y() - y - spaceAbove(p));
            const int hit = layoutOf(p).documentLayout()->hitTest(inside, Qt::FuzzyHit);
            const qsizetype offset = std::clamp<qsizetype>(hit, 0, text_.paragraphText(p).size());
            return text_.plainPosition(p, offset);
        }
        y += height;
    }
}

QRect RichTextView::characterRect(qsizetype position)
{
    if (position < 0 || position >= text_.plainLength())
        return {};
    const int paragraph = text_.paragraphAt(position);
    const std::optional<int> top = paragraphTop(paragraph);
    if (!top)
        return {};
    const qsizetype offset = position - text_.plainPosition(paragraph, 0);
    QTextDocument &layout = layoutOf(paragraph);
    const QTextBlock block = layout.firstBlock();
    const QTextLine line = block.layout()->lineForTextPosition(int(offset));
    if (!line.isValid())
        return {};
    const QPointF origin = layout.documentLayout()->blockBoundingRect(block).topLeft() + block.layout()->position();
    const qreal x = line.cursorToX(int(offset));
    const qreal width = std::max<qreal>(line.cursorToX(int(offset) + 1) - x, 1);
    return QRectF(Margin + origin.x() + x, *top + spaceAbove(paragraph) + origin.y() + line.y(), width,
                  line.height())
        .toAlignedRect();
}

void RichTextView::scrollToPosition(qsizetype position)
{
    const int paragraph = text_.paragraphAt(position);
    const QRect rect = paragraphRect(paragraph);
    if (rect.isNull() || rect.top() < 0)
        scroll_.scrollToParagraph(paragraph);
    syncScrollBar();
    viewport()->update();
}

void RichTextView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    const qsizetype selectedFrom = selectionStart();
    const qsizetype selectedTo = selectionEnd();
    int y = -scroll_.topOffset();
    for (int p = scroll_.topParagraph(); p < text_.paragraphCount() && y < viewport()->height(); ++p) {
        const int height = heightOf(p);
        QTextDocument &layout = layoutOf(p);
        const int top = y + spaceAbove(p);
        QAbstractTextDocumentLayout::PaintContext context;
        context.palette = palette();
        context.clip = QRectF(-Margin, -top, viewport()->width(), viewport()->height());
        const qsizetype start = text_.plainPosition(p, 0);
        const qsizetype from = std::max(selectedFrom, start) - start;
        const qsizetype to = std::min(selectedTo, start + text_.paragraphText(p).size()) - start;
        if (from < to) {
            QAbstractTextDocumentLayout::Selection selection;
            selection.cursor = QTextCursor(&layout);
            selection.cursor.setPosition(int(from));
            selection.cursor.setPosition(int(to), QTextCursor::KeepAnchor);
            selection.format.setBackground(palette().highlight());
            selection.format.setForeground(palette().highlightedText());
            context.selections.append(selection);
        }
        painter.save();
        painter.translate(Margin, top);
        layout.documentLayout()->draw(&painter, context);
        painter.restore();
        y += height;
    }
    if (hasFocus())
        SkinArt::paintFocusFrame(painter, viewport()->rect());
    dropFarLayouts();
}

void RichTextView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (!layouts_.empty() && layouts_.begin()->second->textWidth() != textWidth()) {
        forgetLayouts();
        scroll_.heightsChanged();
    }
    scroll_.setViewportHeight(viewport()->height());
    syncScrollBar();
}

void RichTextView::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        forgetLayouts();
        scroll_.heightsChanged();
        syncScrollBar();
        viewport()->update();
    }
}

void RichTextView::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void RichTextView::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void RichTextView::syncScrollBar(bool keepValue)
{
    syncing_ = true;
    QScrollBar *bar = verticalScrollBar();
    bar->setRange(0, scroll_.maximum());
    bar->setPageStep(scroll_.pageStep());
    if (!keepValue)
        bar->setValue(scroll_.value());
    syncing_ = false;
}

// The scroll bar was moved by the learner: its value says where the top now is. The thumb
// stays where it was put, not where the pixel it stands for maps back to.
void RichTextView::scrollContentsBy(int, int)
{
    // A value that stands for the present top (the bar's arrows, below) keeps its pixel.
    if (syncing_ || verticalScrollBar()->value() == scroll_.value())
        return;
    scroll_.setValue(verticalScrollBar()->value());
    syncScrollBar(true);
    viewport()->update();
}

// The bar's arrows and its trough move by a line and by a page of pixels, as the keys do,
// not by a share of a paragraph.
void RichTextView::followScrollBarAction(int action)
{
    int pixels = 0;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: pixels = lineStep(); break;
    case QAbstractSlider::SliderSingleStepSub: pixels = -lineStep(); break;
    case QAbstractSlider::SliderPageStepAdd: pixels = pageStep(); break;
    case QAbstractSlider::SliderPageStepSub: pixels = -pageStep(); break;
    default: return;
    }
    scroll_.scrollBy(pixels);
    verticalScrollBar()->setSliderPosition(scroll_.value());
    viewport()->update();
}

void RichTextView::scrollBy(int pixels)
{
    scroll_.scrollBy(pixels);
    syncScrollBar();
    viewport()->update();
}

int RichTextView::lineStep() const
{
    return fontMetrics().lineSpacing();
}

// A page keeps a line of the last one in view.
int RichTextView::pageStep() const
{
    return std::max(viewport()->height() - lineStep(), lineStep());
}

void RichTextView::keyPressEvent(QKeyEvent *event)
{
    if (event == QKeySequence::Copy) {
        copy();
        return;
    }
    if (event == QKeySequence::SelectAll) {
        selectAll();
        return;
    }
    const int page = pageStep();
    switch (event->key()) {
    case Qt::Key_Up: scrollBy(-lineStep()); break;
    case Qt::Key_Down: scrollBy(lineStep()); break;
    case Qt::Key_PageUp: scrollBy(-page); break;
    case Qt::Key_PageDown: scrollBy(page); break;
    case Qt::Key_Home:
        scroll_.scrollToStart();
        scrollBy(0);
        break;
    case Qt::Key_End:
        scroll_.scrollToEnd();
        scrollBy(0);
        break;
    default:
        event->ignore(); // Tab, Enter and Esc belong to the window
        return;
    }
}

void RichTextView::wheelEvent(QWheelEvent *event)
{
    if (!event->pixelDelta().isNull())
        scrollBy(-event->pixelDelta().y());
    else
        scrollBy(-event->angleDelta().y() * QApplication::wheelScrollLines() * lineStep() / 120);
    event->accept();
}

void RichTextView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const qsizetype position = positionAt(event->position().toPoint());
    select(event->modifiers() & Qt::ShiftModifier ? anchor_ : position, position);
}

void RichTextView::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    dragPoint_ = event->position().toPoint();
    extendSelectionToDragPoint();
    // Held past an edge, the pointer keeps the text scrolling under it.
    if (dragPoint_.y() < 0 || dragPoint_.y() >= viewport()->height())
        dragScroll_.start(DragScrollIntervalMs, this);
    else
        dragScroll_.stop();
}

// Dragging past an edge scrolls by as far as the pointer is past it.
void RichTextView::extendSelectionToDragPoint()
{
    QPoint point = dragPoint_;
    if (point.y() < 0)
        scrollBy(point.y());
    else if (point.y() >= viewport()->height())
        scrollBy(point.y() - viewport()->height() + 1);
    point.setY(std::clamp(point.y(), 0, viewport()->height() - 1));
    select(anchor_, positionAt(point));
}

void RichTextView::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == dragScroll_.timerId())
        extendSelectionToDragPoint();
    else
        QAbstractScrollArea::timerEvent(event);
}

// What the mouse selected is offered to the middle button, as X programs do.
void RichTextView::mouseReleaseEvent(QMouseEvent *event)
{
    dragScroll_.stop();
    if (event->button() == Qt::LeftButton && selectionStart() < selectionEnd()
        && QGuiApplication::clipboard()->supportsSelection())
        QGuiApplication::clipboard()->setText(selectedText(), QClipboard::Selection);
}

void RichTextView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const qsizetype position = positionAt(event->position().toPoint());
    const int paragraph = text_.paragraphAt(position);
    QTextCursor word(&layoutOf(paragraph));
    word.setPosition(int(position - text_.plainPosition(paragraph, 0)));
    word.select(QTextCursor::WordUnderCursor);
    select(text_.plainPosition(paragraph, word.selectionStart()), text_.plainPosition(paragraph, word.selectionEnd()));
}

void RichTextView::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    QAction *copyAction = menu.addAction(QStringLiteral("Копировать"), this, &RichTextView::copy);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setEnabled(selectionStart() < selectionEnd());
    menu.addAction(QStringLiteral("Выделить всё"), this, &RichTextView::selectAll)->setShortcut(QKeySequence::SelectAll);
    menu.exec(event->globalPos());
}
