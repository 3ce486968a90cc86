#include "FlatPictureButton.h"

#include "controls/KeyColour.h"
#include "controls/ShortcutClick.h"
#include "controls/SkinArt.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

FlatPictureButton::FlatPictureButton(QWidget *parent) : QAbstractButton(parent)
{
    clickOnShortcutAtOnce(*this);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (isEnabled())
            emit activated();
    });
    resize(50, 50);
}

void FlatPictureButton::setBitmap(const QPixmap &picture)
{
    bitmap_ = picture;
    released_ = QPixmap();
    current_ = picture;
    if (!picture.isNull())
        resize(picture.size());
    updateGeometry();
    update();
}

void FlatPictureButton::setBitmapOver(const QPixmap &picture)
{
    bitmapOver_ = picture;
    update();
}

void FlatPictureButton::setBitmapDown(const QPixmap &picture)
{
    bitmapDown_ = picture;
    update();
}

void FlatPictureButton::setBitmapUp(const QPixmap &picture)
{
    bitmapUp_ = picture;
    update();
}

void FlatPictureButton::setBitmapDisabled(const QPixmap &picture)
{
    bitmapDisabled_ = picture;
    if (!isEnabled())
        fitToPictureOnShow();
    update();
}

QPixmap FlatPictureButton::pictureOnShow() const
{
    if (!isEnabled() && !bitmapDisabled_.isNull())
        return bitmapDisabled_;
    if (!released_.isNull())
        return released_;
    // An empty current picture falls back to the normal one.
    return current_.isNull() ? bitmap_ : current_;
}

QSize FlatPictureButton::sizeHint() const
{
    const QPixmap picture = pictureOnShow();
    return picture.isNull() ? QSize(50, 50) : picture.size();
}

void FlatPictureButton::paintEvent(QPaintEvent *)
{
    if (current_.isNull())
        current_ = bitmap_;
    shown_ = pictureOnShow();
    QPainter painter(this);
    if (!shown_.isNull())
        painter.drawImage(0, 0, transparentByPixel(shown_, QPoint(shown_.width() - 1, 0)));
    if (hasFocus())
        SkinArt::paintFocusFrame(painter, rect());
}

void FlatPictureButton::makeCurrent(const QPixmap &picture)
{
    current_ = picture;
    released_ = QPixmap();
    resize(picture.size());
    update();
}

void FlatPictureButton::fitToPictureOnShow()
{
    const QPixmap picture = pictureOnShow();
    if (!picture.isNull())
        resize(picture.size());
}

void FlatPictureButton::enterEvent(QEnterEvent *event)
{
    QAbstractButton::enterEvent(event);
    if (isEnabled() && !bitmapOver_.isNull())
        makeCurrent(bitmapOver_);
}

void FlatPictureButton::leaveEvent(QEvent *event)
{
    QAbstractButton::leaveEvent(event);
    if (isEnabled() && !bitmap_.isNull())
        makeCurrent(bitmap_);
}

void FlatPictureButton::mousePressEvent(QMouseEvent *event)
{
    QAbstractButton::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    emit mouseDown();
    if (!bitmapDown_.isNull())
        makeCurrent(bitmapDown_);
}

void FlatPictureButton::mouseReleaseEvent(QMouseEvent *event)
{
    // The click (and activated) comes before the release handling, as the pictures expect.
    QAbstractButton::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    emit mouseUp();
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

bool FlatPictureButton::isUnderPointer(QPoint position) const
{
    if (isWindow())
        return rect().contains(position);
    const QWidget *top = window();
    return top->childAt(mapTo(top, position)) == this;
}

void FlatPictureButton::changeEvent(QEvent *event)
{
    QAbstractButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        fitToPictureOnShow();
}

void FlatPictureButton::showEvent(QShowEvent *event)
{
    QAbstractButton::showEvent(event);
    fitToPictureOnShow();
}
