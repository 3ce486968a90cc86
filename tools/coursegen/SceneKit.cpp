#include "SceneKit.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include <cmath>

void fillSky(QPainter &p, const QColor &top, const QColor &bottom)
{
    QLinearGradient sky(0, 0, 0, kSceneHeight);
    sky.setColorAt(0, top);
    sky.setColorAt(1, bottom);
    p.fillRect(QRectF(0, 0, kSceneWidth, kSceneHeight), sky);
}

void fillWall(QPainter &p, const QColor &wall, const QColor &floor, qreal floorY)
{
    QLinearGradient shade(0, 0, 0, floorY);
    shade.setColorAt(0, wall.lighter(108));
    shade.setColorAt(1, wall);
    p.fillRect(QRectF(0, 0, kSceneWidth, floorY), shade);
    p.fillRect(QRectF(0, floorY, kSceneWidth, kSceneHeight - floorY), floor);
    p.fillRect(QRectF(0, floorY, kSceneWidth, 2), floor.darker(130));
}

void drawSun(QPainter &p, const QPointF &centre, qreal radius, const QColor &colour)
{
    QColor glow = colour;
    glow.setAlpha(110);
    QColor clear = colour;
    clear.setAlpha(0);
    QRadialGradient halo(centre, radius * 2.4);
    halo.setColorAt(0.35, glow);
    halo.setColorAt(1, clear);
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(centre, radius * 2.4, radius * 2.4);
    p.setBrush(colour);
    p.drawEllipse(centre, radius, radius);
}

void drawCloud(QPainter &p, const QPointF &c, qreal s)
{
    QPainterPath cloud;
    cloud.setFillRule(Qt::WindingFill);
    cloud.addEllipse(c + QPointF(-18, 0) * s, 14 * s, 10 * s);
    cloud.addEllipse(c + QPointF(0, -6) * s, 16 * s, 13 * s);
    cloud.addEllipse(c + QPointF(18, 0) * s, 13 * s, 9 * s);
    cloud.addRoundedRect(QRectF(c.x() - 30 * s, c.y() - 2 * s, 60 * s, 12 * s), 6 * s, 6 * s);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawPath(cloud.simplified());
}

void drawTree(QPainter &p, qreal x, qreal groundY, qreal height)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x8d, 0x6e, 0x63));
    p.drawRect(QRectF(x - 3, groundY - height * 0.4, 6, height * 0.4));
    p.setBrush(QColor(0x40, 0x91, 0x6c));
    p.drawEllipse(QPointF(x, groundY - height * 0.62), height * 0.3, height * 0.36);
    p.setBrush(QColor(0x52, 0xb7, 0x88));
    p.drawEllipse(QPointF(x - height * 0.08, groundY - height * 0.7), height * 0.2, height * 0.22);
}

void drawLabel(QPainter &p, const QRectF &box, const QString &text, const QString &family,
               qreal pixelSize, const QColor &colour, bool bold)
{
    QFont font(family);
    font.setPixelSize(qRound(pixelSize));
    font.setBold(bold);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(box, Qt::AlignCenter, text);
}

void drawBubble(QPainter &p, const QRectF &box, const QPointF &tip, const QColor &fill)
{
    // The tail leaves the bubble's lower edge on the side of its tip.
    const qreal baseX = qBound(box.left() + 18, tip.x(), box.right() - 30);
    QPainterPath bubble;
    bubble.setFillRule(Qt::WindingFill);
    bubble.addRoundedRect(box, 14, 14);
    bubble.addPolygon(QPolygonF({QPointF(baseX, box.bottom() - 4), QPointF(baseX + 14, box.bottom() - 4), tip}));
    bubble = bubble.simplified();

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 55));
    p.drawPath(bubble.translated(2, 3));
    p.setPen(QPen(QColor(0x1d, 0x35, 0x57, 120), 1.2));
    p.setBrush(fill);
    p.drawPath(bubble);
}

