#pragma once

#include "controls/ProgressBarLayout.h"

#include <QColor>
#include <QPixmap>
#include <QWidget>

// The picture progress bar: a track and a fill, each a begin cap, a tiled middle and an end
// cap. It keeps its own Min, Max and Position (a Position may lie outside Min..Max); screen
// readers get a progress bar whose value is the position clamped to the range. A change
// is painted with the next paint, never at once: long work moves the bar for every step.
class PictureProgressBar : public QWidget {
    Q_OBJECT
public:
    explicit PictureProgressBar(QWidget *parent = nullptr);

    int min() const { return min_; }
    void setMin(int min);
    int max() const { return max_; }
    void setMax(int max);
    int position() const { return position_; }
    // Only a different position repaints.
    void setPosition(int position);
    // The position as a progress bar reports it: within Min..Max (Min when Max is below it).
    int clampedPosition() const;

    QPixmap imgBeginLine() const { return imgBeginLine_; }
    void setImgBeginLine(const QPixmap &picture);
    QPixmap imgMidleLine() const { return imgMidleLine_; }
    void setImgMidleLine(const QPixmap &picture);
    QPixmap imgEndLine() const { return imgEndLine_; }
    void setImgEndLine(const QPixmap &picture);
    QPixmap imgBeginScroll() const { return imgBeginScroll_; }
    void setImgBeginScroll(const QPixmap &picture);
    QPixmap imgMidleScroll() const { return imgMidleScroll_; }
    void setImgMidleScroll(const QPixmap &picture);
    QPixmap imgEndScroll() const { return imgEndScroll_; }
    void setImgEndScroll(const QPixmap &picture);

    // Kept for the designs; it takes no part in painting.
    QColor color() const { return color_; }
    void setColor(const QColor &color);

    // False while any of the six pictures is empty: then the bar shows nothing at all.
    bool hasAllPictures() const;
    // Where the pieces go at the current size and position.
    ProgressBarLayout pieceLayout() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void setPicture(QPixmap &stored, const QPixmap &picture);
    void valueChanged();
    QColor parentBackground() const;

    int min_ = 0;
    int max_ = 100;
    int position_ = 20;
    QPixmap imgBeginLine_;
    QPixmap imgMidleLine_;
    QPixmap imgEndLine_;
    QPixmap imgBeginScroll_;
    QPixmap imgMidleScroll_;
    QPixmap imgEndScroll_;
    QColor color_;
};
