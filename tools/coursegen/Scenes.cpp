#include "Scenes.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include <utility>

namespace {

// Scenes are drawn on a 360 x 200 canvas and scaled to the area they are given.
constexpr qreal kWidth = 360;
constexpr qreal kHeight = 200;

void fillSky(QPainter &p, const QColor &top, const QColor &bottom)
{
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0, top);
    sky.setColorAt(1, bottom);
    p.fillRect(QRectF(0, 0, kWidth, kHeight), sky);
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

void drawText(QPainter &p, const QRectF &box, const QString &text, const QString &family,
              qreal pixelSize, const QColor &colour)
{
    QFont font(family);
    font.setPixelSize(qRound(pixelSize));
    font.setBold(true);
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

void paintHotel(QPainter &p, const QString &family)
{
    fillSky(p, QColor(0x7e, 0xc8, 0xe3), QColor(0xe6, 0xf6, 0xff));
    drawSun(p, {46, 40}, 16, QColor(0xff, 0xd1, 0x66));
    drawCloud(p, {140, 30}, 0.9);
    drawCloud(p, {312, 46}, 0.7);

    p.fillRect(QRectF(0, 170, kWidth, 12), QColor(0x9c, 0xcc, 0x65));
    p.fillRect(QRectF(0, 182, kWidth, 18), QColor(0xd7, 0xcf, 0xc3));
    p.fillRect(QRectF(0, 182, kWidth, 1.5), QColor(0xb8, 0xae, 0x9f));

    // The building, its cornice and the sign.
    p.setPen(QPen(QColor(0xa1, 0x78, 0x5c), 1.5));
    p.setBrush(QColor(0xf3, 0xd9, 0xa4));
    p.drawRect(QRectF(100, 52, 160, 128));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x9c, 0x66, 0x44));
    p.drawRect(QRectF(94, 44, 172, 10));
    p.setBrush(QColor(0x26, 0x46, 0x53));
    p.drawRoundedRect(QRectF(140, 58, 80, 21), 4, 4);
    drawText(p, QRectF(140, 58, 80, 21), QStringLiteral("HOTEL"), family, 14, QColor(0xff, 0xd1, 0x66));

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

void drawPlane(QPainter &p)
{
    const QColor outline(0x90, 0xa4, 0xae);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x9e, 0xae, 0xb8));
    p.drawPolygon(QPolygonF({QPointF(-4, -4), QPointF(12, -4), QPointF(-6, -20), QPointF(-16, -20)}));
    p.setBrush(QColor(0xd3, 0x2f, 0x2f));
    p.drawPolygon(QPolygonF({QPointF(-56, -5), QPointF(-72, -30), QPointF(-60, -30), QPointF(-40, -5)}));

    p.setPen(QPen(outline, 1.2));
    p.setBrush(Qt::white);
    QPainterPath body;
    body.moveTo(-62, -6);
    body.lineTo(44, -8);
    body.cubicTo(62, -8, 68, 0, 66, 2);
    body.cubicTo(64, 7, 56, 8, 44, 8);
    body.lineTo(-58, 6);
    body.cubicTo(-64, 4, -66, -4, -62, -6);
    p.drawPath(body);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1e, 0x88, 0xe5));
    p.drawRect(QRectF(-58, 2, 108, 2.5));
    p.setBrush(QColor(0x37, 0x47, 0x4f));
    for (int i = 0; i < 10; ++i)
        p.drawEllipse(QPointF(-38 + i * 8, -2), 2, 2);
    p.drawPolygon(QPolygonF({QPointF(52, -5), QPointF(60, -4), QPointF(62, -1), QPointF(53, -1)}));

    p.setBrush(QColor(0xb0, 0xbe, 0xc5));
    p.setPen(QPen(outline, 1));
    p.drawPolygon(QPolygonF({QPointF(-8, 3), QPointF(16, 3), QPointF(-8, 32), QPointF(-24, 32)}));
    p.drawPolygon(QPolygonF({QPointF(-58, 1), QPointF(-46, 1), QPointF(-60, 11), QPointF(-70, 11)}));
    p.setBrush(QColor(0x78, 0x90, 0x9c));
    p.drawRoundedRect(QRectF(-6, 11, 16, 7), 3, 3);
}