void drawSpeech(QPainter &p, const QRectF &box, const QPointF &tip, const QString &words, const QString &family,
                qreal pixelSize, const QColor &fill, const QColor &ink)
{
    drawBubble(p, box, tip, fill);
    drawLabel(p, box, words, family, pixelSize, ink);
}

void drawArm(QPainter &p, const QPointF &shoulder, const QPointF &hand, qreal width, const PersonLook &look)
{
    p.setPen(QPen(look.top, width, Qt::SolidLine, Qt::RoundCap));
    const QPointF elbow = shoulder + (hand - shoulder) * 0.55;
    p.drawLine(shoulder, elbow);
    p.setPen(QPen(look.skin, width * 0.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(elbow, hand);
}

void drawPerson(QPainter &p, const QPointF &feet, qreal height, const PersonLook &look)
{
    // Proportions of a cartoon figure: a large head, a body a third of the height.
    const qreal u = height / 100;
    const qreal x = feet.x();
    const qreal ground = feet.y();
    const QPointF head(x, ground - 84 * u);
    const qreal headR = 11 * u;

    p.setPen(Qt::NoPen);
    // Legs, or a skirt over shorter legs.
    p.setBrush(look.legs);
    if (look.skirt) {
        p.setBrush(look.skin);
        p.drawRect(QRectF(x - 7 * u, ground - 22 * u, 5 * u, 20 * u));
        p.drawRect(QRectF(x + 2 * u, ground - 22 * u, 5 * u, 20 * u));
        p.setBrush(look.legs);
        p.drawPolygon(QPolygonF({QPointF(x - 11 * u, ground - 46 * u), QPointF(x + 11 * u, ground - 46 * u),
                                 QPointF(x + 15 * u, ground - 22 * u), QPointF(x - 15 * u, ground - 22 * u)}));
    } else {
        p.drawRect(QRectF(x - 9 * u, ground - 46 * u, 8 * u, 44 * u));
        p.drawRect(QRectF(x + 1 * u, ground - 46 * u, 8 * u, 44 * u));
    }
    p.setBrush(QColor(0x3e, 0x27, 0x23));
    p.drawRoundedRect(QRectF(x - 11 * u, ground - 4 * u, 10 * u, 4 * u), 2 * u, 2 * u);
    p.drawRoundedRect(QRectF(x + 1 * u, ground - 4 * u, 10 * u, 4 * u), 2 * u, 2 * u);

    // Body and the arms hanging beside it.
    p.setBrush(look.top);
    QPainterPath body;
    body.moveTo(x - 13 * u, ground - 44 * u);
    body.lineTo(x - 12 * u, ground - 66 * u);
    body.quadTo(x - 12 * u, ground - 72 * u, x - 6 * u, ground - 72 * u);
    body.lineTo(x + 6 * u, ground - 72 * u);
    body.quadTo(x + 12 * u, ground - 72 * u, x + 12 * u, ground - 66 * u);
    body.lineTo(x + 13 * u, ground - 44 * u);
    body.closeSubpath();
    p.drawPath(body);
    drawArm(p, QPointF(x - 13 * u, ground - 68 * u), QPointF(x - 16 * u, ground - 44 * u), 5 * u, look);
    drawArm(p, QPointF(x + 13 * u, ground - 68 * u), QPointF(x + 16 * u, ground - 44 * u), 5 * u, look);

    // Neck, head and hair.
    p.setPen(Qt::NoPen);
    p.setBrush(look.skin);
    p.drawRect(QRectF(x - 3 * u, ground - 76 * u, 6 * u, 6 * u));
    if (look.longHair) {
        p.setBrush(look.hair);
        p.drawRoundedRect(QRectF(x - 13 * u, head.y() - 4 * u, 26 * u, 24 * u), 6 * u, 6 * u);
    }
    p.setBrush(look.skin);
    p.drawEllipse(head, headR, headR * 1.08);
    p.setBrush(look.hair);
    QPainterPath hair;
    hair.moveTo(head.x() - headR - 0.5 * u, head.y() + 1 * u);
    hair.cubicTo(head.x() - headR, head.y() - headR * 1.6, head.x() + headR, head.y() - headR * 1.6,
                 head.x() + headR + 0.5 * u, head.y() + 1 * u);
    hair.quadTo(head.x() + 2 * u, head.y() - 7 * u, head.x() - headR - 0.5 * u, head.y() + 1 * u);
    p.drawPath(hair);

    // Face: eyes and, usually, a smile.
    p.setBrush(QColor(0x33, 0x2b, 0x28));
    p.drawEllipse(QPointF(head.x() - 4 * u, head.y() + 1 * u), 1.3 * u, 1.5 * u);
    p.drawEllipse(QPointF(head.x() + 4 * u, head.y() + 1 * u), 1.3 * u, 1.5 * u);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xa0, 0x4b, 0x3c), 1.1 * u, Qt::SolidLine, Qt::RoundCap));
    if (look.smile)
        p.drawArc(QRectF(head.x() - 4 * u, head.y() + 2 * u, 8 * u, 5 * u), 200 * 16, 140 * 16);
    else
        p.drawLine(QPointF(head.x() - 3 * u, head.y() + 6 * u), QPointF(head.x() + 3 * u, head.y() + 6 * u));
    p.setPen(Qt::NoPen);
}

