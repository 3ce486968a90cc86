#pragma once

#include "ReadableSyntagms.h"
#include "SyntagmLayout.h"
#include "SyntagmStyle.h"

#include <QImage>
#include <QList>
#include <QMargins>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <array>
#include <memory>

// A text cut into syntagms (one per item of text()), wrapped into lines, with the current
// syntagm highlighted, optionally a marked range of syntagms, and smooth scrolling that
// brings the current syntagm to rest at a chosen height. Items may also be empty lines,
// lines of their own or pictures (mark-up in SyntagmLayout).
//
// Every change that affects the lines sets the relayout flag; the lines are rebuilt at the
// next paint, and only then. Setters repaint at once into an off-screen picture, which the
// widget then shows in one piece, so scrolling at 20 steps a second does not flicker.
//
// The face and size of every character come from font(); the two selection styles only
// bring their style flags and colour.
class SyntagmTextView : public QWidget, public ReadableSyntagms {
    Q_OBJECT
public:
    // Line spacing factor.
    enum class LineSpacing { is0_75, is1_00, is1_25, is1_50, is1_75, is2_00 };

    explicit SyntagmTextView(QWidget *parent = nullptr);
    ~SyntagmTextView() override;

    // The syntagms. editText() hands out the control's own list for the owner to fill and
    // sets the relayout flag, since the list may change through it.
    const QStringList &text() const { return text_; }
    QStringList &editText();
    void setText(const QStringList &items);

    // Colour of the text; font() gives face, size and the unselected style.
    QColor textColor() const { return textColor_; }
    void setTextColor(const QColor &colour);

    // Index in text() of the current syntagm; a value that is no index, or no change, is refused.
    int position() const { return position_; }
    void setPosition(int value);

    LineSpacing heightIntervString() const { return spacing_; }
    void setHeightIntervString(LineSpacing spacing);
    static double spacingFactor(LineSpacing spacing);

    // Height, in per cent of the control's height, at which the current syntagm comes to
    // rest; clamped to 0..100.
    int posScreen() const { return posScreen_; }
    void setPosScreen(int percent);

    // Scrolling slowness: larger is slower.
    int kSpeed() const { return kSpeed_; }
    void setKSpeed(int value) { kSpeed_ = value; }

    SyntagmStyle currentSyntagmStyle() const { return currentSyntagmStyle_; }
    void setCurrentSyntagmStyle(SyntagmStyle style);
    SyntagmStyle markedRangeStyle() const { return markedRangeStyle_; }
    void setMarkedRangeStyle(SyntagmStyle style);
    bool markedRangeShown() const { return markedRangeShown_; }
    void setMarkedRangeShown(bool shown);

    // The marked range, kept with nBegin() <= nEnd(). Each setter takes only an index of an
    // item; setting one end beyond the other makes the old other end the new near end.
    int nBegin() const { return nBegin_; }
    int nEnd() const { return nEnd_; }
    void setNBegin(int value);
    void setNEnd(int value);
    // Both ends at once (in either order), free of the one-end rules above, which can keep
    // an end of the previous range. Values that are no index are refused.
    void setMarkedRange(int first, int last);

    // The control's own 50 ms timer runs scrollStep() exactly while this is on.
    bool autoScroll() const { return scrollTimer_.isActive(); }
    void setAutoScroll(bool on);

    // Folder of the picture files; empty for the working folder.
    QString dirFileAdd() const { return dirFileAdd_; }
    void setDirFileAdd(const QString &folder);

    // Rest the bottom of the current syntagm, not its top, at the posScreen() height.
    bool sinDown() const { return sinDown_; }
    void setSinDown(bool down) { sinDown_ = down; }

    QMargins textMargins() const { return margins_; }
    void setMargins(const QMargins &margins);

    // One step of the easing scroll towards the rest height of the current syntagm.
    void scrollStep();

    // Paints the text into the off-screen picture at once (rebuilding the lines first when
    // the relayout flag is set) and shows it: what every setter does.
    void paintText();

    // Rebuilds the display lines (run by the paint when the relayout flag is set).
    void layoutText();
    bool relayoutPending() const { return relayout_; }

    // What the last paint saw and drew: for the owner's checks and for tests.
    const SyntagmLayout &displayLines() const { return layout_; }
    double scrollOffset() const { return scroll_; }
    int currentSyntagmY() const { return currentY_; }
    const QImage &frame() const { return frame_; }
    // Line step in pixels: the font's character height times the spacing factor.
    double lineStep() const;
    // The current syntagm as a reader hears it: its text without mark-up, empty for a picture.
    QString currentSyntagmText() const;

    // Screen readers read the whole text, the current syntagm selected.
    SyntagmReading reading() const override { return SyntagmReading(text_); }
    int currentItem() const override;

signals:
    void resized();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    struct Picture {
        QString path;
        QImage normal;
        QImage current; // the "r" variant
        QImage marked;  // the "g" variant
    };

    void renderFrame();
    void drawLine(class QPainter &painter, const SyntagmLayout::Line &line, int x, int y);
    void loadPictures();
    void clampIndexes();
    void announceCurrentSyntagm();
    struct StyledFont;
    StyledFont &styled(quint8 flags);
    int fontHeight() const;
    const QImage &pictureFor(const SyntagmLayout::Line &line) const;

    QStringList text_;
    QColor textColor_{Qt::black};
    int position_ = 1;
    int announcedPosition_ = -1;
    LineSpacing spacing_ = LineSpacing::is1_00;
    int posScreen_ = 40;
    int kSpeed_ = 50000;
    SyntagmStyle currentSyntagmStyle_;
    SyntagmStyle markedRangeStyle_;
    bool markedRangeShown_ = false;
    int nBegin_ = 0;
    int nEnd_ = 0;
    QString dirFileAdd_;
    bool sinDown_ = false;
    QMargins margins_{20, 20, 20, 20};

    SyntagmLayout layout_;
    QList<Picture> pictures_;
    bool picturesOutdated_ = true; // the picture names or their folder changed since loadPictures()
    double scroll_ = 0;
    int currentY_ = 0;
    bool relayout_ = true;
    QImage frame_;
    QTimer scrollTimer_;

    // What the current wrap was made from: the lines are rewrapped only when one changes.
    QStringList wrappedItems_;
    int wrappedWidth_ = -1;
    QFont wrappedFont_;
    bool wrapped_ = false;

    // The font in each of the 16 style combinations, with its metrics, made on first use.
    std::array<std::unique_ptr<StyledFont>, 16> styledFonts_;
};
