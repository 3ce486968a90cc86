// The intro window's title picture: a bright river valley with a small London skyline,
// two speech bubbles and the course's name.

#include "controls/SkinArt.h"

#include "SkinPaint.h"

#include <QFont>
#include <QPainterPath>
#include <QRadialGradient>

namespace SkinArt {

using namespace SkinPaint;

namespace {

constexpr int IntroWidth = 782;
constexpr int IntroHeight = 594;
constexpr qreal Horizon = 372.0;

QFont titleFont(int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void drawSky(QPainter &painter)
{
    QLinearGradient sky(0, 0, 0, Horizon);
    sky.setColorAt(0.0, QColor(38, 98, 170));
    sky.setColorAt(0.55, QColor(121, 184, 228));
    sky.setColorAt(1.0, QColor(222, 240, 250));
    painter.fillRect(QRectF(0, 0, IntroWidth, Horizon + 1), sky);

    QRadialGradient glow(QPointF(690, 92), 110);
    glow.setColorAt(0.0, QColor(255, 244, 200, 230));
    glow.setColorAt(0.35, QColor(255, 226, 150, 120));
    glow.setColorAt(1.0, QColor(255, 226, 150, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(QPointF(690, 92), 110, 110);
    painter.setBrush(QColor(255, 236, 170));
    painter.drawEllipse(QPointF(690, 92), 36, 36);
}

void drawCloud(QPainter &painter, const QPointF &at, qreal scale, int alpha)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, alpha));
    QPainterPath cloud;
    cloud.addEllipse(at + QPointF(0, 0) * scale, 34 * scale, 20 * scale);
    cloud.addEllipse(at + QPointF(34, -12) * scale, 30 * scale, 26 * scale);
    cloud.addEllipse(at + QPointF(66, 2) * scale, 32 * scale, 18 * scale);
    cloud.addRoundedRect(QRectF(at + QPointF(-20, 0) * scale, QSizeF(104, 18) * scale),
                         9 * scale, 9 * scale);
    cloud.setFillRule(Qt::WindingFill);
    painter.drawPath(cloud.simplified());
}

QPainterPath hills(qreal base, std::initializer_list<QPointF> crests)
{
    QPainterPath path;
    path.moveTo(0, IntroHeight);
    path.lineTo(0, base);
    QPointF previous(0, base);
    for (const QPointF &crest : crests) {
        const qreal midX = (previous.x() + crest.x()) / 2;
        path.cubicTo(midX, previous.y(), midX, crest.y(), crest.x(), crest.y());
        previous = crest;
    }
    path.lineTo(IntroWidth, IntroHeight);
    path.closeSubpath();
    return path;
}

void drawSkyline(QPainter &painter)
{
    const QColor stone(84, 130, 182);
    painter.setPen(Qt::NoPen);
    painter.setBrush(stone);
    // Houses along the far bank.
    const qreal houses[][3] = {{470, 26, 30}, {498, 20, 44}, {520, 30, 24}, {552, 22, 38},
                               {576, 34, 28}, {612, 24, 46}, {638, 30, 22}, {670, 26, 34}};
    for (const auto &house : houses)
        painter.drawRect(QRectF(house[0], Horizon - house[2], house[1], house[2] + 2));

    // A clock tower.
    painter.drawRect(QRectF(420, Horizon - 150, 30, 152));
    QPainterPath spire;
    spire.moveTo(416, Horizon - 150);
    spire.lineTo(435, Horizon - 196);
    spire.lineTo(454, Horizon - 150);
    spire.closeSubpath();
    painter.drawPath(spire);
    painter.setBrush(QColor(236, 244, 250));
    painter.drawEllipse(QPointF(435, Horizon - 124), 10, 10);
    painter.setPen(QPen(stone, 1.8, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(435, Horizon - 124), QPointF(435, Horizon - 131));
    painter.drawLine(QPointF(435, Horizon - 124), QPointF(440, Horizon - 124));

    // A bridge with two towers.
    painter.setPen(Qt::NoPen);
    painter.setBrush(stone.darker(108));
    for (const qreal x : {196.0, 292.0}) {
        painter.drawRect(QRectF(x, Horizon - 96, 26, 98));
        QPainterPath roof;
        roof.moveTo(x - 3, Horizon - 96);
        roof.lineTo(x + 13, Horizon - 122);
        roof.lineTo(x + 29, Horizon - 96);
        roof.closeSubpath();
        painter.drawPath(roof);
    }
    painter.drawRect(QRectF(140, Horizon - 34, 250, 8));
    painter.drawRect(QRectF(222, Horizon - 80, 70, 6));
    painter.setPen(QPen(stone.darker(108), 2.4));
    painter.setBrush(Qt::NoBrush);
    QPainterPath cables;
    cables.moveTo(140, Horizon - 34);
    cables.quadTo(175, Horizon - 40, 198, Horizon - 92);
    cables.moveTo(316, Horizon - 92);
    cables.quadTo(340, Horizon - 40, 390, Horizon - 34);
    painter.drawPath(cables);
}

void drawLand(QPainter &painter)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(140, 190, 226));
    painter.drawPath(hills(Horizon - 30, {{130, Horizon - 62}, {300, Horizon - 20},
                                          {520, Horizon - 70}, {782, Horizon - 26}}));
    drawSkyline(painter);
    painter.setPen(Qt::NoPen);

