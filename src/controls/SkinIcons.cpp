// Icons of the main window and the message window: toolbar, lesson tree, message kinds.

#include "controls/SkinArt.h"

#include "SkinPaint.h"
#include "SkinSymbols.h"

#include <QPainterPath>

namespace SkinArt {

using namespace SkinPaint;

namespace {

constexpr int IconSize = 32;
constexpr int TreeSize = 16;

// A round badge with a pictogram, as the toolbar and the message icons use.
void drawBadge(QPainter &painter, const QPointF &centre, qreal radius, const QColor &top,
               const QColor &bottom, ButtonSymbol symbol, qreal symbolSize)
{
    const QRectF disc(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    painter.setPen(QPen(White, 1.5));
    painter.setBrush(topToBottom(disc, top, bottom));
    painter.drawEllipse(disc);
    const QRectF box(centre.x() - symbolSize / 2, centre.y() - symbolSize / 2, symbolSize,
                     symbolSize);
    drawSymbol(painter, symbol, box, White, bottom);
}

void drawInformationMark(QPainter &painter, const QPointF &centre, qreal unit, const QColor &ink)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawEllipse(centre + QPointF(0, -6.5 * unit), 2.1 * unit, 2.1 * unit);
    painter.setPen(strokePen(ink, 3.6 * unit));
    painter.drawLine(centre + QPointF(0, -1.5 * unit), centre + QPointF(0, 7.0 * unit));
}

void drawNewUser(QPainter &painter)
{
    drawPerson(painter, {13.0, 9.0}, 1.45, White, QPen(Ink, 1.4));
    const QRectF badge(17.0, 16.5, 14.0, 14.0);
    painter.setPen(QPen(White, 1.5));
    painter.setBrush(topToBottom(badge, GreenLight, Green));
    painter.drawEllipse(badge);
    painter.setPen(strokePen(White, 2.4));
    painter.drawLine(QPointF(24.0, 20.0), QPointF(24.0, 27.0));
    painter.drawLine(QPointF(20.5, 23.5), QPointF(27.5, 23.5));
}

void drawSelectUser(QPainter &painter)
{
    // A name card: a person and the lines of a name.
    const QRectF card(2.5, 6.5, 27.0, 19.0);
    painter.setPen(QPen(Ink, 1.4));
    painter.setBrush(White);
    painter.drawRoundedRect(card, 3.0, 3.0);
    painter.setBrush(BluePale);
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(5.0, 9.0, 10.0, 14.0), 2.0, 2.0);
    drawPerson(painter, {10.0, 13.0}, 0.62, Blue);
    painter.setPen(strokePen(BlueMid, 2.0));
    painter.drawLine(QPointF(18.0, 12.5), QPointF(26.0, 12.5));
    painter.drawLine(QPointF(18.0, 16.5), QPointF(26.0, 16.5));
    painter.setPen(strokePen(Amber, 2.0));
    painter.drawLine(QPointF(18.0, 20.5), QPointF(23.0, 20.5));
}

void drawRun(QPainter &painter)
{
    const QRectF disc(2.0, 2.0, 28.0, 28.0);
    painter.setPen(QPen(White, 1.6));
    painter.setBrush(topToBottom(disc, GreenLight, Green));
    painter.drawEllipse(disc);
    drawSymbol(painter, ButtonSymbol::Play, QRectF(8.0, 7.5, 17.0, 17.0), White, Green);
}

void drawReport(QPainter &painter)
{
    QPainterPath sheet;
    sheet.moveTo(6.5, 2.5);
    sheet.lineTo(20.0, 2.5);
    sheet.lineTo(25.5, 8.0);
    sheet.lineTo(25.5, 29.5);
    sheet.lineTo(6.5, 29.5);
    sheet.closeSubpath();
    painter.setPen(QPen(Ink, 1.4));
    painter.setBrush(White);
    painter.drawPath(sheet);
    painter.setBrush(BluePale);
    painter.drawPolygon(QPolygonF({{20.0, 2.5}, {20.0, 8.0}, {25.5, 8.0}}));
    painter.setPen(strokePen(BlueMid, 1.6));
    for (const qreal y : {8.0, 11.5, 15.0})
        painter.drawLine(QPointF(9.5, y), QPointF(y < 9.0 ? 17.0 : 22.5, y));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Green);
    painter.drawRect(QRectF(9.5, 21.0, 3.5, 6.0));
    painter.setBrush(Amber);
    painter.drawRect(QRectF(14.5, 18.0, 3.5, 9.0));
    painter.setBrush(Blue);
    painter.drawRect(QRectF(19.5, 23.0, 3.5, 4.0));
}

void drawAbout(QPainter &painter)
{
    const QRectF disc(2.0, 2.0, 28.0, 28.0);
    painter.setPen(QPen(White, 1.6));
    painter.setBrush(topToBottom(disc, BlueLight, Blue));
    painter.drawEllipse(disc);
    drawInformationMark(painter, {16.0, 16.5}, 1.25, White);
}

