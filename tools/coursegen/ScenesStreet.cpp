#include "SceneKit.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

// The story of lesson 2: asking the way to a museum.

namespace {

PersonLook anna()
{
    return {.hair = QColor(0xc6, 0x8b, 0x3e), .top = QColor(0xe7, 0x6f, 0x51), .legs = QColor(0x26, 0x46, 0x53),
            .longHair = true, .skirt = true};
}

PersonLook youngMan()
{
    return {.skin = QColor(0xc6, 0x8c, 0x5e), .hair = QColor(0x21, 0x21, 0x21), .top = QColor(0x43, 0xa0, 0x47),
            .legs = QColor(0x37, 0x47, 0x4f)};
}

void drawPavement(QPainter &p)
{
    p.fillRect(QRectF(0, 160, kSceneWidth, 14), QColor(0xcf, 0xc8, 0xbd));
    p.fillRect(QRectF(0, 174, kSceneWidth, 26), QColor(0x6b, 0x75, 0x80));
    for (qreal x = 10; x < kSceneWidth; x += 36)
        p.fillRect(QRectF(x, 186, 20, 2.5), Qt::white);
}

void drawTrafficLight(QPainter &p, const QPointF &foot, qreal height, int lit)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x37, 0x47, 0x4f));
    p.drawRect(QRectF(foot.x() - 2.5, foot.y() - height, 5, height));
    const QRectF box(foot.x() - 11, foot.y() - height - 52, 22, 56);
    p.setBrush(QColor(0x26, 0x32, 0x38));
    p.drawRoundedRect(box, 5, 5);
    const QColor on[] = {QColor(0xff, 0x3d, 0x00), QColor(0xff, 0xc4, 0x00), QColor(0x00, 0xe6, 0x76)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(i == lit ? on[i] : on[i].darker(350));
        p.drawEllipse(QPointF(box.center().x(), box.top() + 10 + i * 17), 6.5, 6.5);
    }
}

// The tourist map, with a question mark where the museum should be.
void paintMap(QPainter &p, const QString &family)
{
    p.fillRect(QRectF(0, 0, kSceneWidth, kSceneHeight), QColor(0x8d, 0x6e, 0x63));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRect(QRectF(64, 16, 240, 176));
    p.setBrush(QColor(0xff, 0xf8, 0xe1));
    p.drawRect(QRectF(60, 12, 240, 176));
    // Fold lines.
    p.setPen(QPen(QColor(0xe0, 0xd6, 0xb8), 1.5));
    p.drawLine(QPointF(140, 12), QPointF(140, 188));
    p.drawLine(QPointF(220, 12), QPointF(220, 188));
    p.drawLine(QPointF(60, 100), QPointF(300, 100));

    // A park, the river and the streets.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xa5, 0xd6, 0xa7));
    p.drawRoundedRect(QRectF(176, 28, 84, 54), 8, 8);
    drawLabel(p, QRectF(176, 28, 84, 54), QStringLiteral("PARK"), family, 11, QColor(0x2e, 0x7d, 0x32));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x81, 0xd4, 0xfa), 12, Qt::SolidLine, Qt::RoundCap));
    QPainterPath river;
    river.moveTo(60, 160);
    river.cubicTo(120, 140, 180, 186, 300, 150);
    p.drawPath(river);
    p.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(60, 110), QPointF(300, 110));
    p.drawLine(QPointF(110, 12), QPointF(110, 188));
    p.drawLine(QPointF(166, 12), QPointF(166, 188));
    p.drawLine(QPointF(270, 12), QPointF(270, 188));
    p.setPen(QPen(QColor(0xbd, 0xb5, 0x9f), 1));
    p.setBrush(Qt::NoBrush);
    for (const qreal x : {110.0, 166.0, 270.0})
        p.drawRect(QRectF(x - 3, 12, 6, 176));

    // You are here.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe5, 0x39, 0x35));
    QPainterPath pin;
    pin.addEllipse(QPointF(110, 122), 8, 8);
    pin.addPolygon(QPolygonF({QPointF(103, 126), QPointF(117, 126), QPointF(110, 140)}));
    p.drawPath(pin.simplified());
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(110, 122), 3, 3);
    drawLabel(p, QRectF(70, 140, 80, 14), QStringLiteral("You are here"), family, 9, QColor(0xb7, 0x1c, 0x1c));

    // And the museum: somewhere, but where?
    p.setBrush(QColor(0x1d, 0x35, 0x57));
    p.drawEllipse(QPointF(232, 128), 20, 20);
    drawLabel(p, QRectF(212, 108, 40, 40), QStringLiteral("?"), family, 28, Qt::white);
}

