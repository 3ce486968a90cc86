#pragma once

// The pictograms of the program's buttons (used by SkinArt only).

#include "controls/SkinArt.h"

#include <QColor>
#include <QPainter>
#include <QRectF>

namespace SkinPaint {

// Draws `symbol` in `ink` filling `box`; `cutout` is the colour of the plate under it, used
// for the details cut into a filled shape.
void drawSymbol(QPainter &painter, SkinArt::ButtonSymbol symbol, const QRectF &box,
                const QColor &ink, const QColor &cutout);

// A person (head and shoulders) in the 24-unit box of a pictogram.
void drawPerson(QPainter &painter, const QPointF &headCentre, qreal scale, const QColor &fill,
                const QPen &outline = Qt::NoPen);

} // namespace SkinPaint
