#include "SceneKit.h"

#include <QPainter>

// The story of lesson 5: dinner at an Italian restaurant.

namespace {

PersonLook mark()
{
    return {.hair = QColor(0x79, 0x55, 0x48), .top = QColor(0x39, 0x49, 0xab), .legs = QColor(0x26, 0x32, 0x38)};
}

PersonLook lisa()
{
    return {.hair = QColor(0xf9, 0xa8, 0x25), .top = QColor(0xd8, 0x1b, 0x60), .legs = QColor(0x6a, 0x1b, 0x4a),
            .longHair = true, .skirt = true};
}

PersonLook waiter()
{
    return {.skin = QColor(0xe0, 0xac, 0x69), .hair = QColor(0x21, 0x21, 0x21), .top = Qt::white,
            .legs = QColor(0x21, 0x21, 0x21)};
}

void drawDiningRoom(QPainter &p)
{
    fillWall(p, QColor(0xf6, 0xe0, 0xb5), QColor(0x8d, 0x6e, 0x63), 170);
    p.setPen(Qt::NoPen);
    // The window with the evening outside.
    drawWindowPane(p, QRectF(250, 26, 56, 64), QColor(0x28, 0x35, 0x93));
}

// A table seen from the side, its top at `topY`, with a checked cloth.
void drawTable(QPainter &p, qreal left, qreal right, qreal topY)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x5d, 0x40, 0x37));
    p.drawRect(QRectF(left + 10, topY, 6, 190 - topY));
    p.drawRect(QRectF(right - 16, topY, 6, 190 - topY));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(left, topY - 4, right - left, 18));
    p.setBrush(QColor(0xe5, 0x39, 0x35));
    for (qreal x = left; x < right; x += 12)
        p.drawRect(QRectF(x, topY - 4, 6, 18));
}

void drawPlate(QPainter &p, const QPointF &centre, const QColor &food)
{
    p.setBrush(Qt::white);
    p.drawEllipse(centre, 14, 4);
    p.setBrush(food);
    p.drawChord(QRectF(centre.x() - 9, centre.y() - 9, 18, 14), 0, 180 * 16);
}

// Mark and Lisa at their table by the window, the waiter beside it.
void drawCoupleAtTable(QPainter &p)
{
    drawDiningRoom(p);
    drawPerson(p, QPointF(110, 186), 90, mark());
    drawPerson(p, QPointF(176, 186), 84, lisa());
    drawTable(p, 76, 214, 142);
    drawPerson(p, QPointF(256, 192), 104, waiter());
}

void drawMenuCard(QPainter &p, const QRectF &box, const QString &family)
{
    p.setBrush(QColor(0x7f, 0x1d, 0x1d));
    p.drawRoundedRect(box, 2, 2);
    drawLabel(p, box, QStringLiteral("MENU"), family, 8, QColor(0xff, 0xd1, 0x66));
}

// The restaurant on a Friday evening: its awning, the lit window, Mark and Lisa at the door.
void paintTrattoria(QPainter &p, const QString &family)
{
    fillSky(p, QColor(0x1a, 0x23, 0x7e), QColor(0x7e, 0x57, 0xc2));
    p.fillRect(QRectF(0, 172, kSceneWidth, 28), QColor(0x60, 0x5e, 0x5a));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xbc, 0x8f, 0x6f));
    p.drawRect(QRectF(60, 40, 240, 132));
    p.setBrush(QColor(0x1b, 0x5e, 0x20));
    p.drawRect(QRectF(56, 40, 248, 26));
    drawLabel(p, QRectF(56, 40, 248, 26), QStringLiteral("TRATTORIA ROMA"), family, 15, Qt::white);
    // The striped awning over the window.
    for (int i = 0; i < 8; ++i) {
        p.setBrush(i % 2 == 0 ? QColor(0xe5, 0x39, 0x35) : Qt::white);
        p.drawRect(QRectF(72 + i * 14, 74, 14, 14));
    }
    drawWindowPane(p, QRectF(76, 92, 104, 54), QColor(0xff, 0xe0, 0x82));
    p.setBrush(QColor(0x4e, 0x34, 0x2e));
    p.drawRect(QRectF(206, 96, 46, 76));
    p.setBrush(QColor(0xff, 0xe0, 0x82));
    p.drawRect(QRectF(214, 104, 30, 28));
    drawPerson(p, QPointF(150, 192), 82, mark());
    drawPerson(p, QPointF(182, 192), 76, lisa());
}

void paintRestaurantTitle(QPainter &p, const QString &family)
{
    paintTrattoria(p, family);
    drawPerson(p, QPointF(300, 194), 88, waiter());
    drawMenuCard(p, QRectF(312, 140, 20, 26), family);
    for (const QPointF star : {QPointF(30, 20), QPointF(90, 14), QPointF(330, 22)})
        p.fillRect(QRectF(star, QSizeF(2, 2)), QColor(0xff, 0xf8, 0xe1));
}

