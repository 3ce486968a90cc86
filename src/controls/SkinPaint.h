#pragma once

// Shared colours and drawing helpers of the program's pictures (used by SkinArt only).

#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QRectF>

namespace SkinPaint {

// The flat blue palette the pictures share.
inline const QColor Ink{22, 63, 115};
inline const QColor Blue{31, 102, 179};
inline const QColor BlueMid{47, 120, 196};
inline const QColor BlueLight{79, 163, 232};
inline const QColor BluePale{214, 232, 247};
inline const QColor Green{46, 139, 74};
inline const QColor GreenLight{92, 194, 124};
inline const QColor Red{194, 58, 53};
inline const QColor RedLight{238, 111, 94};
inline const QColor Amber{242, 179, 61};
inline const QColor AmberLight{255, 214, 128};
inline const QColor Grey{141, 155, 168};
inline const QColor GreyLight{196, 206, 215};
inline const QColor GreyPale{228, 233, 238};
inline const QColor White{255, 255, 255};

// A transparent picture to draw on.
QImage blankCanvas(int width, int height);

// A painter on `image` with anti-aliasing on.
void prepare(QPainter &painter);

// The drawing on a key-colour background: pixels left untouched become the opaque key
// colour; anti-aliased edge pixels keep their partial alpha.
QPixmap keyed(const QImage &drawing);

QLinearGradient topToBottom(const QRectF &rect, const QColor &top, const QColor &bottom);

// A pen for the strokes of pictograms.
QPen strokePen(const QColor &color, qreal width);

} // namespace SkinPaint