void paintAirport(QPainter &p, const QString &family)
{
    fillSky(p, QColor(0x5f, 0xa8, 0xe8), QColor(0xe3, 0xf2, 0xfd));
    drawCloud(p, {62, 38}, 0.8);
    drawCloud(p, {238, 26}, 1.0);
    drawCloud(p, {330, 72}, 0.6);

    p.fillRect(QRectF(0, 158, kWidth, 42), QColor(0x8b, 0xc3, 0x4a));
    p.fillRect(QRectF(0, 176, kWidth, 20), QColor(0x5d, 0x6d, 0x7e));
    for (qreal x = 8; x < kWidth; x += 30)
        p.fillRect(QRectF(x, 185, 16, 2.5), Qt::white);

    // Terminal with its glass front and sign.
    p.setPen(QPen(QColor(0x90, 0xa4, 0xae), 1));
    p.setBrush(QColor(0xec, 0xef, 0xf1));
    p.drawRect(QRectF(18, 132, 210, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x78, 0x90, 0x9c));
    p.drawRect(QRectF(12, 126, 222, 8));
    p.setBrush(QColor(0x81, 0xd4, 0xfa));
    for (int i = 0; i < 9; ++i)
        p.drawRect(QRectF(28 + i * 22, 141, 16, 22));
    p.setBrush(QColor(0x54, 0x6e, 0x7a));
    p.drawRect(QRectF(96, 118, 3, 8));
    p.drawRect(QRectF(147, 118, 3, 8));
    p.setBrush(QColor(0x15, 0x65, 0xc0));
    p.drawRoundedRect(QRectF(78, 104, 90, 16), 3, 3);
    drawText(p, QRectF(78, 104, 90, 16), QStringLiteral("AIRPORT"), family, 11, Qt::white);

    // Control tower.
    p.setPen(QPen(QColor(0x90, 0xa4, 0xae), 1));
    p.setBrush(QColor(0xcf, 0xd8, 0xdc));
    p.drawPolygon(QPolygonF({QPointF(287, 172), QPointF(305, 172), QPointF(300, 84), QPointF(292, 84)}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x37, 0x47, 0x4f));
    p.drawPolygon(QPolygonF({QPointF(276, 86), QPointF(316, 86), QPointF(322, 64), QPointF(270, 64)}));
    p.setBrush(QColor(0x4f, 0xc3, 0xf7));
    p.drawPolygon(QPolygonF({QPointF(278, 80), QPointF(314, 80), QPointF(318, 68), QPointF(274, 68)}));
    p.setBrush(QColor(0x60, 0x7d, 0x8b));
    p.drawRect(QRectF(268, 58, 56, 7));
    p.setPen(QPen(QColor(0x54, 0x6e, 0x7a), 1.5));
    p.drawLine(QPointF(296, 58), QPointF(296, 44));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe5, 0x39, 0x35));
    p.drawEllipse(QPointF(296, 43), 2.5, 2.5);

    p.save();
    p.translate(156, 60);
    p.rotate(-10);
    drawPlane(p);
    p.restore();
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
    p.fillRect(QRectF(0, 178, kWidth, 22), QColor(0x1f, 0x2d, 0x3d));

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

    drawBubble(p, QRectF(64, 60, 96, 36), QPointF(138, 122), Qt::white);
    drawText(p, QRectF(64, 60, 96, 36), QStringLiteral("Hello!"), family, 19, QColor(0x1d, 0x35, 0x57));
    drawBubble(p, QRectF(196, 42, 110, 36), QPointF(222, 118), QColor(0xff, 0xe0, 0x8a));
    drawText(p, QRectF(196, 42, 110, 36), QStringLiteral("Привет!"), family, 19, QColor(0x7a, 0x3e, 0x00));
}

using ScenePainter = void (*)(QPainter &painter, const QString &family);

const std::pair<const char *, ScenePainter> kScenes[] = {
    {"course", paintCourse},
    {"hotel", paintHotel},
    {"airport", paintAirport},
};

} // namespace

bool paintScene(const QString &name, QPainter &painter, const QRectF &area, const QString &family)
{
    for (const auto &[sceneName, paint] : kScenes) {
        if (name == QLatin1String(sceneName)) {
            painter.save();
            painter.setClipRect(area);
            painter.translate(area.topLeft());
            painter.scale(area.width() / kWidth, area.height() / kHeight);
            paint(painter, family);
            painter.restore();
            return true;
        }
    }
    return false;
}

QStringList sceneNames()
{
    QStringList names;
    for (const auto &scene : kScenes)
        names << QLatin1String(scene.first);
    return names;
}