// The host greets them with the menus.
void paintHost(QPainter &p, const QString &family)
{
    drawDiningRoom(p);
    drawTable(p, 236, 310, 136);
    drawPerson(p, QPointF(120, 190), 100, waiter());
    drawMenuCard(p, QRectF(132, 112, 22, 30), family);
    drawPerson(p, QPointF(196, 192), 92, mark());
    drawPerson(p, QPointF(228, 192), 86, lisa());
    drawSpeech(p, QRectF(60, 14, 126, 32), QPointF(116, 88), QStringLiteral("A table for two?"), family, 12);
}

// At the table with the menus open; the waiter takes the order.
void paintOrdering(QPainter &p, const QString &family)
{
    drawCoupleAtTable(p);
    drawMenuCard(p, QRectF(96, 118, 22, 26), family);
    drawMenuCard(p, QRectF(164, 118, 22, 26), family);
    // His notepad and pencil.
    p.setBrush(QColor(0xff, 0xf8, 0xe1));
    p.drawRect(QRectF(230, 110, 16, 20));
    p.setBrush(QColor(0xff, 0xb3, 0x00));
    p.drawRect(QRectF(248, 104, 3, 22));
    drawSpeech(p, QRectF(180, 12, 120, 32), QPointF(246, 78), QStringLiteral("Ready to order?"), family, 12);
}

// Dessert on the table; the waiter asks how everything was.
void paintDessert(QPainter &p, const QString &family)
{
    drawCoupleAtTable(p);
    drawPlate(p, {112, 136}, QColor(0x8d, 0x5b, 0x3e));
    drawPlate(p, {176, 136}, QColor(0xf8, 0xbb, 0xd0));
    p.setBrush(QColor(0xc6, 0x28, 0x28));
    p.drawEllipse(QPointF(176, 126), 3, 3);
    drawSpeech(p, QRectF(160, 10, 144, 32), QPointF(246, 78), QStringLiteral("How was everything?"), family, 12);
    drawSpeech(p, QRectF(58, 50, 92, 28), QPointF(108, 96), QStringLiteral("Delicious!"), family, 12, QColor(0xff, 0xf3, 0xe0));
}

// The check in its folder, the card and the tip.
void paintCheck(QPainter &p, const QString &family)
{
    p.fillRect(QRectF(0, 0, kSceneWidth, kSceneHeight), QColor(0x8d, 0x6e, 0x63));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x26, 0x26, 0x26));
    p.drawRoundedRect(QRectF(70, 16, 130, 172), 6, 6);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(84, 28, 102, 148));
    drawLabel(p, QRectF(84, 30, 102, 20), QStringLiteral("CHECK"), family, 13, kInk);
    const char *lines[][2] = {{"Soup", "6.50"}, {"Salad", "9.00"}, {"Pasta", "16.50"}, {"Dessert", "8.00"}};
    for (int i = 0; i < 4; ++i) {
        drawLabel(p, QRectF(88, 56 + i * 18, 50, 16), QString::fromLatin1(lines[i][0]), family, 10, QColor(0x45, 0x5a, 0x64),
                  false);
        drawLabel(p, QRectF(140, 56 + i * 18, 42, 16), QString::fromLatin1(lines[i][1]), family, 10,
                  QColor(0x45, 0x5a, 0x64), false);
    }
    p.fillRect(QRectF(90, 132, 90, 1.5), QColor(0x45, 0x5a, 0x64));
    drawLabel(p, QRectF(88, 136, 94, 16), QStringLiteral("Total  $40.00"), family, 10, kInk);
    drawLabel(p, QRectF(88, 154, 94, 16), QStringLiteral("Tip  $6.00"), family, 10, QColor(0x2e, 0x7d, 0x32));
    // The card and the coins beside the folder.
    p.setBrush(QColor(0x19, 0x76, 0xd2));
    p.drawRoundedRect(QRectF(214, 110, 60, 38), 4, 4);
    p.setBrush(QColor(0xff, 0xd5, 0x4f));
    p.drawRect(QRectF(222, 122, 12, 9));
    for (const QPointF coin : {QPointF(236, 170), QPointF(256, 176), QPointF(270, 164)}) {
        p.setBrush(QColor(0xbd, 0xbd, 0xbd));
        p.drawEllipse(coin, 9, 9);
    }
    p.setBrush(QColor(0xff, 0xf8, 0xe1));
    p.drawRoundedRect(QRectF(212, 30, 80, 50), 8, 8);
    drawLabel(p, QRectF(212, 30, 80, 50), QStringLiteral("TIP\n15%"), family, 15, QColor(0x2e, 0x7d, 0x32));
}

} // namespace

std::span<const SceneEntry> restaurantScenes()
{
    static const SceneEntry scenes[] = {
        {"restaurant", paintRestaurantTitle},
        {"trattoria", paintTrattoria},
        {"host", paintHost},
        {"ordering", paintOrdering},
        {"dessert", paintDessert},
        {"check", paintCheck},
    };
    return scenes;
}
