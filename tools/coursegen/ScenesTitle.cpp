#include "SceneKit.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

// The pictures of the description pane: the course and the lesson headings.

namespace {

void paintHotel(QPainter &p, const QString &family)
{
    fillSky(p, QColor(0x7e, 0xc8, 0xe3), QColor(0xe6, 0xf6, 0xff));
    drawSun(p, {46, 40}, 16, QColor(0xff, 0xd1, 0x66));
    drawCloud(p, {140, 30}, 0.9);
    drawCloud(p, {312, 46}, 0.7);

    p.fillRect(QRectF(0, 170, kSceneWidth, 12), QColor(0x9c, 0xcc, 0x65));
    p.fillRect(QRectF(0, 182, kSceneWidth, 18), QColor(0xd7, 0xcf, 0xc3));
    p.fillRect(QRectF(0, 182, kSceneWidth, 1.5), QColor(0xb8, 0xae, 0x9f));

    // The building, its cornice and the sign.
    p.setPen(QPen(QColor(0xa1, 0x78, 0x5c), 1.5));
    p.setBrush(QColor(0xf3, 0xd9, 0xa4));
    p.drawRect(QRectF(100, 52, 160, 128));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x9c, 0x66, 0x44));
    p.drawRect(QRectF(94, 44, 172, 10));
    p.setBrush(QColor(0x26, 0x46, 0x53));
    p.drawRoundedRect(QRectF(140, 58, 80, 21), 4, 4);
    drawLabel(p, QRectF(140, 58, 80, 21), QStringLiteral("HOTEL"), family, 14, QColor(0xff, 0xd1, 0x66));

    // Windows, some lit; the middle of the lowest row is left for the door.
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 4; ++col) {
            if (row == 2 && (col == 1 || col == 2))
                continue;
            const QRectF window(111 + col * 36, 88 + row * 28, 22, 18);
            const bool lit = (row * 4 + col) % 3 == 0;
            p.setPen(QPen(Qt::white, 2));
            p.setBrush(lit ? QColor(0xff, 0xe8, 0xa3) : QColor(0xbd, 0xe0, 0xfe));
            p.drawRect(window);
            p.drawLine(QPointF(window.center().x(), window.top()), QPointF(window.center().x(), window.bottom()));
        }
    }

    // Entrance: a striped awning over a glazed door and a step.
    const QPolygonF awning({QPointF(156, 136), QPointF(204, 136), QPointF(209, 147), QPointF(151, 147)});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe6, 0x39, 0x46));
    p.drawPolygon(awning);
    p.save();
    QPainterPath clip;
    clip.addPolygon(awning);
    p.setClipPath(clip);
    p.setBrush(Qt::white);
    for (qreal x = 152; x < 210; x += 12)
        p.drawRect(QRectF(x + 6, 130, 6, 20));
    p.restore();
    p.setBrush(QColor(0x6d, 0x4c, 0x41));
    p.drawRect(QRectF(164, 147, 32, 33));
    p.setBrush(QColor(0xbd, 0xe0, 0xfe));
    p.drawRect(QRectF(168, 151, 11, 24));
    p.drawRect(QRectF(181, 151, 11, 24));
    p.setBrush(QColor(0xb0, 0xa7, 0x9a));
    p.drawRect(QRectF(158, 180, 44, 4));

    drawTree(p, 62, 182, 70);
    drawTree(p, 298, 182, 62);

    // A suitcase waiting at the door.
    p.setPen(QPen(QColor(0x5d, 0x40, 0x37), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(221, 158, 10, 8), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe7, 0x6f, 0x51));
    p.drawRoundedRect(QRectF(214, 163, 24, 17), 3, 3);
    p.setBrush(QColor(0xc4, 0x50, 0x3a));
    p.drawRect(QRectF(214, 169, 24, 2));
    p.setBrush(QColor(0x37, 0x47, 0x4f));
    p.drawEllipse(QPointF(218, 181), 2, 2);
    p.drawEllipse(QPointF(234, 181), 2, 2);
}

