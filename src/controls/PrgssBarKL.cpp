#include "PrgssBarKL.h"

#include <QPainter>

#include <algorithm>

TPrgssBarKL::TPrgssBarKL(QWidget *parent) : QProgressBar(parent)
{
    setTextVisible(false);
    syncBaseValue();
    resize(150, 25);
}

void TPrgssBarKL::syncBaseValue()
{
    // QProgressBar refuses values outside its range and a maximum below its minimum.
    const int top = std::max(min_, max_);
    setRange(min_, top);
    setValue(std::clamp(position_, min_, top));
}

void TPrgssBarKL::setMin(int min)
{
    min_ = min;
    syncBaseValue();
    update();
}

void TPrgssBarKL::setMax(int max)
{
    max_ = max;
    syncBaseValue();
    update();
}

void TPrgssBarKL::setPosition(int position)
{
    if (position == position_)
        return;
    position_ = position;
    syncBaseValue();
    update();
}

void TPrgssBarKL::setColor(const QColor &color)
{
    color_ = color;
    update();
}

void TPrgssBarKL::setPicture(QPixmap &stored, const QPixmap &picture)
{
    stored = picture;
    update();
}

void TPrgssBarKL::setImgBeginLine(const QPixmap &picture) { setPicture(imgBeginLine_, picture); }
void TPrgssBarKL::setImgMidleLine(const QPixmap &picture) { setPicture(imgMidleLine_, picture); }
void TPrgssBarKL::setImgEndLine(const QPixmap &picture) { setPicture(imgEndLine_, picture); }
void TPrgssBarKL::setImgBeginScroll(const QPixmap &picture) { setPicture(imgBeginScroll_, picture); }
void TPrgssBarKL::setImgMidleScroll(const QPixmap &picture) { setPicture(imgMidleScroll_, picture); }
void TPrgssBarKL::setImgEndScroll(const QPixmap &picture) { setPicture(imgEndScroll_, picture); }

bool TPrgssBarKL::hasAllPictures() const
{
    return !imgBeginLine_.isNull() && !imgMidleLine_.isNull() && !imgEndLine_.isNull()
        && !imgBeginScroll_.isNull() && !imgMidleScroll_.isNull() && !imgEndScroll_.isNull();
}

ProgressBarLayout TPrgssBarKL::pieceLayout() const
{
    if (!hasAllPictures())
        return {};
    const ProgressPieceWidths widths{imgBeginLine_.width(),   imgMidleLine_.width(),
                                     imgEndLine_.width(),     imgBeginScroll_.width(),
                                     imgMidleScroll_.width(), imgEndScroll_.width()};
    return layOutProgressBar(width(), widths, min_, max_, position_);
}

QColor TPrgssBarKL::parentBackground() const
{
    const QWidget *owner = parentWidget() ? parentWidget() : this;
    return owner->palette().color(owner->backgroundRole());
}

void TPrgssBarKL::paintEvent(QPaintEvent *)
{
    if (!hasAllPictures() || width() <= 0 || height() <= 0)
        return;

    // Drawn off screen first, on the parent's colour, so the bar never flickers.
    const qreal ratio = devicePixelRatioF();
    QPixmap buffer(size() * ratio);
    buffer.setDevicePixelRatio(ratio);
    buffer.fill(parentBackground());
    {
        QPainter painter(&buffer);
        auto draw = [&](int x, const QPixmap &picture) {
            painter.drawPixmap(x, centredTop(height(), picture.height()), picture);
        };
        const ProgressBarLayout layout = pieceLayout();
        for (const int x : layout.trackTiles)
            draw(x, imgMidleLine_);
        draw(0, imgBeginLine_);
        draw(layout.trackEnd, imgEndLine_);
        for (const int x : layout.fillTiles)
            draw(x, imgMidleScroll_);
        draw(0, imgBeginScroll_);
        draw(layout.fillEnd, imgEndScroll_);
    }
    QPainter(this).drawPixmap(0, 0, buffer);
}
