#include "BtnImgTransD1KL.h"

#include "controls/KeyColour.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

TBtnImgTransD1KL::TBtnImgTransD1KL(QWidget *parent) : QAbstractButton(parent)
{
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (isEnabled())
            emit OnClick();
    });
    resize(50, 50);
}

void TBtnImgTransD1KL::setBitmap(const QPixmap &picture)
{
    bitmap_ = picture;
    released_ = QPixmap();
    current_ = picture;
    if (!picture.isNull())
        resize(picture.size());
    updateGeometry();
    update();
}

void TBtnImgTransD1KL::setBitmapOver(const QPixmap &picture)
{
    bitmapOver_ = picture;
    update();
}

void TBtnImgTransD1KL::setBitmapDown(const QPixmap &picture)
{
    bitmapDown_ = picture;
    update();
}

void TBtnImgTransD1KL::setBitmapUp(const QPixmap &picture)
{
    bitmapUp_ = picture;
    update();
}

void TBtnImgTransD1KL::setBitmapDisabled(const QPixmap &picture)
{
    bitmapDisabled_ = picture;
    if (!isEnabled())
        fitToPictureOnShow();
    update();
}

QPixmap TBtnImgTransD1KL::pictureOnShow() const
{
    if (!isEnabled() && !bitmapDisabled_.isNull())
        return bitmapDisabled_;
    if (!released_.isNull())
        return released_;
    // An empty current picture falls back to the normal one.
    return current_.isNull() ? bitmap_ : current_;
}

QSize TBtnImgTransD1KL::sizeHint() const
{
    const QPixmap picture = pictureOnShow();
    return picture.isNull() ? QSize(50, 50) : picture.size();
}

void TBtnImgTransD1KL::paintEvent(QPaintEvent *)
{
    if (current_.isNull())
        current_ = bitmap_;
    shown_ = pictureOnShow();
    if (shown_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, transparentByPixel(shown_, QPoint(shown_.width() - 1, 0)));
}

void TBtnImgTransD1KL::makeCurrent(const QPixmap &picture)
{
    current_ = picture;
    released_ = QPixmap();
    resize(picture.size());
    update();
}

void TBtnImgTransD1KL::fitToPictureOnShow()
{
    const QPixmap picture = pictureOnShow();
    if (!picture.isNull())
        resize(picture.size());
}

void TBtnImgTransD1KL::enterEvent(QEnterEvent *event)
{
    QAbstractButton::enterEvent(event);
    if (isEnabled() && !bitmapOver_.isNull())
        makeCurrent(bitmapOver_);
}

void TBtnImgTransD1KL::leaveEvent(QEvent *event)
{
    QAbstractButton::leaveEvent(event);
    if (isEnabled() && !bitmap_.isNull())
        makeCurrent(bitmap_);
}

void TBtnImgTransD1KL::mousePressEvent(QMouseEvent *event)
{
    QAbstractButton::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    emit OnMouseDown();
    if (!bitmapDown_.isNull())
        makeCurrent(bitmapDown_);
}

void TBtnImgTransD1KL::mouseReleaseEvent(QMouseEvent *event)
{
    // The click (and OnClick) comes before the release handling, as the pictures expect.
    QAbstractButton::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    emit OnMouseUp();
    // The released picture is only drawn; the current picture stays the pressed one until
    // the pointer next enters or leaves. Without a released picture the hover one stands in.
    if (isUnderPointer(event->position().toPoint()))
        released_ = bitmapUp_.isNull() ? bitmapOver_ : bitmapUp_;
    else
        released_ = bitmap_;
    if (!released_.isNull())
        resize(released_.size());
    update();
}

bool TBtnImgTransD1KL::isUnderPointer(QPoint position) const
{
    if (isWindow())
        return rect().contains(position);
    const QWidget *top = window();
    return top->childAt(mapTo(top, position)) == this;
}

void TBtnImgTransD1KL::changeEvent(QEvent *event)
{
    QAbstractButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        fitToPictureOnShow();
}

void TBtnImgTransD1KL::showEvent(QShowEvent *event)
{
    QAbstractButton::showEvent(event);
    fitToPictureOnShow();
}