void drawSuitcase(QPainter &p, const QPointF &bottomLeft, qreal width, const QColor &colour)
{
    const qreal h = width * 0.72;
    const QRectF box(bottomLeft.x(), bottomLeft.y() - h, width, h);
    p.setPen(QPen(colour.darker(160), width * 0.08));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(box.center().x() - width * 0.2, box.top() - width * 0.2, width * 0.4, width * 0.3),
                      width * 0.06, width * 0.06);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(box, width * 0.12, width * 0.12);
    p.setBrush(colour.darker(125));
    p.drawRect(QRectF(box.left(), box.top() + h * 0.35, width, h * 0.1));
    p.setBrush(QColor(0x37, 0x47, 0x4f));
    p.drawEllipse(QPointF(box.left() + width * 0.18, box.bottom() + 1), width * 0.08, width * 0.08);
    p.drawEllipse(QPointF(box.right() - width * 0.18, box.bottom() + 1), width * 0.08, width * 0.08);
}

void drawWallClock(QPainter &p, const QPointF &centre, qreal radius, int hour, int minute)
{
    p.setPen(QPen(QColor(0x37, 0x47, 0x4f), radius * 0.14));
    p.setBrush(Qt::white);
    p.drawEllipse(centre, radius, radius);
    p.setPen(QPen(QColor(0x37, 0x47, 0x4f), radius * 0.08, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 12; ++i) {
        const qreal a = i * M_PI / 6;
        const QPointF dir(std::sin(a), -std::cos(a));
        p.drawLine(centre + dir * radius * 0.78, centre + dir * radius * 0.9);
    }
    const qreal hourAngle = (hour % 12 + minute / 60.0) * M_PI / 6;
    const qreal minuteAngle = minute * M_PI / 30;
    p.setPen(QPen(QColor(0x26, 0x32, 0x38), radius * 0.13, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(std::sin(hourAngle), -std::cos(hourAngle)) * radius * 0.5);
    p.setPen(QPen(QColor(0x26, 0x32, 0x38), radius * 0.08, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(std::sin(minuteAngle), -std::cos(minuteAngle)) * radius * 0.75);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe6, 0x39, 0x46));
    p.drawEllipse(centre, radius * 0.08, radius * 0.08);
}

void drawPhone(QPainter &p, const QRectF &box, const QColor &colour, bool ringing)
{
    // A desk telephone: the base with its dial and the handset lying across it.
    const qreal w = box.width();
    const qreal h = box.height();
    p.setPen(Qt::NoPen);
    p.setBrush(colour.darker(115));
    QPainterPath base;
    base.moveTo(box.left() + w * 0.12, box.top() + h * 0.4);
    base.lineTo(box.right() - w * 0.12, box.top() + h * 0.4);
    base.lineTo(box.right(), box.bottom());
    base.lineTo(box.left(), box.bottom());
    base.closeSubpath();
    p.drawPath(base);
    p.setBrush(QColor(0xf5, 0xf5, 0xf5));
    p.drawEllipse(QPointF(box.center().x(), box.top() + h * 0.7), w * 0.17, h * 0.2);
    p.setBrush(colour.darker(140));
    p.drawEllipse(QPointF(box.center().x(), box.top() + h * 0.7), w * 0.05, h * 0.06);

    p.setBrush(colour);
    QPainterPath handset;
    handset.addRoundedRect(QRectF(box.left() + w * 0.02, box.top() + h * 0.12, w * 0.96, h * 0.2), h * 0.1, h * 0.1);
    handset.addRoundedRect(QRectF(box.left() - w * 0.02, box.top(), w * 0.26, h * 0.34), h * 0.12, h * 0.12);
    handset.addRoundedRect(QRectF(box.right() - w * 0.24, box.top(), w * 0.26, h * 0.34), h * 0.12, h * 0.12);
    p.drawPath(handset.simplified());

    if (ringing) {
        // Sound waves either side.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0xe6, 0x39, 0x46), w * 0.04, Qt::SolidLine, Qt::RoundCap));
        for (int i = 1; i <= 2; ++i) {
            const qreal r = w * (0.2 + 0.14 * i);
            const QRectF arc(box.center().x() - r, box.top() + h * 0.3 - r, 2 * r, 2 * r);
            p.drawArc(arc, 20 * 16, 40 * 16);
            p.drawArc(arc, 120 * 16, 40 * 16);
        }
        p.setPen(Qt::NoPen);
    }
}

void drawKey(QPainter &p, const QPointF &ring, qreal length, const QColor &colour)
{
    const qreal r = length * 0.2;
    p.setPen(QPen(colour.darker(150), length * 0.03));
    p.setBrush(colour);
    QPainterPath key;
    key.setFillRule(Qt::OddEvenFill);
    key.addEllipse(ring, r, r);
    key.addEllipse(ring, r * 0.45, r * 0.45);
    QPainterPath shaft;
    shaft.addRect(QRectF(ring.x() + r * 0.9, ring.y() - length * 0.05, length * 0.8, length * 0.1));
    shaft.addRect(QRectF(ring.x() + length * 0.75, ring.y(), length * 0.07, length * 0.15));
    shaft.addRect(QRectF(ring.x() + length * 0.9, ring.y(), length * 0.07, length * 0.2));
    p.drawPath(key.united(shaft));
    p.setPen(Qt::NoPen);
}

void drawWindowPane(QPainter &p, const QRectF &frame, const QColor &outside)
{
    p.setPen(QPen(Qt::white, 4));
    p.setBrush(outside);
    p.drawRect(frame);
    p.drawLine(QPointF(frame.center().x(), frame.top()), QPointF(frame.center().x(), frame.bottom()));
    p.drawLine(QPointF(frame.left(), frame.center().y()), QPointF(frame.right(), frame.center().y()));
    p.setPen(Qt::NoPen);
}

void drawCounter(QPainter &p, qreal left, qreal right, qreal top, qreal bottom, const QColor &wood)
{
    p.setPen(Qt::NoPen);
    p.setBrush(wood);
    p.drawRect(QRectF(left, top + 6, right - left, bottom - top - 6));
    p.setBrush(wood.lighter(125));
    p.drawRect(QRectF(left - 6, top, right - left + 12, 8));
}
