// Pictures of the skinned controls: button plates, glyphs, check boxes, progress bar pieces.

#include "controls/SkinArt.h"

#include "SkinPaint.h"
#include "SkinSymbols.h"

namespace SkinArt {

using namespace SkinPaint;

namespace {

constexpr int ButtonSize = 32;

enum class PlateState { Normal, Over, Down, Up, Disabled };

struct PlateColours {
    QColor top;
    QColor bottom;
    QColor rim;
};

// Confirming buttons are green and leaving ones red, so the bottom row reads at a glance.
PlateColours plateColours(ButtonSymbol symbol, PlateState state)
{
    if (state == PlateState::Disabled)
        return {GreyPale, GreyLight.darker(115), Grey};
    QColor top = BlueLight;
    QColor bottom = Blue;
    if (symbol == ButtonSymbol::Confirm) {
        top = GreenLight;
        bottom = Green;
    } else if (symbol == ButtonSymbol::Exit || symbol == ButtonSymbol::Cancel) {
        top = RedLight;
        bottom = Red;
    }
    switch (state) {
    case PlateState::Over:
        return {top.lighter(112), bottom.lighter(112), Amber};
    case PlateState::Up:
        return {top.lighter(112), bottom.lighter(112), White};
    case PlateState::Down:
        // Lit from below: the plate looks pushed in.
        return {bottom.darker(125), top.darker(110), bottom.darker(160)};
    default:
        return {top, bottom, bottom.darker(150)};
    }
}

QPixmap buttonPicture(ButtonSymbol symbol, PlateState state)
{
    QImage canvas = blankCanvas(ButtonSize, ButtonSize);
    QPainter painter(&canvas);
    prepare(painter);

    const PlateColours colours = plateColours(symbol, state);
    const QRectF plate(2.0, 2.0, 28.0, 28.0);
    const bool lit = state == PlateState::Over || state == PlateState::Up;
    painter.setPen(QPen(colours.rim, lit ? 1.8 : 1.2));
    painter.setBrush(topToBottom(plate, colours.top, colours.bottom));
    painter.drawEllipse(plate);

    if (state != PlateState::Down && state != PlateState::Disabled) {
        // A soft gloss over the upper half.
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 55));
        painter.drawEllipse(QRectF(6.0, 3.5, 20.0, 11.0));
    }

    const QColor ink = state == PlateState::Down ? QColor(220, 232, 245) : White;
    const QPointF offset = state == PlateState::Down ? QPointF(1.0, 1.0) : QPointF(0.0, 0.0);
    drawSymbol(painter, symbol, QRectF(QPointF(7.0, 7.0) + offset, QSizeF(18.0, 18.0)), ink,
               colours.bottom);
    painter.end();
    return keyed(canvas);
}

// A check box: a rounded square, ticked when on. `box` leaves the pixel (1, 1) untouched.
QPixmap checkBoxPicture(int size, const QRectF &box, qreal border, bool on, bool enabled)
{
    QImage canvas = blankCanvas(size, size);
    QPainter painter(&canvas);
    prepare(painter);
    painter.setPen(QPen(enabled ? Blue : Grey, border));
    painter.setBrush(enabled ? White : GreyPale);
    const qreal radius = box.width() / 5.0;
    painter.drawRoundedRect(box, radius, radius);
    if (on) {
        const qreal unit = box.width() / 10.0;
        const QPointF origin = box.topLeft();
        painter.setPen(strokePen(enabled ? Green : Grey, 1.6 * unit));
        painter.drawPolyline(QPolygonF({origin + QPointF(2.2 * unit, 5.2 * unit),
                                        origin + QPointF(4.3 * unit, 7.3 * unit),
                                        origin + QPointF(8.0 * unit, 2.6 * unit)}));
    }
    painter.end();
    return keyed(canvas);
}

CheckBoxPictures checkBoxPictures(int size, const QRectF &box, qreal border)
{
    return {checkBoxPicture(size, box, border, true, true),
            checkBoxPicture(size, box, border, true, false),
            checkBoxPicture(size, box, border, false, true),
            checkBoxPicture(size, box, border, false, false)};
}

