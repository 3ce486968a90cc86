#include "SceneKit.h"

#include <QPainter>
#include <QPolygonF>

// The story of lesson 4: buying a sweater in a clothing store.

namespace {

const QColor kSweaterBlue(0x1e, 0x88, 0xe5);

PersonLook kate()
{
    return {.hair = QColor(0x3e, 0x27, 0x23), .top = QColor(0xf4, 0xa2, 0x61), .legs = QColor(0x26, 0x46, 0x53),
            .longHair = true};
}

PersonLook kateInTheSweater()
{
    PersonLook look = kate();
    look.top = kSweaterBlue;
    return look;
}

PersonLook clerk()
{
    return {.skin = QColor(0xc6, 0x8c, 0x5e), .hair = QColor(0x21, 0x21, 0x21), .top = QColor(0x2a, 0x9d, 0x8f),
            .legs = QColor(0x37, 0x47, 0x4f)};
}

// A folded-out sweater seen from the front, its body centred on `centre`.
void drawSweater(QPainter &p, const QPointF &centre, qreal width, const QColor &colour)
{
    const qreal w = width / 2;
    const qreal h = width * 0.55;
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF({QPointF(centre.x() - w, centre.y() - h * 0.6), QPointF(centre.x() - w * 1.7, centre.y() + h * 0.5),
                             QPointF(centre.x() - w * 1.35, centre.y() + h * 0.6), QPointF(centre.x() - w, centre.y())}));
    p.drawPolygon(QPolygonF({QPointF(centre.x() + w, centre.y() - h * 0.6), QPointF(centre.x() + w * 1.7, centre.y() + h * 0.5),
                             QPointF(centre.x() + w * 1.35, centre.y() + h * 0.6), QPointF(centre.x() + w, centre.y())}));
    p.drawRoundedRect(QRectF(centre.x() - w, centre.y() - h * 0.65, 2 * w, h * 1.4), w * 0.2, w * 0.2);
    p.setBrush(colour.darker(130));
    p.drawRect(QRectF(centre.x() - w, centre.y() + h * 0.62, 2 * w, h * 0.13));
    p.drawChord(QRectF(centre.x() - w * 0.4, centre.y() - h * 0.85, w * 0.8, h * 0.45), 180 * 16, 180 * 16);
}

// A price tag hanging from a string.
void drawTag(QPainter &p, const QRectF &box, const QString &price, const QString &family)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xf8, 0xe1));
    p.drawRoundedRect(box, 3, 3);
    drawLabel(p, box, price, family, 9, QColor(0xc6, 0x28, 0x28));
}

void drawShopFloor(QPainter &p)
{
    fillWall(p, QColor(0xfd, 0xf0, 0xd5), QColor(0xc8, 0xb6, 0xa6), 172);
}

// The store front on a bright Saturday: the sign, the window with sweaters, Kate at the door.
void paintStoreFront(QPainter &p, const QString &family, bool withKate)
{
    fillSky(p, QColor(0x8e, 0xca, 0xe6), QColor(0xe8, 0xf4, 0xf8));
    drawCloud(p, {70, 30}, 0.8);
    p.fillRect(QRectF(0, 172, kSceneWidth, 28), QColor(0xcf, 0xc8, 0xbd));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe9, 0xd8, 0xa6));
    p.drawRect(QRectF(70, 40, 220, 132));
    p.setBrush(QColor(0x6a, 0x4c, 0x93));
    p.drawRect(QRectF(64, 40, 232, 28));
    drawLabel(p, QRectF(64, 40, 232, 28), QStringLiteral("CLOTHING"), family, 16, Qt::white);
    // The window, with two sweaters and the sale poster.
    p.setBrush(QColor(0xd6, 0xea, 0xf8));
    p.drawRect(QRectF(84, 80, 120, 80));
    drawSweater(p, {118, 112}, 30, kSweaterBlue);
    drawSweater(p, {172, 112}, 30, QColor(0xe5, 0x39, 0x35));
    p.setBrush(QColor(0xff, 0xd1, 0x66));
    p.drawRect(QRectF(112, 136, 64, 18));
    drawLabel(p, QRectF(112, 136, 64, 18), QStringLiteral("SALE"), family, 12, QColor(0xc6, 0x28, 0x28));
    // The door.
    p.setBrush(QColor(0x4e, 0x34, 0x2e));
    p.drawRect(QRectF(222, 86, 50, 86));
    p.setBrush(QColor(0xd6, 0xea, 0xf8));
    p.drawRect(QRectF(230, 94, 34, 40));
    if (withKate)
        drawPerson(p, QPointF(248, 190), 80, kate());
}

void paintShopTitle(QPainter &p, const QString &family)
{
    paintStoreFront(p, family, false);
    drawPerson(p, QPointF(310, 192), 84, kate());
    // Her shopping bags.
    p.setBrush(QColor(0xe7, 0x6f, 0x51));
    p.drawRect(QRectF(324, 160, 18, 22));
    p.setBrush(QColor(0x6a, 0x4c, 0x93));
    p.drawRect(QRectF(334, 166, 16, 18));
    drawPerson(p, QPointF(36, 190), 78, clerk());
}

