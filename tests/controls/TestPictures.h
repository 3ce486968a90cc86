#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

// Pictures and renderings shared by the control tests.

inline const QColor KeyMagenta{255, 0, 255};

// A picture of one colour, except the pixel `keyPixel`, which has the key colour.
inline QPixmap pictureWithKeyAt(QSize size, const QColor &colour, QPoint keyPixel)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    image.setPixelColor(keyPixel, KeyMagenta);
    return QPixmap::fromImage(image);
}

// A picture of key colour with a square of `colour` in its middle, inset by `inset`.
inline QPixmap squareOnKey(QSize size, const QColor &colour, int inset)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(KeyMagenta);
    QPainter painter(&image);
    painter.fillRect(QRect(QPoint(0, 0), size).adjusted(inset, inset, -inset, -inset), colour);
    painter.end();
    return QPixmap::fromImage(image);
}

// What the widget paints, on an image filled with `background` (the widget's own
// background is not drawn, so transparent pixels keep `background`).
inline QImage renderOn(QWidget &widget, const QColor &background)
{
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(background);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

inline QColor colourAt(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y);
}
