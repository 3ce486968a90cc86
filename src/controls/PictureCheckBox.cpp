#include "PictureCheckBox.h"

#include "controls/KeyColour.h"
#include "controls/PictureCheckBoxAccessible.h"
#include "controls/ShortcutClick.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPointer>

#include <algorithm>

namespace {

const QColor DisabledCaption(128, 128, 128);
constexpr int CaptionGap = 4;

} // namespace

PictureCheckBox::PictureCheckBox(QWidget *parent) : QAbstractButton(parent)
{
    clickOnShortcutAtOnce(*this);
    installPictureCheckBoxAccessibility();
    setCheckable(true);
    // The caption is text beside the picture on the window's background, not button text.
    setForegroundRole(QPalette::WindowText);
    resize(7, 7);
}

void PictureCheckBox::setOwnEnabled(bool enabled)
{
    if (enabled == ownEnabled_)
        return;
    ownEnabled_ = enabled;
    update();
}

void PictureCheckBox::setPicture(QPixmap &stored, const QPixmap &picture)
{
    stored = picture;
    updateGeometry();
    update();
}

void PictureCheckBox::setImgOn(const QPixmap &picture) { setPicture(imgOn_, picture); }
void PictureCheckBox::setImgOnDis(const QPixmap &picture) { setPicture(imgOnDis_, picture); }
void PictureCheckBox::setImgOff(const QPixmap &picture) { setPicture(imgOff_, picture); }
void PictureCheckBox::setImgOffDis(const QPixmap &picture) { setPicture(imgOffDis_, picture); }

void PictureCheckBox::setOnColor(const QColor &color)
{
    onColor_ = color;
    if (isChecked())
        update();
}

void PictureCheckBox::setOffColor(const QColor &color)
{
    offColor_ = color;
    if (!isChecked())
        update();
}

QPixmap PictureCheckBox::stateImage() const
{
    if (isChecked())
        return ownEnabled_ ? imgOn_ : imgOnDis_;
    return ownEnabled_ ? imgOff_ : imgOffDis_;
}

QSize PictureCheckBox::sizeHint() const
{
    const QFontMetrics metrics(font());
    const int pictureHeight = std::max({imgOn_.height(), imgOnDis_.height(), imgOff_.height(),
                                        imgOffDis_.height()});
    const int captionWidth = text().isEmpty() ? 0 : CaptionGap + metrics.horizontalAdvance(text());
    return {imgOn_.width() + captionWidth, std::max(pictureHeight, metrics.height())};
}

void PictureCheckBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // Halves truncate toward zero, so odd sizes sit a pixel higher, as the designs place them.
    const QPixmap picture = stateImage();
    if (!picture.isNull()) {
        const int top = height() / 2 - picture.height() / 2;
        painter.drawImage(0, top, transparentByPixel(picture, QPoint(1, 1)));
    }

    if (text().isEmpty())
        return;
    const QFontMetrics metrics(font());
    // The caption's top sits half the character height (the font's pixel size) above the
    // middle; drawText wants the baseline.
    const int top = height() / 2 - QFontInfo(font()).pixelSize() / 2;
    painter.setFont(font());
    painter.setPen(ownEnabled_ ? palette().color(foregroundRole()) : DisabledCaption);
    painter.drawText(QPoint(imgOn_.width() + CaptionGap, top + metrics.ascent()), text());
}

void PictureCheckBox::nextCheckState()
{
    // A handler may delete the box (a window closing on the click).
    QPointer<PictureCheckBox> self(this);
    emit activated();
    if (self && ownEnabled_)
        setChecked(!isChecked());
}