// Progress bar pieces are cut from one short bar, 6 + 4 + 6 wide, so the caps and the
// tiled middle meet without a seam.
constexpr int CapWidth = 6;
constexpr int TileWidth = 4;
constexpr int BarHeight = 16;

QImage shortBar(const QColor &top, const QColor &bottom, const QColor &border, bool glossy)
{
    QImage canvas = blankCanvas(2 * CapWidth + TileWidth, BarHeight);
    QPainter painter(&canvas);
    prepare(painter);
    const QRectF bar(0.5, 2.5, 2 * CapWidth + TileWidth - 1.0, 11.0);
    painter.setPen(QPen(border, 1.0));
    painter.setBrush(topToBottom(bar, top, bottom));
    painter.drawRoundedRect(bar, 5.5, 5.5);
    if (glossy) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 80));
        painter.drawRoundedRect(QRectF(2.0, 4.0, 12.0, 3.5), 1.75, 1.75);
    }
    return canvas;
}

} // namespace

ButtonPictures transButtonPictures(ButtonSymbol symbol)
{
    return {buttonPicture(symbol, PlateState::Normal), buttonPicture(symbol, PlateState::Over),
            buttonPicture(symbol, PlateState::Down), buttonPicture(symbol, PlateState::Up),
            buttonPicture(symbol, PlateState::Disabled)};
}

GlyphPair pushButtonGlyphs(ButtonSymbol symbol)
{
    return {buttonPicture(symbol, PlateState::Normal), buttonPicture(symbol, PlateState::Down)};
}

QPixmap okGlyph()
{
    return buttonPicture(ButtonSymbol::Confirm, PlateState::Normal);
}

QPixmap okGlyphDown()
{
    return buttonPicture(ButtonSymbol::Confirm, PlateState::Down);
}

CheckBoxPictures answerMarkerPictures()
{
    return checkBoxPictures(26, QRectF(3.5, 3.5, 19.0, 19.0), 2.0);
}

CheckBoxPictures switchPictures()
{
    return checkBoxPictures(16, QRectF(3.0, 3.0, 10.0, 10.0), 1.5);
}

ProgressBarPictures progressBarPictures()
{
    // The bar draws its caps over its tiles, so a cap must cover the square tile corners
    // under it: the track's caps are opaque on the windows' blue, and the part of the fill's
    // end cap that lies over the fill's last tile is opaque on the track's middle.
    const QImage track = shortBar(BluePale, White, Ink, false);
    const QImage fill = shortBar(BlueLight, Blue, Ink, true);
    auto cut = [](const QImage &bar, int x, int width) { return bar.copy(x, 0, width, BarHeight); };
    auto over = [](const QImage &top, const QImage &bottom) {
        QImage result = bottom;
        QPainter painter(&result);
        painter.drawImage(0, 0, top);
        return result;
    };
    QImage windowBlue = blankCanvas(CapWidth, BarHeight);
    windowBlue.fill(windowBackground());
    const QImage trackTile = cut(track, CapWidth, TileWidth);

    QImage fillEnd = cut(fill, CapWidth + TileWidth, CapWidth);
    {
        QPainter painter(&fillEnd);
        painter.setCompositionMode(QPainter::CompositionMode_DestinationOver);
        painter.drawImage(0, 0, trackTile);
    }

    return {QPixmap::fromImage(over(cut(track, 0, CapWidth), windowBlue)),
            QPixmap::fromImage(trackTile),
            QPixmap::fromImage(over(cut(track, CapWidth + TileWidth, CapWidth), windowBlue)),
            QPixmap::fromImage(cut(fill, 0, CapWidth)),
            QPixmap::fromImage(cut(fill, CapWidth, TileWidth)),
            QPixmap::fromImage(fillEnd)};
}

void paintFocusFrame(QPainter &painter, const QRect &rect)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    const QRect frame = rect.adjusted(0, 0, -1, -1);
    painter.setPen(QPen(SkinPaint::White, 1));
    painter.drawRect(frame);
    painter.setPen(QPen(SkinPaint::Ink, 1, Qt::DotLine));
    painter.drawRect(frame);
    painter.restore();
}

} // namespace SkinArt
