#include "SceneKit.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

// The story of lesson 1: a late arrival at a hotel.

namespace {

PersonLook tom()
{
    return {.hair = QColor(0x5d, 0x40, 0x37), .top = QColor(0x3a, 0x5a, 0x40), .legs = QColor(0x3e, 0x3e, 0x4a)};
}

PersonLook receptionist()
{
    return {.hair = QColor(0x26, 0x1c, 0x15), .top = QColor(0x1d, 0x35, 0x57), .legs = QColor(0x1d, 0x35, 0x57),
            .longHair = true, .skirt = true};
}

// Late evening in front of the hotel; Tom with his suitcase at the door.
void paintArrival(QPainter &p, const QString &family)
{
    fillSky(p, QColor(0x14, 0x21, 0x3d), QColor(0x5c, 0x4d, 0x7d));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xfc, 0xf6, 0xd1));
    p.drawEllipse(QPointF(86, 34), 11, 11);
    p.setBrush(QColor(0x14, 0x21, 0x3d));
    p.drawEllipse(QPointF(91, 31), 10, 10);
    for (const QPointF star : {QPointF(140, 20), QPointF(230, 14), QPointF(276, 40), QPointF(196, 30)})
        p.fillRect(QRectF(star, QSizeF(2, 2)), QColor(0xff, 0xf8, 0xe1));

    p.fillRect(QRectF(0, 168, kSceneWidth, 32), QColor(0x3d, 0x40, 0x4a));
    p.setPen(QPen(QColor(0x6d, 0x4c, 0x41), 1.5));
    p.setBrush(QColor(0x8d, 0x6e, 0x63));
    p.drawRect(QRectF(96, 50, 168, 118));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x5d, 0x40, 0x37));
    p.drawRect(QRectF(90, 42, 180, 10));
    p.setBrush(QColor(0x26, 0x46, 0x53));
    p.drawRoundedRect(QRectF(124, 56, 112, 20), 4, 4);
    drawLabel(p, QRectF(124, 56, 112, 20), QStringLiteral("PARK HOTEL"), family, 13, QColor(0xff, 0xd1, 0x66));
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 4; ++col) {
            const bool lit = (row + col) % 2 == 0;
            drawWindowPane(p, QRectF(110 + col * 38, 84 + row * 30, 22, 20),
                           lit ? QColor(0xff, 0xe0, 0x82) : QColor(0x37, 0x47, 0x4f));
        }
    }
    // The lit door and the light it throws on the pavement.
    p.setBrush(QColor(255, 224, 130, 70));
    p.drawPolygon(QPolygonF({QPointF(160, 168), QPointF(200, 168), QPointF(222, 200), QPointF(138, 200)}));
    p.setBrush(QColor(0xff, 0xe0, 0x82));
    p.drawRect(QRectF(162, 140, 36, 28));
    p.setBrush(QColor(0x5d, 0x40, 0x37));
    p.drawRect(QRectF(179, 140, 2, 28));

    drawPerson(p, QPointF(232, 186), 74, tom());
    drawSuitcase(p, QPointF(248, 186), 22, QColor(0xe7, 0x6f, 0x51));
    // A lamp post beside the entrance.
    p.setBrush(QColor(0x26, 0x32, 0x38));
    p.drawRect(QRectF(76, 104, 4, 82));
    p.setBrush(QColor(0xff, 0xe0, 0x82));
    p.drawEllipse(QPointF(78, 100), 7, 7);
}

// The reception desk: the receptionist behind it, Tom in front.
void paintReception(QPainter &p, const QString &family)
{
    fillWall(p, QColor(0xf3, 0xe3, 0xc3), QColor(0xa1, 0x88, 0x7f), 172);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x26, 0x46, 0x53));
    p.drawRoundedRect(QRectF(96, 14, 110, 20), 4, 4);
    drawLabel(p, QRectF(96, 14, 110, 20), QStringLiteral("RECEPTION"), family, 12, Qt::white);
    // The board of room keys behind the desk.
    p.setBrush(QColor(0x8d, 0x5b, 0x3e));
    p.drawRect(QRectF(66, 44, 64, 40));
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 4; ++col) {
            p.setBrush(QColor(0xff, 0xd1, 0x66));
            p.drawEllipse(QPointF(74 + col * 16, 54 + row * 18), 2.5, 2.5);
            p.fillRect(QRectF(73 + col * 16, 56 + row * 18, 2, 7), QColor(0xf4, 0xa2, 0x61));
        }
    }

    drawPerson(p, QPointF(118, 182), 104, receptionist());
    // The counter hides her from the waist down.
    p.setBrush(QColor(0x6d, 0x43, 0x2c));
    p.drawRect(QRectF(60, 136, 150, 42));
    p.setBrush(QColor(0x8d, 0x5b, 0x3e));
    p.drawRect(QRectF(54, 130, 162, 8));
    p.setBrush(QColor(0xd7, 0xa8, 0x6e));
    p.drawRect(QRectF(70, 146, 130, 3));
    // The bell on the counter.
    p.setBrush(QColor(0xff, 0xc1, 0x07));
    p.drawChord(QRectF(168, 118, 20, 20), 0, 180 * 16);
    p.setBrush(QColor(0x37, 0x47, 0x4f));
    p.drawRect(QRectF(165, 127, 26, 3));

    drawPerson(p, QPointF(250, 188), 96, tom());
    drawSuitcase(p, QPointF(272, 188), 24, QColor(0xe7, 0x6f, 0x51));

    drawSpeech(p, QRectF(140, 44, 126, 30), QPointF(132, 96), QStringLiteral("Good evening!"), family, 14);
}