// Anna asks a young man the way.
void paintQuestion(QPainter &p, const QString &family)
{
    fillSky(p, QColor(0x8e, 0xc5, 0xfc), QColor(0xe0, 0xf2, 0xff));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe8, 0xb4, 0x8a));
    p.drawRect(QRectF(0, 40, kSceneWidth, 120));
    for (int i = 0; i < 6; ++i)
        drawWindowPane(p, QRectF(20 + i * 58, 56, 28, 34), QColor(0xbd, 0xe0, 0xfe));
    p.setBrush(QColor(0x2e, 0x4a, 0x62));
    p.drawRect(QRectF(150, 110, 24, 50));
    drawPavement(p);

    drawPerson(p, QPointF(128, 176), 94, anna());
    drawPerson(p, QPointF(232, 178), 100, youngMan());
    drawSpeech(p, QRectF(62, 16, 110, 32), QPointF(120, 80), QStringLiteral("Excuse me!"), family, 15);
    drawSpeech(p, QRectF(206, 24, 86, 30), QPointF(226, 78), QStringLiteral("Yes?"), family, 15, kReplyFill, kReplyInk);
}

// Straight on to the traffic lights, then left.
void paintCrossroads(QPainter &p, const QString &family)
{
    // Seen from above: two roads crossing, a park on the far corner.
    p.fillRect(QRectF(0, 0, kSceneWidth, kSceneHeight), QColor(0xcf, 0xc8, 0xbd));
    p.fillRect(QRectF(196, 0, 164, 62), QColor(0x81, 0xc7, 0x84));
    for (const QPointF tree : {QPointF(226, 24), QPointF(262, 36), QPointF(296, 20)}) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2e, 0x7d, 0x32));
        p.drawEllipse(tree, 11, 11);
    }
    p.fillRect(QRectF(0, 62, kSceneWidth, 60), QColor(0x6b, 0x75, 0x80));
    p.fillRect(QRectF(140, 0, 56, kSceneHeight), QColor(0x6b, 0x75, 0x80));
    for (qreal x = 0; x < kSceneWidth; x += 30) {
        if (x + 18 < 134 || x > 200)
            p.fillRect(QRectF(x, 91, 18, 2.5), Qt::white);
    }
    // Zebra crossings.
    for (int i = 0; i < 5; ++i) {
        p.fillRect(QRectF(144 + i * 11, 126, 6, 14), Qt::white);
        p.fillRect(QRectF(144 + i * 11, 44, 6, 14), Qt::white);
    }

    // The way: up the street, then left at the lights.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xe5, 0x39, 0x35), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath way;
    way.moveTo(168, 196);
    way.lineTo(168, 100);
    way.quadTo(168, 84, 152, 84);
    way.lineTo(84, 84);
    p.drawPath(way);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe5, 0x39, 0x35));
    p.drawPolygon(QPolygonF({QPointF(68, 84), QPointF(86, 72), QPointF(86, 96)}));

    drawTrafficLight(p, QPointF(206, 150), 28, 2);
    p.setBrush(QColor(0x1d, 0x35, 0x57));
    p.drawRoundedRect(QRectF(62, 134, 72, 24), 5, 5);
    drawLabel(p, QRectF(62, 134, 72, 24), QStringLiteral("turn left"), family, 12, Qt::white);
}