    // The river, widening toward the viewer.
    QLinearGradient water(0, Horizon, 0, IntroHeight);
    water.setColorAt(0.0, QColor(170, 212, 240));
    water.setColorAt(1.0, QColor(62, 128, 196));
    painter.setBrush(water);
    painter.drawRect(QRectF(0, Horizon, IntroWidth, IntroHeight - Horizon));
    painter.setBrush(QColor(255, 255, 255, 70));
    for (int i = 0; i < 7; ++i) {
        const qreal y = Horizon + 16 + i * 22.0 + i * i * 2.0;
        const qreal length = 60 + i * 26.0;
        painter.drawRoundedRect(QRectF(150 + (i % 3) * 170 - i * 8, y, length, 3 + i * 0.6), 2, 2);
    }

    // Green-blue banks in front.
    painter.setBrush(QColor(74, 148, 170));
    painter.drawPath(hills(IntroHeight - 110, {{120, IntroHeight - 150}, {250, IntroHeight - 70},
                                               {330, IntroHeight - 40}, {782, IntroHeight - 30}}));
    painter.setBrush(QColor(52, 118, 150));
    QPainterPath rightBank;
    rightBank.moveTo(IntroWidth, IntroHeight - 170);
    rightBank.cubicTo(680, IntroHeight - 150, 600, IntroHeight - 70, 520, IntroHeight);
    rightBank.lineTo(IntroWidth, IntroHeight);
    rightBank.closeSubpath();
    painter.drawPath(rightBank);
}

void drawBubble(QPainter &painter, const QRectF &box, bool tailLeft, const QColor &fill,
                const QString &text)
{
    QPainterPath bubble;
    bubble.addRoundedRect(box, 18, 18);
    const qreal tailX = tailLeft ? box.left() + 34 : box.right() - 34;
    const qreal tipX = tailLeft ? box.left() + 14 : box.right() - 14;
    QPainterPath tail;
    tail.moveTo(tailX - 12, box.bottom() - 2);
    tail.lineTo(tipX, box.bottom() + 26);
    tail.lineTo(tailX + 12, box.bottom() - 2);
    tail.closeSubpath();
    const QPainterPath shape = bubble.united(tail);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(16, 48, 92, 60));
    painter.drawPath(shape.translated(3, 4));
    painter.setPen(QPen(Ink, 2.0));
    painter.setBrush(fill);
    painter.drawPath(shape);
    painter.setFont(titleFont(30, true));
    painter.setPen(Ink);
    painter.drawText(box, Qt::AlignCenter, text);
}

void drawTitle(QPainter &painter)
{
    const QRectF band(0, 34, IntroWidth, 110);
    painter.setFont(titleFont(88, true));
    painter.setPen(QColor(16, 48, 92, 110));
    painter.drawText(band.translated(3, 4), Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("Вестория"));
    painter.setPen(White);
    painter.drawText(band, Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Вестория"));

    painter.setFont(titleFont(26, false));
    const QRectF subtitle(0, 138, IntroWidth, 40);
    painter.setPen(QColor(16, 48, 92, 110));
    painter.drawText(subtitle.translated(2, 2), Qt::AlignCenter,
                     QStringLiteral("Курс разговорного английского языка"));
    painter.setPen(White);
    painter.drawText(subtitle, Qt::AlignCenter, QStringLiteral("Курс разговорного английского языка"));
}

void drawFooter(QPainter &painter)
{
    const QRectF footer(0, IntroHeight - 44, IntroWidth, 44);
    painter.setPen(Qt::NoPen);
    painter.setBrush(topToBottom(footer, QColor(22, 63, 115, 210), QColor(14, 42, 80, 235)));
    painter.drawRect(footer);
    painter.setBrush(Amber);
    painter.drawRect(QRectF(0, footer.top(), IntroWidth, 3));
    painter.setFont(titleFont(18, false));
    painter.setPen(QColor(230, 242, 251));
    painter.drawText(footer.adjusted(0, 3, 0, 0), Qt::AlignCenter,
                     QStringLiteral("Listen  ·  Speak  ·  Translate"));
}

} // namespace

QImage introPicture()
{
    QImage picture(IntroWidth, IntroHeight, QImage::Format_RGB32);
    picture.fill(windowBackground());
    QPainter painter(&picture);
    prepare(painter);
    painter.setRenderHint(QPainter::TextAntialiasing);
    drawSky(painter);
    drawCloud(painter, {70, 236}, 0.8, 200);
    drawCloud(painter, {560, 226}, 0.6, 170);
    drawCloud(painter, {60, 62}, 0.7, 150);
    drawLand(painter);
    drawBubble(painter, QRectF(70, 400, 190, 70), true, White, QStringLiteral("Hello!"));
    drawBubble(painter, QRectF(520, 410, 200, 70), false, AmberLight, QStringLiteral("Привет!"));
    drawTitle(painter);
    drawFooter(painter);
    painter.end();
    return picture;
}

} // namespace SkinArt
