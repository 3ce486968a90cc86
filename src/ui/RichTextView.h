#pragma once

#include "ParagraphScroll.h"

#include "core/RichText.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>

#include <memory>
#include <optional>
#include <unordered_map>

class QTextDocument;

// A read-only view of a RichText that lays out only the paragraphs it shows, each in a
// small document of its own kept while it stays near the view: a description of tens of
// megabytes opens at once and takes little more memory than its text. The learner can
// scroll with the wheel, the scroll bar and the keys, select with the mouse (a double
// click takes a word), copy and select all; screen readers read the text.
class RichTextView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit RichTextView(QWidget *parent = nullptr);
    ~RichTextView() override;

    // Shows the text from its top, nothing selected.
    void setText(RichText text);
    const RichText &text() const { return text_; }
    QString toPlainText() const { return text_.plainText(0, text_.plainLength()); }

    // The selection as plain positions (RichText::plainPosition); empty when from == to.
    qsizetype selectionStart() const { return std::min(anchor_, cursor_); }
    qsizetype selectionEnd() const { return std::max(anchor_, cursor_); }
    void select(qsizetype from, qsizetype to);
    QString selectedText() const { return text_.plainText(selectionStart(), selectionEnd()); }
    void selectAll();
    void copy() const;

    // The first paragraph at the top of the view, and where a paragraph lies in the
    // viewport (an empty rectangle when it is not shown).
    int topParagraph() const { return scroll_.topParagraph(); }
    QRect paragraphRect(int paragraph);
    // The plain position under a viewport point, and the rectangle of a character.
    qsizetype positionAt(QPoint point);
    QRect characterRect(qsizetype position);
    void scrollToPosition(qsizetype position);

    // Paragraph documents kept at most; more are dropped, the farthest from the view first.
    static constexpr std::size_t KeptLayouts = 256;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void changeEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QTextDocument &layoutOf(int paragraph);
    int heightOf(int paragraph);
    int spaceAbove(int paragraph);
    int textWidth() const;
    // The viewport's y of the paragraph's top, when it is shown.
    std::optional<int> paragraphTop(int paragraph);
    void forgetLayouts();
    void dropFarLayouts();
    void scrollBy(int pixels);
    void syncScrollBar(bool keepValue = false);
    int lineStep() const;
    int pageStep() const;
    void followScrollBarAction(int action);
    void extendSelectionToDragPoint();

    static constexpr int DragScrollIntervalMs = 50;

    RichText text_;
    ParagraphScroll scroll_;
    std::unordered_map<int, std::unique_ptr<QTextDocument>> layouts_;
    qsizetype anchor_ = 0;
    qsizetype cursor_ = 0;
    bool syncing_ = false;
    QPoint dragPoint_;
    QBasicTimer dragScroll_;
};
