#pragma once

#include "WrappedText.h"

#include <QFont>
#include <QImage>
#include <QSize>
#include <QStringList>

// One side of the listening window, text or translation: the syntagms wrapped for its paint
// area, and the off-screen image they scroll through while the sound plays, the current
// syntagm in red and underlined.
//
// The scroll follows the sound: offset = position / length × lines × line height, plus a
// correction in quarter pixels that grows while the current syntagm was drawn below the
// upper third of the area at the last paint and shrinks while it was above it.
class ScrollingText {
public:
    // Distance between display lines, px: the design's font height.
    static constexpr int LineHeight = 20;
    // Left margin of the lines; the wrap width leaves this much on both sides.
    static constexpr int Margin = 10;

    ScrollingText() = default;
    // Wraps `syntagms` for a paint area of `area`, measured with `font`.
    ScrollingText(const QStringList &syntagms, const QFont &font, QSize area);

    // The font of the display lines: Arial whose line fits the line height.
    static QFont lineFont();

    // Back to the state before playback: no correction, current y in the middle of the area.
    void rewind();
    // One scroll step at `positionMs` of a sound of `lengthMs` (no scroll for an empty sound).
    void scroll(qint32 positionMs, qint32 lengthMs);
    // Draws the visible lines into the image, syntagm `current` (1-based) highlighted, and
    // notes where that syntagm's first line was drawn.
    void paint(int current);

    const WrappedText &wrapped() const { return wrapped_; }
    const QImage &image() const { return image_; }
    int scrollOffset() const { return offset_; }
    int correction() const { return correction_; }
    int currentY() const { return currentY_; }

private:
    void drawLine(class QPainter &painter, int k, int y, int redFrom, int redTo) const;

    WrappedText wrapped_;
    QFont font_;
    QFont underlined_;
    QImage image_;
    int ascent_ = 0;
    int offset_ = 0;
    int correction_ = 0;
    int currentY_ = 0;
};
