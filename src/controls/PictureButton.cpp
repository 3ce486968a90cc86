#include "PictureButton.h"

#include "controls/HelpContext.h"
#include "controls/KeyColour.h"
#include "controls/SkinArt.h"

#include <QDialog>
#include <QPainter>
#include <QShortcut>

#include <algorithm>

namespace {

// Image indexes of a picture strip, in the order the designs lay them out.
enum GlyphImage { NormalImage = 0, DisabledImage = 1, PressedImage = 2 };

// Image `index` of a strip of `count` images of equal width.
QImage stripImage(const QPixmap &strip, int count, int index)
{
    const int width = strip.width() / count;
    return strip.toImage().copy(index * width, 0, width, strip.height());
}

} // namespace

PictureButton::PictureButton(QWidget *parent) : QPushButton(parent)
{
    // Connected first, so the dialog's result is set before any window handler runs.
    connect(this, &QAbstractButton::clicked, this, &PictureButton::onClicked);
    QPalette whiteText = palette();
    whiteText.setColor(QPalette::ButtonText, Qt::white);
    whiteText.setColor(QPalette::WindowText, Qt::white);
    setPalette(whiteText);
    resize(100, 35);
}

void PictureButton::setGlyph(const QPixmap &glyph)
{
    glyph_ = glyph;
    updateGeometry();
    update();
}

void PictureButton::setGlyphDown(const QPixmap &glyph)
{
    glyphDown_ = glyph;
    update();
}

void PictureButton::setNumGlyphs(int count)
{
    numGlyphs_ = std::clamp(count, 1, 4);
    updateGeometry();
    update();
}

void PictureButton::setGlyphLayout(GlyphLayout layout)
{
    layout_ = layout;
    update();
}

void PictureButton::setSpacing(int spacing)
{
    spacing_ = spacing;
    update();
}

void PictureButton::setMargin(int margin)
{
    margin_ = margin;
    update();
}

void PictureButton::setStoredColor(QColor &stored, const QColor &color)
{
    stored = color;
    update();
}

void PictureButton::setColorDefBorder(const QColor &color) { setStoredColor(colorDefBorder_, color); }
void PictureButton::setColorFon(const QColor &color) { setStoredColor(colorFon_, color); }
void PictureButton::setColorLightSide(const QColor &color) { setStoredColor(colorLightSide_, color); }
void PictureButton::setColorDarkSide(const QColor &color) { setStoredColor(colorDarkSide_, color); }
void PictureButton::setColorLightOut(const QColor &color) { setStoredColor(colorLightOut_, color); }
void PictureButton::setColorDarkOut(const QColor &color) { setStoredColor(colorDarkOut_, color); }

void PictureButton::setCancel(bool cancel)
{
    if (cancel == isCancel())
        return;
    if (cancel) {
        // A window shortcut fires before the dialog's own Esc handling (reject).
        cancelShortcut_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
        cancelShortcut_->setContext(Qt::WindowShortcut);
        connect(cancelShortcut_, &QShortcut::activated, this, &QAbstractButton::click);
    } else {
        delete cancelShortcut_;
        cancelShortcut_ = nullptr;
    }
}

QImage PictureButton::stateImage() const
{
    const bool pressed = isEnabled() && isDown();
    const QPixmap &source = pressed ? glyphDown_ : glyph_;
    if (source.isNull())
        return {};

    int index = NormalImage;
    if (!isEnabled() && numGlyphs_ > DisabledImage)
        index = DisabledImage;
    else if (pressed && numGlyphs_ > PressedImage)
        index = PressedImage;

    QImage image = stripImage(source, numGlyphs_, index);
    const std::optional<QRgb> key = keyColourAt(image, QPoint(0, image.height() - 1));
    if (key)
        image = withKeyTransparent(image, *key);
    if (!isEnabled() && index == NormalImage) {
        image = greyedShape(image, palette().color(QPalette::Light),
                            palette().color(QPalette::Dark));
    }
    return image;
}

QPoint PictureButton::stateImagePosition() const
{
    const QPixmap &source = isEnabled() && isDown() ? glyphDown_ : glyph_;
    const QSize glyphSize(source.width() / numGlyphs_, source.height());
    return glyphPosition(size(), glyphSize, layout_, margin_);
}

void PictureButton::paintEvent(QPaintEvent *)
{
    // Only the picture: no frame, caption or pressed offset; the focus frame lets the
    // keyboard user see where Space and Enter go.
    QPainter painter(this);
    const QImage image = stateImage();
    if (!image.isNull())
        painter.drawImage(stateImagePosition(), image);
    if (hasFocus())
        SkinArt::paintFocusFrame(painter, rect());
}

QSize PictureButton::sizeHint() const
{
    if (glyph_.isNull())
        return {100, 35};
    return QSize(glyph_.width() / numGlyphs_, glyph_.height()) + QSize(8, 4);
}

QSize PictureButton::minimumSizeHint() const
{
    if (glyph_.isNull())
        return {0, 0};
    return {glyph_.width() / numGlyphs_, glyph_.height()};
}

void PictureButton::onClicked()
{
    switch (kind_) {
    case Kind::Close:
        window()->close();
        return;
    case Kind::Help:
        if (const int context = helpContextOf(this); context != 0) {
            emit helpRequested(context);
            return;
        }
        break; // no context anywhere: an ordinary click, as the bitmap button does
    case Kind::Normal:
        break;
    }
    auto *dialog = qobject_cast<QDialog *>(window());
    if (!dialog)
        return;
    if (modalResult_)
        dialog->done(*modalResult_);
    else if (isCancel())
        dialog->reject();
}