void paintStore(QPainter &p, const QString &family)
{
    paintStoreFront(p, family, true);
}

// The salesclerk offers his help among the racks of clothes.
void paintClerk(QPainter &p, const QString &family)
{
    drawShopFloor(p);
    p.setPen(QPen(QColor(0x9e, 0x9e, 0x9e), 3));
    p.drawLine(QPointF(62, 34), QPointF(300, 34));
    p.setPen(Qt::NoPen);
    const QColor colours[] = {QColor(0xe5, 0x39, 0x35), kSweaterBlue, QColor(0x43, 0xa0, 0x47), QColor(0xff, 0xb3, 0x00),
                              QColor(0x8e, 0x24, 0xaa)};
    for (int i = 0; i < 10; ++i)
        drawSweater(p, {74.0 + i * 24, 52}, 16, colours[i % 5]);
    drawPerson(p, QPointF(100, 190), 100, clerk());
    drawPerson(p, QPointF(262, 190), 96, kate());
    drawSpeech(p, QRectF(120, 78, 118, 32), QPointF(112, 100), QStringLiteral("Can I help you?"), family, 12);
}

// The sale table: sweaters in every colour, the blue one in front.
void paintSweaters(QPainter &p, const QString &family)
{
    drawShopFloor(p);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xc6, 0x28, 0x28));
    p.drawRoundedRect(QRectF(96, 14, 168, 34), 6, 6);
    drawLabel(p, QRectF(96, 14, 168, 34), QStringLiteral("SALE  30% OFF"), family, 16, Qt::white);
    p.setBrush(QColor(0x8d, 0x6e, 0x63));
    p.drawRect(QRectF(62, 130, 236, 12));
    p.drawRect(QRectF(72, 142, 10, 40));
    p.drawRect(QRectF(278, 142, 10, 40));
    const QColor colours[] = {QColor(0xe5, 0x39, 0x35), QColor(0x43, 0xa0, 0x47), QColor(0xff, 0xb3, 0x00),
                              QColor(0x8e, 0x24, 0xaa)};
    for (int i = 0; i < 4; ++i)
        drawSweater(p, {92.0 + i * 58, 80}, 30, colours[i]);
    drawSweater(p, {180, 112}, 44, kSweaterBlue);
    drawTag(p, QRectF(212, 96, 52, 18), QStringLiteral("$39.99"), family);
}

// Kate in the blue sweater before the fitting-room mirror.
void paintMirror(QPainter &p, const QString &family)
{
    fillWall(p, QColor(0xe8, 0xea, 0xf6), QColor(0xb0, 0xa8, 0xb9), 176);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xa1, 0x88, 0x7f));
    p.drawRoundedRect(QRectF(176, 20, 100, 160), 8, 8);
    p.setBrush(QColor(0xcf, 0xe8, 0xfc));
    p.drawRoundedRect(QRectF(184, 28, 84, 144), 6, 6);
    drawPerson(p, QPointF(226, 170), 88, kateInTheSweater());
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawPolygon(QPolygonF({QPointF(190, 34), QPointF(206, 34), QPointF(190, 70)}));
    drawPerson(p, QPointF(120, 194), 104, kateInTheSweater());
    drawSpeech(p, QRectF(62, 22, 104, 32), QPointF(116, 90), QStringLiteral("I'll take it!"), family, 13);
}

// The register: Kate pays by card and gets her receipt.
void paintCheckout(QPainter &p, const QString &family)
{
    drawShopFloor(p);
    drawPerson(p, QPointF(112, 182), 104, clerk());
    drawCounter(p, 60, 220, 126, 180, QColor(0x5d, 0x40, 0x37));
    // The register and its receipt.
    p.setBrush(QColor(0x37, 0x47, 0x4f));
    p.drawRoundedRect(QRectF(146, 96, 56, 30), 3, 3);
    p.setBrush(QColor(0x80, 0xcb, 0xc4));
    p.drawRect(QRectF(152, 100, 44, 10));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(160, 70, 26, 28));
    p.setPen(QPen(QColor(0x9e, 0x9e, 0x9e), 1));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(164, 76 + i * 5), QPointF(182, 76 + i * 5));
    p.setPen(Qt::NoPen);
    drawPerson(p, QPointF(258, 192), 96, kateInTheSweater());
    // The card in her hand.
    p.setBrush(QColor(0xff, 0xb3, 0x00));
    p.drawRoundedRect(QRectF(222, 122, 24, 15), 2, 2);
    p.setBrush(QColor(0x37, 0x47, 0x4f));
    p.drawRect(QRectF(222, 126, 24, 3));
    drawSpeech(p, QRectF(96, 14, 128, 32), QPointF(112, 76), QStringLiteral("Have a nice day!"), family, 12);
}

} // namespace

std::span<const SceneEntry> shopScenes()
{
    static const SceneEntry scenes[] = {
        {"shop", paintShopTitle},
        {"store", paintStore},
        {"clerk", paintClerk},
        {"sweaters", paintSweaters},
        {"mirror", paintMirror},
        {"checkout", paintCheckout},
    };
    return scenes;
}