// The passport and the registration form on the counter.
void paintPassport(QPainter &p, const QString &family)
{
    QLinearGradient wood(0, 0, 0, kSceneHeight);
    wood.setColorAt(0, QColor(0xa8, 0x72, 0x4a));
    wood.setColorAt(1, QColor(0x8d, 0x5b, 0x3e));
    p.fillRect(QRectF(0, 0, kSceneWidth, kSceneHeight), wood);
    p.setPen(QPen(QColor(0x7a, 0x4e, 0x33), 1));
    for (qreal y = 18; y < kSceneHeight; y += 26)
        p.drawLine(QPointF(0, y), QPointF(kSceneWidth, y + 6));

    // The form, slightly turned.
    p.save();
    p.translate(214, 100);
    p.rotate(6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRect(QRectF(-58, -78, 120, 160));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(-62, -82, 120, 160));
    drawLabel(p, QRectF(-62, -78, 120, 18), QStringLiteral("GUEST FORM"), family, 11, QColor(0x1d, 0x35, 0x57));
    // Printed field names at the left of each line, Tom's handwriting on the line.
    const char *fields[] = {"Name", "Address", "Nights", "Signature"};
    const char *answers[] = {"Tom Baker", "Denver", "3", "T. Baker"};
    for (int i = 0; i < 4; ++i) {
        const qreal line = -38 + i * 30;
        p.setPen(QPen(QColor(0x90, 0xa4, 0xae), 1));
        p.drawLine(QPointF(-54, line), QPointF(50, line));
        QFont small(family);
        small.setPixelSize(8);
        p.setFont(small);
        p.setPen(QColor(0x60, 0x7d, 0x8b));
        p.drawText(QPointF(-54, line - 3), QString::fromLatin1(fields[i]));
        QFont hand(family);
        hand.setPixelSize(12);
        hand.setItalic(true);
        p.setFont(hand);
        p.setPen(QColor(0x15, 0x65, 0xc0));
        p.drawText(QPointF(-8, line - 3), QString::fromLatin1(answers[i]));
    }
    p.restore();

    // The pen lying across the form.
    p.save();
    p.translate(250, 150);
    p.rotate(-35);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x26, 0x32, 0x38));
    p.drawRoundedRect(QRectF(-40, -3, 70, 6), 3, 3);
    p.setBrush(QColor(0xff, 0xd1, 0x66));
    p.drawPolygon(QPolygonF({QPointF(30, -3), QPointF(40, 0), QPointF(30, 3)}));
    p.restore();

    // The passport.
    p.save();
    p.translate(104, 104);
    p.rotate(-8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(QRectF(-40, -52, 84, 112), 6, 6);
    p.setBrush(QColor(0x7b, 0x1f, 0x2a));
    p.drawRoundedRect(QRectF(-44, -56, 84, 112), 6, 6);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xe9, 0xc4, 0x6a), 2));
    p.drawEllipse(QPointF(-2, -6), 16, 16);
    p.drawLine(QPointF(-18, -6), QPointF(14, -6));
    p.drawLine(QPointF(-2, -22), QPointF(-2, 10));
    p.restore();
    p.save();
    p.translate(104, 104);
    p.rotate(-8);
    drawLabel(p, QRectF(-44, -50, 84, 18), QStringLiteral("PASSPORT"), family, 11, QColor(0xe9, 0xc4, 0x6a));
    p.restore();
}