void drawDoubleDecker(QPainter &p, const QPointF &bottomLeft, const QString &family)
{
    const qreal x = bottomLeft.x();
    const qreal y = bottomLeft.y();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd3, 0x2f, 0x2f));
    p.drawRoundedRect(QRectF(x, y - 96, 170, 88), 10, 10);
    p.setBrush(QColor(0xb7, 0x1c, 0x1c));
    p.drawRect(QRectF(x, y - 52, 170, 5));
    for (int i = 0; i < 5; ++i) {
        p.setBrush(QColor(0xcf, 0xe8, 0xfc));
        p.drawRoundedRect(QRectF(x + 10 + i * 30, y - 88, 24, 22), 3, 3);
        if (i < 4)
            p.drawRoundedRect(QRectF(x + 10 + i * 30, y - 42, 24, 20), 3, 3);
    }
    p.setBrush(QColor(0x37, 0x47, 0x4f));
    p.drawRect(QRectF(x + 132, y - 44, 26, 36));
    // The route number over the windscreen.
    p.setBrush(QColor(0x21, 0x21, 0x21));
    p.drawRect(QRectF(x + 120, y - 104, 44, 16));
    drawLabel(p, QRectF(x + 120, y - 104, 44, 16), QStringLiteral("14"), family, 13, QColor(0xff, 0xc1, 0x07));
    p.setBrush(QColor(0x21, 0x21, 0x21));
    p.drawEllipse(QPointF(x + 36, y - 6), 13, 13);
    p.drawEllipse(QPointF(x + 136, y - 6), 13, 13);
    p.setBrush(QColor(0x9e, 0x9e, 0x9e));
    p.drawEllipse(QPointF(x + 36, y - 6), 5, 5);
    p.drawEllipse(QPointF(x + 136, y - 6), 5, 5);
}

// The number 14 bus at its stop.
void paintBus(QPainter &p, const QString &family)
{
    fillSky(p, QColor(0x90, 0xca, 0xf9), QColor(0xe3, 0xf2, 0xfd));
    drawCloud(p, {110, 30}, 0.8);
    drawCloud(p, {250, 22}, 0.7);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xb0, 0xbe, 0xc5));
    p.drawRect(QRectF(0, 92, kSceneWidth, 70));
    drawPavement(p);
    drawDoubleDecker(p, QPointF(64, 184), family);
    // The bus stop sign.
    p.setBrush(QColor(0x55, 0x55, 0x55));
    p.drawRect(QRectF(264, 94, 4, 72));
    p.setBrush(QColor(0xd3, 0x2f, 0x2f));
    p.drawEllipse(QPointF(266, 86), 18, 18);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(266, 86), 12, 12);
    p.setBrush(QColor(0x1d, 0x35, 0x57));
    p.drawRect(QRectF(244, 80, 44, 12));
    drawLabel(p, QRectF(244, 80, 44, 12), QStringLiteral("BUS STOP"), family, 7, Qt::white);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(254, 108, 24, 14));
    drawLabel(p, QRectF(254, 108, 24, 14), QStringLiteral("14"), family, 10, QColor(0xd3, 0x2f, 0x2f));
}

// The museum with its columns, the park opposite.
void paintMuseum(QPainter &p, const QString &family)
{
    fillSky(p, QColor(0x64, 0xb5, 0xf6), QColor(0xe3, 0xf2, 0xfd));
    drawSun(p, {272, 30}, 12, QColor(0xff, 0xd5, 0x4f));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xee, 0xe6, 0xd8));
    p.drawRect(QRectF(92, 74, 188, 92));
    p.setBrush(QColor(0xd7, 0xcc, 0xb8));
    p.drawPolygon(QPolygonF({QPointF(84, 76), QPointF(288, 76), QPointF(186, 36)}));
    p.setBrush(QColor(0xbc, 0xaa, 0x8c));
    p.drawRect(QRectF(84, 74, 204, 6));
    p.setBrush(QColor(0x37, 0x47, 0x4f));
    p.drawRect(QRectF(112, 84, 148, 16));
    drawLabel(p, QRectF(112, 84, 148, 16), QStringLiteral("MUSEUM OF SCIENCE"), family, 10, Qt::white);
    for (int i = 0; i < 6; ++i) {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(104 + i * 30, 104, 12, 56));
        p.setBrush(QColor(0xd7, 0xcc, 0xb8));
        p.drawRect(QRectF(102 + i * 30, 102, 16, 4));
    }
    p.setBrush(QColor(0xbc, 0xaa, 0x8c));
    p.drawRect(QRectF(84, 160, 204, 6));
    p.drawRect(QRectF(76, 166, 220, 6));
    p.fillRect(QRectF(0, 172, kSceneWidth, 28), QColor(0x9c, 0xcc, 0x65));

    // The park opposite: trees along the left.
    drawTree(p, 62, 186, 64);
    drawTree(p, 300, 188, 58);
    drawPerson(p, QPointF(186, 194), 40, anna());
}

} // namespace

std::span<const SceneEntry> streetScenes()
{
    static const SceneEntry scenes[] = {
        {"map", paintMap},
        {"question", paintQuestion},
        {"crossroads", paintCrossroads},
        {"bus", paintBus},
        {"museum", paintMuseum},
    };
    return scenes;
}
