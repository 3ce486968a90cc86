#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QPoint>

#include <optional>

// The drawn controls follow the old bitmap-skin convention: one chosen pixel of a
// picture gives its transparent ("key") colour. These helpers turn that into alpha,
// so the controls can simply draw the result.

// Colour (ARGB) of the pixel at `at`, or nothing when the picture has no such pixel.
std::optional<QRgb> keyColourAt(const QImage &picture, QPoint at);

// The picture with every pixel of exactly the colour `key` made fully transparent.
QImage withKeyTransparent(const QImage &picture, QRgb key);

// The picture made transparent by the colour of its pixel `keyPixel`; a picture too
// small to have that pixel is drawn as it is.
QImage transparentByPixel(const QPixmap &picture, QPoint keyPixel);

// The greyed look of a picture that has no disabled image of its own: its shape (the
// pixels that are neither transparent nor white) once in `highlight` one pixel down and
// right, then in `shadow` in place; everything else transparent. `picture` must already
// have its key colour made transparent.
QImage greyedShape(const QImage &picture, const QColor &highlight, const QColor &shadow);