void drawExit(QPainter &painter)
{
    // An open door with an arrow going out of it.
    painter.setPen(QPen(Ink, 1.4));
    painter.setBrush(Ink.lighter(140));
    painter.drawRect(QRectF(4.5, 3.5, 14.0, 25.0));
    painter.setBrush(topToBottom(QRectF(4.5, 3.5, 9.0, 25.0), BlueLight, Blue));
    painter.drawPolygon(QPolygonF({{4.5, 3.5}, {12.5, 6.5}, {12.5, 31.0}, {4.5, 28.5}}));
    painter.setPen(Qt::NoPen);
    painter.setBrush(AmberLight);
    painter.drawEllipse(QPointF(10.5, 17.5), 1.2, 1.2);
    painter.setPen(strokePen(White, 5.0));
    painter.drawLine(QPointF(15.0, 16.0), QPointF(24.0, 16.0));
    painter.setPen(strokePen(Red, 2.8));
    painter.drawLine(QPointF(15.0, 16.0), QPointF(24.0, 16.0));
    painter.setPen(strokePen(Red, 1.2));
    painter.setBrush(Red);
    painter.drawPolygon(QPolygonF({{22.5, 10.5}, {30.0, 16.0}, {22.5, 21.5}}));
}

QPixmap treeBox(bool done)
{
    QImage canvas = blankCanvas(TreeSize, TreeSize);
    QPainter painter(&canvas);
    prepare(painter);
    painter.setPen(QPen(Blue, 1.2));
    painter.setBrush(White);
    painter.drawRoundedRect(QRectF(2.5, 2.5, 11.0, 11.0), 2.0, 2.0);
    if (done) {
        painter.setPen(strokePen(Green, 2.2));
        painter.drawPolyline(QPolygonF({{4.8, 8.0}, {7.2, 10.5}, {12.5, 3.8}}));
    }
    painter.end();
    return QPixmap::fromImage(canvas);
}

QPixmap treeBook()
{
    QImage canvas = blankCanvas(TreeSize, TreeSize);
    QPainter painter(&canvas);
    prepare(painter);
    painter.setPen(QPen(Grey, 1.0));
    painter.setBrush(White);
    painter.drawRoundedRect(QRectF(4.5, 2.5, 9.5, 12.0), 1.0, 1.0);
    painter.setPen(QPen(Ink, 1.0));
    painter.setBrush(topToBottom(QRectF(2.5, 1.5, 10.0, 12.0), BlueMid, Blue));
    painter.drawRoundedRect(QRectF(2.5, 1.5, 10.0, 12.0), 1.2, 1.2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Ink);
    painter.drawRect(QRectF(3.0, 2.0, 1.8, 11.0));
    painter.setBrush(Amber);
    painter.drawRect(QRectF(6.5, 4.0, 4.5, 2.0));
    painter.end();
    return QPixmap::fromImage(canvas);
}

} // namespace

QPixmap toolIcon(ToolIcon icon)
{
    QImage canvas = blankCanvas(IconSize, IconSize);
    QPainter painter(&canvas);
    prepare(painter);
    switch (icon) {
    case ToolIcon::NewUser:
        drawNewUser(painter);
        break;
    case ToolIcon::SelectUser:
        drawSelectUser(painter);
        break;
    case ToolIcon::Run:
        drawRun(painter);
        break;
    case ToolIcon::Report:
        drawReport(painter);
        break;
    case ToolIcon::About:
        drawAbout(painter);
        break;
    case ToolIcon::Exit:
        drawExit(painter);
        break;
    }
    painter.end();
    return QPixmap::fromImage(canvas);
}

QPixmap treeImage(int index)
{
    switch (index) {
    case 0:
        return treeBook();
    case 1:
        return treeBox(false);
    case 2:
        return treeBox(true);
    default:
        return {};
    }
}

QPixmap messageIcon(int index)
{
    QImage canvas = blankCanvas(IconSize, IconSize);
    QPainter painter(&canvas);
    prepare(painter);
    switch (index) {
    case 0: { // stop: a red octagon with a cross
        QPolygonF octagon;
        for (int i = 0; i < 8; ++i) {
            const QLineF ray = QLineF::fromPolar(14.5, 22.5 + 45.0 * i);
            octagon << QPointF(16.0, 16.0) + ray.p2();
        }
        painter.setPen(QPen(White, 1.6));
        painter.setBrush(topToBottom(octagon.boundingRect(), RedLight, Red));
        painter.drawPolygon(octagon);
        drawSymbol(painter, ButtonSymbol::Cancel, QRectF(6.0, 6.0, 20.0, 20.0), White, Red);
        break;
    }
    case 1:
        drawBadge(painter, {16.0, 16.0}, 14.0, BlueLight, Blue, ButtonSymbol::Help, 20.0);
        break;
    case 2: { // exclamation: an amber warning triangle
        QPainterPath triangle;
        triangle.moveTo(16.0, 2.5);
        triangle.lineTo(30.0, 28.5);
        triangle.lineTo(2.0, 28.5);
        triangle.closeSubpath();
        painter.setPen(strokePen(Ink, 1.6));
        painter.setBrush(topToBottom(triangle.boundingRect(), AmberLight, Amber));
        painter.drawPath(triangle);
        painter.setPen(strokePen(Ink, 3.4));
        painter.drawLine(QPointF(16.0, 11.0), QPointF(16.0, 19.0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(Ink);
        painter.drawEllipse(QPointF(16.0, 24.0), 1.9, 1.9);
        break;
    }
    default: { // information
        const QRectF disc(2.0, 2.0, 28.0, 28.0);
        painter.setPen(QPen(White, 1.6));
        painter.setBrush(topToBottom(disc, BlueLight, Blue));
        painter.drawEllipse(disc);
        drawInformationMark(painter, {16.0, 16.5}, 1.25, White);
        break;
    }
    }
    painter.end();
    return QPixmap::fromImage(canvas);
}

} // namespace SkinArt