// The key of room 214 and the elevator on the left.
void paintRoomKey(QPainter &p, const QString &family)
{
    fillWall(p, QColor(0xe8, 0xde, 0xd1), QColor(0x8d, 0x6e, 0x63), 176);
    // The elevator: steel doors, the call button and the floor display.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x78, 0x90, 0x9c));
    p.drawRect(QRectF(60, 40, 96, 136));
    QLinearGradient steel(0, 0, 46, 0);
    steel.setColorAt(0, QColor(0xcf, 0xd8, 0xdc));
    steel.setColorAt(1, QColor(0x90, 0xa4, 0xae));
    steel.setSpread(QGradient::ReflectSpread);
    p.setBrush(steel);
    p.drawRect(QRectF(66, 48, 41, 128));
    p.drawRect(QRectF(109, 48, 41, 128));
    p.setBrush(QColor(0x26, 0x32, 0x38));
    p.drawRoundedRect(QRectF(88, 18, 40, 18), 3, 3);
    drawLabel(p, QRectF(88, 18, 40, 18), QStringLiteral("2 ▲"), family, 12, QColor(0xff, 0x8a, 0x65));
    p.setBrush(QColor(0xcf, 0xd8, 0xdc));
    p.drawRoundedRect(QRectF(164, 96, 12, 22), 3, 3);
    p.setBrush(QColor(0xff, 0xb3, 0x00));
    p.drawEllipse(QPointF(170, 107), 3.5, 3.5);
    drawLabel(p, QRectF(56, 180, 104, 18), QStringLiteral("◄ ELEVATOR"), family, 13, Qt::white);

    // The key with its big wooden tag.
    p.setBrush(QColor(0x8d, 0x5b, 0x3e));
    p.setPen(QPen(QColor(0x5d, 0x40, 0x37), 1.5));
    p.drawRoundedRect(QRectF(206, 92, 76, 44), 10, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd7, 0xb2, 0x8a));
    p.drawEllipse(QPointF(216, 114), 4, 4);
    drawLabel(p, QRectF(222, 92, 60, 44), QStringLiteral("214"), family, 24, QColor(0xff, 0xf3, 0xe0));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xb0, 0xbe, 0xc5), 2));
    p.drawEllipse(QPointF(206, 114), 9, 9);
    p.setPen(Qt::NoPen);
    p.save();
    p.translate(196, 120);
    p.rotate(110);
    drawKey(p, QPointF(0, 0), 62, QColor(0xff, 0xc1, 0x07));
    p.restore();
}

// Breakfast in the restaurant, from seven to ten.
void paintBreakfast(QPainter &p, const QString &family)
{
    fillWall(p, QColor(0xff, 0xf3, 0xe0), QColor(0xbc, 0xaa, 0xa4), 120);
    drawWallClock(p, QPointF(96, 50), 24, 7, 0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x26, 0x46, 0x53));
    p.drawRoundedRect(QRectF(150, 28, 130, 46), 6, 6);
    drawLabel(p, QRectF(150, 28, 130, 24), QStringLiteral("BREAKFAST"), family, 14, QColor(0xff, 0xd1, 0x66));
    drawLabel(p, QRectF(150, 50, 130, 20), QStringLiteral("7:00 – 10:00"), family, 13, Qt::white);

    // The table cloth.
    p.setBrush(QColor(0xff, 0xff, 0xff));
    p.drawRect(QRectF(40, 120, 280, 80));
    p.setBrush(QColor(0xe6, 0x39, 0x46, 60));
    for (qreal x = 40; x < 320; x += 28)
        p.drawRect(QRectF(x, 120, 14, 80));
    for (qreal y = 120; y < 200; y += 28)
        p.drawRect(QRectF(40, y, 280, 14));

    // A cup of coffee with steam.
    p.setBrush(QColor(0xec, 0xef, 0xf1));
    p.drawEllipse(QPointF(120, 158), 36, 10);
    p.setBrush(Qt::white);
    QPainterPath cup;
    cup.moveTo(98, 118);
    cup.lineTo(142, 118);
    cup.quadTo(140, 154, 120, 156);
    cup.quadTo(100, 154, 98, 118);
    p.drawPath(cup);
    p.setBrush(QColor(0x6d, 0x4c, 0x41));
    p.drawEllipse(QPointF(120, 119), 22, 5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 5));
    p.drawArc(QRectF(136, 124, 16, 16), -90 * 16, 180 * 16);
    p.setPen(QPen(QColor(0xbd, 0xbd, 0xbd), 2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i) {
        QPainterPath steam;
        steam.moveTo(110 + i * 10, 108);
        steam.cubicTo(104 + i * 10, 100, 116 + i * 10, 94, 110 + i * 10, 86);
        p.drawPath(steam);
    }

    // A croissant on a plate.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xec, 0xef, 0xf1));
    p.drawEllipse(QPointF(236, 160), 46, 14);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(236, 158), 40, 11);
    p.setBrush(QColor(0xe0, 0x9a, 0x3e));
    QPainterPath croissant;
    croissant.moveTo(202, 158);
    croissant.quadTo(236, 112, 270, 158);
    croissant.quadTo(236, 140, 202, 158);
    p.drawPath(croissant);
    p.setPen(QPen(QColor(0xb8, 0x6b, 0x1e), 1.5));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(218 + i * 12, 146 - (i == 1 || i == 2 ? 6 : 0)), QPointF(222 + i * 10, 154));
    p.setPen(Qt::NoPen);
}

} // namespace

std::span<const SceneEntry> hotelScenes()
{
    static const SceneEntry scenes[] = {
        {"arrival", paintArrival},
        {"reception", paintReception},
        {"passport", paintPassport},
        {"roomkey", paintRoomKey},
        {"breakfast", paintBreakfast},
    };
    return scenes;
}
