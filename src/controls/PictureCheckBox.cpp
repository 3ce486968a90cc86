#include "PictureCheckBox.h"

#include "controls/KeyColour.h"
#include "controls/PictureCheckBoxAccessible.h"
#include "controls/ShortcutClick.h"
#include "controls/SkinArt.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPointer>
#include <QShortcut>

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

QKeySequence PictureCheckBox::key() const
{
    return key_ ? key_->key() : QKeySequence();
}

void PictureCheckBox::setKey(const QKeySequence &key)
{
    if (!key_) {
        key_ = new QShortcut(this);
        key_->setContext(Qt::WindowShortcut);
        connect(key_, &QShortcut::activated, this, &QAbstractButton::click);
    }
    key_->setKey(key);
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
    const int captionWidth = text().isEmpty() ? 0 : CaptionGap + metrics.size(Qt::TextShowMnemonic, text()).width();
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

    // The keyboard user sees which box Space toggles (the answer markers have no caption).
    if (hasFocus())
        SkinArt::paintFocusFrame(painter, rect());

    if (text().isEmpty())
        return;
    // The caption's top sits half the character height (the font's pixel size) above the
    // middle.
    const int top = height() / 2 - QFontInfo(font()).pixelSize() / 2;
    const int left = imgOn_.width() + CaptionGap;
    painter.setFont(font());
    painter.setPen(ownEnabled_ ? palette().color(foregroundRole()) : DisabledCaption);
    painter.drawText(QRect(left, top, std::max(width() - left, 0), height()), Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic | Qt::TextDontClip,
                     text());
}

void PictureCheckBox::nextCheckState()
{
    // A handler may delete the box (a window closing on the click).
    QPointer<PictureCheckBox> self(this);
    emit activated();
    if (self && ownEnabled_)
        setChecked(!isChecked());
}