void paintCourse(QPainter &p, const QString &family)
{
    fillSky(p, QColor(0x35, 0x5c, 0x8c), QColor(0xf7, 0xb2, 0x67));
    drawSun(p, {250, 128}, 24, QColor(0xff, 0xd8, 0x8a));

    // An evening skyline with a clock tower.
    const QColor city(0x2c, 0x3e, 0x50);
    p.setPen(Qt::NoPen);
    p.setBrush(city);
    p.drawRect(QRectF(34, 62, 22, 118));
    p.drawRect(QRectF(30, 56, 30, 26));
    p.drawPolygon(QPolygonF({QPointF(30, 56), QPointF(60, 56), QPointF(45, 26)}));
    p.drawRect(QRectF(44, 16, 2, 12));
    const QRectF houses[] = {
        {64, 120, 30, 60}, {96, 100, 26, 80}, {124, 132, 40, 48}, {200, 112, 34, 68},
        {236, 128, 28, 52}, {266, 96, 30, 84}, {298, 120, 40, 60}, {340, 134, 20, 46},
    };
    for (const QRectF &house : houses)
        p.drawRect(house);
    p.setBrush(QColor(0xf6, 0xe5, 0x8d));
    p.drawEllipse(QPointF(45, 69), 8.5, 8.5);
    p.setPen(QPen(city, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(45, 69), QPointF(45, 63));
    p.drawLine(QPointF(45, 69), QPointF(50, 71));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf9, 0xd5, 0x6e));
    int n = 0;
    for (const QRectF &house : houses) {
        for (qreal y = house.top() + 8; y < house.bottom() - 10; y += 13) {
            for (qreal x = house.left() + 5; x < house.right() - 6; x += 10) {
                if (++n % 3 != 0) // a third of the windows lit, the same ones every time
                    p.drawRect(QRectF(x, y, 4, 6));
            }
        }
    }
    p.fillRect(QRectF(0, 178, kSceneWidth, 22), QColor(0x1f, 0x2d, 0x3d));

    // An open book.
    QPainterPath cover;
    cover.moveTo(180, 192);
    cover.quadTo(146, 182, 102, 188);
    cover.lineTo(98, 152);
    cover.lineTo(262, 152);
    cover.lineTo(258, 188);
    cover.quadTo(214, 182, 180, 192);
    p.setBrush(QColor(0x8e, 0x3b, 0x46));
    p.drawPath(cover);
    for (const int side : {-1, 1}) {
        QPainterPath page;
        page.moveTo(180, 186);
        page.quadTo(180 + side * 34, 176, 180 + side * 74, 182);
        page.lineTo(180 + side * 78, 148);
        page.quadTo(180 + side * 36, 140, 180, 150);
        page.closeSubpath();
        p.setPen(QPen(QColor(0xc8, 0xb9, 0x9a), 1));
        p.setBrush(QColor(0xff, 0xfa, 0xf0));
        p.drawPath(page);
        p.setPen(QPen(QColor(0xb8, 0xab, 0x93), 1.4, Qt::SolidLine, Qt::RoundCap));
        for (int line = 0; line < 4; ++line) {
            const qreal y = 156 + line * 7;
            const qreal length = line == 3 ? 36 : 56;
            p.drawLine(QPointF(180 + side * 10, y), QPointF(180 + side * (10 + length), y - 2));
        }
    }

    drawSpeech(p, QRectF(64, 60, 96, 36), QPointF(138, 122), QStringLiteral("Hello!"), family, 19);
    drawSpeech(p, QRectF(196, 42, 110, 36), QPointF(222, 118), QStringLiteral("Привет!"), family, 19, kReplyFill, kReplyInk);
}

void drawSignpost(QPainter &p, const QPointF &foot, const QString &family)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x54, 0x6e, 0x7a));
    p.drawRect(QRectF(foot.x() - 2.5, foot.y() - 96, 5, 96));
    struct Arm {
        qreal y;
        bool right;
        const char *text;
        QColor colour;
    };
    const Arm arms[] = {
        {-92, true, "Museum", QColor(0x1d, 0x35, 0x57)},
        {-70, false, "Park", QColor(0x2d, 0x6a, 0x4f)},
        {-48, true, "Station", QColor(0x9c, 0x27, 0x27)},
    };
    for (const Arm &arm : arms) {
        const qreal x0 = arm.right ? foot.x() : foot.x() - 62;
        const qreal x1 = arm.right ? foot.x() + 62 : foot.x();
        const qreal y = foot.y() + arm.y;
        QPolygonF board;
        if (arm.right)
            board << QPointF(x0, y) << QPointF(x1 - 8, y) << QPointF(x1, y + 8) << QPointF(x1 - 8, y + 16) << QPointF(x0, y + 16);
        else
            board << QPointF(x1, y) << QPointF(x0 + 8, y) << QPointF(x0, y + 8) << QPointF(x0 + 8, y + 16) << QPointF(x1, y + 16);
        p.setBrush(arm.colour);
        p.drawPolygon(board);
        drawLabel(p, QRectF(x0 + (arm.right ? 0 : 6), y, 56, 16), QString::fromLatin1(arm.text), family, 10, Qt::white);
    }
}

