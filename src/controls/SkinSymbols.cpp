#include "SkinSymbols.h"

#include "SkinPaint.h"

#include <QPainterPath>
#include <QPolygonF>

namespace SkinPaint {

using SkinArt::ButtonSymbol;

namespace {

// Pictograms are designed on a 24 x 24 grid and scaled to their box.
constexpr qreal Grid = 24.0;

void fillPolygon(QPainter &painter, std::initializer_list<QPointF> points, const QColor &color)
{
    painter.setPen(strokePen(color, 1.2)); // rounds the corners a little
    painter.setBrush(color);
    painter.drawPolygon(QPolygonF(points));
}

void strokeLines(QPainter &painter, std::initializer_list<QPointF> points, const QColor &color,
                 qreal width)
{
    painter.setPen(strokePen(color, width));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygonF(points));
}

void drawQuestionMark(QPainter &painter, const QColor &ink)
{
    const QRectF bow(7.5, 3.0, 9.0, 9.0);
    QPainterPath hook;
    hook.arcMoveTo(bow, 160);
    hook.arcTo(bow, 160, -220);
    hook.lineTo(12.0, 13.5);
    hook.lineTo(12.0, 14.8);
    painter.setPen(strokePen(ink, 3.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(hook);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawEllipse(QPointF(12.0, 19.6), 1.9, 1.9);
}

void drawExit(QPainter &painter, const QColor &ink)
{
    painter.setPen(strokePen(ink, 2.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(4.0, 3.5, 9.5, 17.0), 1.0, 1.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawEllipse(QPointF(10.8, 12.5), 1.1, 1.1);
    strokeLines(painter, {{13.0, 12.0}, {18.0, 12.0}}, ink, 2.6);
    fillPolygon(painter, {{16.5, 7.8}, {21.3, 12.0}, {16.5, 16.2}}, ink);
}

void drawRepeat(QPainter &painter, const QColor &ink)
{
    const QRectF ring(5.5, 5.5, 13.0, 13.0);
    QPainterPath arc;
    arc.arcMoveTo(ring, 75);
    arc.arcTo(ring, 75, 285);
    painter.setPen(strokePen(ink, 2.6));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(arc);
    fillPolygon(painter, {{14.6, 13.0}, {22.4, 13.0}, {18.5, 7.6}}, ink);
}

void drawMicrophone(QPainter &painter, const QColor &ink)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawRoundedRect(QRectF(8.8, 2.5, 6.4, 11.5), 3.2, 3.2);
    QPainterPath cup;
    const QRectF bow(5.8, 5.0, 12.4, 12.4);
    cup.arcMoveTo(bow, 180);
    cup.arcTo(bow, 180, 180);
    painter.setPen(strokePen(ink, 2.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(cup);
    strokeLines(painter, {{12.0, 17.6}, {12.0, 20.6}}, ink, 2.0);
    strokeLines(painter, {{8.5, 20.8}, {15.5, 20.8}}, ink, 2.2);
}

void drawHourglass(QPainter &painter, const QColor &ink)
{
    strokeLines(painter, {{6.0, 3.5}, {18.0, 3.5}}, ink, 2.4);
    strokeLines(painter, {{6.0, 20.5}, {18.0, 20.5}}, ink, 2.4);
    painter.setPen(strokePen(ink, 1.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(QPolygonF({{7.5, 4.5}, {16.5, 4.5}, {12.6, 12.0}, {16.5, 19.5},
                                   {7.5, 19.5}, {11.4, 12.0}}));
    fillPolygon(painter, {{9.6, 7.2}, {14.4, 7.2}, {12.0, 10.6}}, ink);
    fillPolygon(painter, {{8.8, 18.6}, {15.2, 18.6}, {12.0, 15.0}}, ink);
}

void drawComment(QPainter &painter, const QColor &ink, const QColor &cutout)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawRoundedRect(QRectF(3.0, 4.0, 18.0, 12.0), 3.2, 3.2);
    fillPolygon(painter, {{7.0, 15.0}, {7.0, 20.5}, {12.5, 15.0}}, ink);
    strokeLines(painter, {{7.0, 8.3}, {17.0, 8.3}}, cutout, 1.6);
    strokeLines(painter, {{7.0, 11.8}, {14.0, 11.8}}, cutout, 1.6);
}

void drawUser(QPainter &painter, const QColor &ink, bool adding)
{
    drawPerson(painter, {9.5, 7.3}, 1.0, ink);
    strokeLines(painter, {{15.5, 8.0}, {22.0, 8.0}}, ink, 2.6);
    if (adding)
        strokeLines(painter, {{18.75, 4.75}, {18.75, 11.25}}, ink, 2.6);
}

} // namespace

void drawPerson(QPainter &painter, const QPointF &headCentre, qreal scale, const QColor &fill,
                const QPen &outline)
{
    painter.setPen(outline);
    painter.setBrush(fill);
    painter.drawEllipse(headCentre, 3.9 * scale, 3.9 * scale);
    const qreal x = headCentre.x();
    const qreal top = headCentre.y() + 5.7 * scale;
    const qreal half = 6.8 * scale;
    QPainterPath body;
    body.moveTo(x - half, top + 7.5 * scale);
    body.cubicTo(x - half, top - 0.5 * scale, x + half, top - 0.5 * scale, x + half,
                 top + 7.5 * scale);
    body.closeSubpath();
    painter.drawPath(body);
}

void drawSymbol(QPainter &painter, ButtonSymbol symbol, const QRectF &box, const QColor &ink,
                const QColor &cutout)
{
    painter.save();
    painter.translate(box.topLeft());
    painter.scale(box.width() / Grid, box.height() / Grid);
    switch (symbol) {
    case ButtonSymbol::Confirm:
        strokeLines(painter, {{5.0, 12.5}, {10.0, 17.5}, {19.0, 6.5}}, ink, 3.2);
        break;
    case ButtonSymbol::Cancel:
        strokeLines(painter, {{6.5, 6.5}, {17.5, 17.5}}, ink, 3.2);
        strokeLines(painter, {{17.5, 6.5}, {6.5, 17.5}}, ink, 3.2);
        break;
    case ButtonSymbol::Help:
        drawQuestionMark(painter, ink);
        break;
    case ButtonSymbol::Exit:
        drawExit(painter, ink);
        break;
    case ButtonSymbol::Next:
        strokeLines(painter, {{4.5, 12.0}, {14.0, 12.0}}, ink, 3.2);
        fillPolygon(painter, {{12.5, 5.5}, {20.0, 12.0}, {12.5, 18.5}}, ink);
        break;
    case ButtonSymbol::Repeat:
        drawRepeat(painter, ink);
        break;
    case ButtonSymbol::Play:
        fillPolygon(painter, {{8.0, 4.8}, {19.0, 12.0}, {8.0, 19.2}}, ink);
        break;
    case ButtonSymbol::Pause:
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawRoundedRect(QRectF(6.5, 5.0, 4.2, 14.0), 1.0, 1.0);
        painter.drawRoundedRect(QRectF(13.3, 5.0, 4.2, 14.0), 1.0, 1.0);
        break;
    case ButtonSymbol::Stop:
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawRoundedRect(QRectF(6.0, 6.0, 12.0, 12.0), 1.6, 1.6);
        break;
    case ButtonSymbol::Record:
        painter.setPen(strokePen(ink, 1.8));
        painter.setBrush(RedLight);
        painter.drawEllipse(QPointF(12.0, 12.0), 6.6, 6.6);
        break;
    case ButtonSymbol::Translate:
        drawMicrophone(painter, ink);
        break;
    case ButtonSymbol::Wait:
        drawHourglass(painter, ink);
        break;
    case ButtonSymbol::PlayFromStart:
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawRoundedRect(QRectF(4.5, 5.0, 3.4, 14.0), 0.8, 0.8);
        fillPolygon(painter, {{10.5, 5.0}, {20.0, 12.0}, {10.5, 19.0}}, ink);
        break;
    case ButtonSymbol::PlayFromHere:
        fillPolygon(painter, {{4.0, 6.0}, {12.0, 12.0}, {4.0, 18.0}}, ink);
        fillPolygon(painter, {{12.0, 6.0}, {20.0, 12.0}, {12.0, 18.0}}, ink);
        break;
    case ButtonSymbol::PlayFragment:
        strokeLines(painter, {{6.0, 4.5}, {3.5, 4.5}, {3.5, 19.5}, {6.0, 19.5}}, ink, 2.0);
        strokeLines(painter, {{18.0, 4.5}, {20.5, 4.5}, {20.5, 19.5}, {18.0, 19.5}}, ink, 2.0);
        fillPolygon(painter, {{9.0, 7.0}, {16.5, 12.0}, {9.0, 17.0}}, ink);
        break;
    case ButtonSymbol::Mark:
        strokeLines(painter, {{7.0, 3.5}, {7.0, 20.5}}, ink, 2.2);
        fillPolygon(painter, {{7.8, 4.2}, {19.0, 8.2}, {7.8, 12.4}}, ink);
        break;
    case ButtonSymbol::Comment:
        drawComment(painter, ink, cutout);
        break;
    case ButtonSymbol::Compare:
        // The model's line, then the learner's own.
        fillPolygon(painter, {{2.5, 6.0}, {10.5, 12.0}, {2.5, 18.0}}, ink);
        drawPerson(painter, {17.0, 7.0}, 0.8, ink);
        break;
    case ButtonSymbol::NewUser:
        drawUser(painter, ink, true);
        break;
    case ButtonSymbol::DeleteUser:
        drawUser(painter, ink, false);
        break;
    case ButtonSymbol::DeleteRecording:
        // A smaller microphone on the left, a cross on the right.
        painter.save();
        painter.translate(-2.3, 3.0);
        painter.scale(0.75, 0.75);
        drawMicrophone(painter, ink);
        painter.restore();
        strokeLines(painter, {{13.5, 8.5}, {20.5, 15.5}}, ink, 2.8);
        strokeLines(painter, {{20.5, 8.5}, {13.5, 15.5}}, ink, 2.8);
        break;
    }
    painter.restore();
}

} // namespace SkinPaint