// A street of terraced houses, a signpost and a visitor with a map.
void paintStreet(QPainter &p, const QString &family)
{
    fillSky(p, QColor(0x8e, 0xc5, 0xfc), QColor(0xe0, 0xf2, 0xff));
    drawCloud(p, {70, 34}, 0.9);
    drawCloud(p, {280, 28}, 0.75);

    const QColor fronts[] = {QColor(0xd9, 0x8c, 0x6f), QColor(0xf2, 0xd0, 0xa4), QColor(0xb5, 0xc9, 0xc3),
                             QColor(0xe8, 0xb4, 0x8a), QColor(0xc9, 0xad, 0xa7)};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i) {
        const qreal x = 8 + i * 70;
        const qreal top = 70 + (i % 2) * 12;
        p.setBrush(fronts[i]);
        p.drawRect(QRectF(x, top, 66, 160 - top));
        p.setBrush(fronts[i].darker(130));
        p.drawPolygon(QPolygonF({QPointF(x - 3, top), QPointF(x + 69, top), QPointF(x + 58, top - 14), QPointF(x + 8, top - 14)}));
        for (int row = 0; row < 2; ++row) {
            for (int col = 0; col < 2; ++col)
                drawWindowPane(p, QRectF(x + 10 + col * 28, top + 12 + row * 32, 18, 22), QColor(0xbd, 0xe0, 0xfe));
        }
        p.setBrush(QColor(0x1d, 0x35, 0x57));
        p.drawRect(QRectF(x + 26, 134, 14, 26));
    }
    p.fillRect(QRectF(0, 160, kSceneWidth, 12), QColor(0xcf, 0xc8, 0xbd));
    p.fillRect(QRectF(0, 172, kSceneWidth, 28), QColor(0x6b, 0x75, 0x80));
    for (qreal x = 10; x < kSceneWidth; x += 36)
        p.fillRect(QRectF(x, 185, 20, 2.5), Qt::white);

    drawSignpost(p, QPointF(238, 166), family);

    PersonLook visitor;
    visitor.longHair = true;
    visitor.skirt = true;
    visitor.hair = QColor(0xc6, 0x8b, 0x3e);
    visitor.top = QColor(0xe7, 0x6f, 0x51);
    visitor.legs = QColor(0x26, 0x46, 0x53);
    drawPerson(p, QPointF(130, 170), 78, visitor);
    // The open map she holds in front of her.
    p.setBrush(QColor(0xff, 0xf3, 0xc4));
    p.setPen(QPen(QColor(0xb0, 0x8d, 0x57), 1));
    p.drawPolygon(QPolygonF({QPointF(112, 124), QPointF(130, 128), QPointF(148, 124), QPointF(148, 146),
                             QPointF(130, 150), QPointF(112, 146)}));
    p.setPen(QPen(QColor(0x4c, 0xaf, 0x50), 1.5));
    p.drawLine(QPointF(116, 132), QPointF(144, 140));
    p.setPen(QPen(QColor(0x42, 0x85, 0xf4), 1.5));
    p.drawLine(QPointF(120, 145), QPointF(138, 128));
    p.setPen(Qt::NoPen);
    drawSpeech(p, QRectF(56, 24, 76, 30), QPointF(120, 90), QStringLiteral("Where?"), family, 15);
}

// A ringing telephone on a desk, and the two sides of the call.
void paintTelephone(QPainter &p, const QString &family)
{
    fillWall(p, QColor(0xd6, 0xe6, 0xf2), QColor(0xa1, 0x88, 0x7f), 150);
    drawWindowPane(p, QRectF(26, 26, 70, 60), QColor(0x9f, 0xd3, 0xf5));
    drawWallClock(p, QPointF(318, 44), 18, 9, 5);

    // The desk.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x8d, 0x5b, 0x3e));
    p.drawRect(QRectF(40, 132, 280, 12));
    p.setBrush(QColor(0x6d, 0x43, 0x2c));
    p.drawRect(QRectF(52, 144, 10, 50));
    p.drawRect(QRectF(298, 144, 10, 50));
    p.drawRect(QRectF(220, 144, 70, 34));
    p.setBrush(QColor(0xd7, 0xb2, 0x8a));
    p.drawRect(QRectF(236, 156, 38, 3));

    drawPhone(p, QRectF(146, 92, 68, 40), QColor(0xc6, 0x28, 0x28), true);
    // Its cord curling off the desk.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x26, 0x32, 0x38), 1.5));
    QPainterPath cord;
    cord.moveTo(214, 126);
    for (int i = 0; i < 5; ++i)
        cord.cubicTo(220 + i * 7, 116, 224 + i * 7, 136, 227 + i * 7, 126);
    p.drawPath(cord);
    p.setPen(Qt::NoPen);

    drawSpeech(p, QRectF(58, 48, 96, 34), QPointF(150, 96), QStringLiteral("Hello?"), family, 18);
    drawSpeech(p, QRectF(206, 40, 96, 34), QPointF(206, 92), QStringLiteral("Алло!"), family, 18, kReplyFill, kReplyInk);
}

} // namespace

std::span<const SceneEntry> titleScenes()
{
    static const SceneEntry scenes[] = {
        {"course", paintCourse},
        {"hotel", paintHotel},
        {"street", paintStreet},
        {"telephone", paintTelephone},
    };
    return scenes;
}
