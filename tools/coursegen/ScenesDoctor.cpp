#include "SceneKit.h"

#include <QPainter>

// The story of lesson 6: a cold, a visit to the doctor and the pharmacy.

namespace {

const QColor kCrossRed(0xe5, 0x39, 0x35);
const QColor kCrossGreen(0x2e, 0x7d, 0x32);

PersonLook peter()
{
    return {.hair = QColor(0xa1, 0x88, 0x7f), .top = QColor(0x60, 0x7d, 0x8b), .legs = QColor(0x3e, 0x27, 0x23),
            .smile = false};
}

PersonLook doctor()
{
    return {.hair = QColor(0x75, 0x75, 0x75), .top = Qt::white, .legs = QColor(0x37, 0x47, 0x4f)};
}

PersonLook pharmacist()
{
    return {.skin = QColor(0x8d, 0x5b, 0x3e), .hair = QColor(0x21, 0x21, 0x21), .top = QColor(0x80, 0xcb, 0xc4),
            .legs = QColor(0x26, 0x46, 0x53), .longHair = true};
}

void drawCross(QPainter &p, const QPointF &centre, qreal size, const QColor &colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRect(QRectF(centre.x() - size / 6, centre.y() - size / 2, size / 3, size));
    p.drawRect(QRectF(centre.x() - size / 2, centre.y() - size / 6, size, size / 3));
}

// The stethoscope hanging round the doctor's neck; `neck` is the base of the neck.
void drawStethoscope(QPainter &p, const QPointF &neck, qreal u)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x37, 0x47, 0x4f), 1.6 * u));
    p.drawArc(QRectF(neck.x() - 6 * u, neck.y() - 2 * u, 12 * u, 16 * u), 180 * 16, 180 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x9e, 0x9e, 0x9e));
    p.drawEllipse(QPointF(neck.x() + 6 * u, neck.y() + 14 * u), 2.2 * u, 2.2 * u);
}

void drawDoctor(QPainter &p, const QPointF &feet, qreal height)
{
    drawPerson(p, feet, height, doctor());
    drawStethoscope(p, QPointF(feet.x(), feet.y() - 72 * height / 100), height / 100);
}

void drawPillBottle(QPainter &p, const QPointF &bottom, qreal height, const QColor &colour)
{
    const qreal w = height * 0.6;
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(bottom.x() - w / 2, bottom.y() - height, w, height), 3, 3);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(bottom.x() - w / 2, bottom.y() - height * 0.7, w, height * 0.35));
    p.setBrush(QColor(0xfa, 0xfa, 0xfa));
    p.drawRect(QRectF(bottom.x() - w / 2 - 1, bottom.y() - height - 5, w + 2, 6));
}

void drawClinicWall(QPainter &p)
{
    fillWall(p, QColor(0xe0, 0xf2, 0xf1), QColor(0xb0, 0xbe, 0xc5), 172);
}

void paintDoctorTitle(QPainter &p, const QString &family)
{
    fillSky(p, QColor(0x81, 0xd4, 0xfa), QColor(0xe1, 0xf5, 0xfe));
    drawSun(p, {320, 34}, 14, QColor(0xff, 0xd1, 0x66));
    p.fillRect(QRectF(0, 172, kSceneWidth, 28), QColor(0xcf, 0xc8, 0xbd));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(80, 46, 200, 126));
    p.setBrush(QColor(0x00, 0x83, 0x8f));
    p.drawRect(QRectF(74, 40, 212, 12));
    drawCross(p, {180, 80}, 34, kCrossRed);
    drawLabel(p, QRectF(110, 104, 140, 20), QStringLiteral("MEDICAL CENTER"), family, 12, QColor(0x00, 0x60, 0x64));
    drawWindowPane(p, QRectF(94, 60, 40, 30), QColor(0xb3, 0xe5, 0xfc));
    drawWindowPane(p, QRectF(226, 60, 40, 30), QColor(0xb3, 0xe5, 0xfc));
    p.setBrush(QColor(0x00, 0x83, 0x8f));
    p.drawRect(QRectF(160, 130, 40, 42));
    drawDoctor(p, QPointF(44, 190), 86);
    drawPerson(p, QPointF(316, 190), 80, peter());
}

// Peter waits for his appointment; the clock and Dr. Miller's name on the door.
void paintWaitingRoom(QPainter &p, const QString &family)
{
    drawClinicWall(p);
    drawWallClock(p, {110, 46}, 18, 10, 0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x79, 0x55, 0x48));
    p.drawRect(QRectF(214, 40, 70, 132));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(220, 60, 58, 22));
    drawLabel(p, QRectF(220, 60, 58, 22), QStringLiteral("Dr. Miller"), family, 10, kInk);
    // A row of chairs, Peter beside them.
    for (int i = 0; i < 2; ++i) {
        p.setBrush(QColor(0x00, 0x83, 0x8f));
        p.drawRect(QRectF(70 + i * 36, 136, 30, 8));
        p.drawRect(QRectF(70 + i * 36, 110, 30, 6));
        p.setBrush(QColor(0x37, 0x47, 0x4f));
        p.drawRect(QRectF(74 + i * 36, 144, 3, 28));
        p.drawRect(QRectF(93 + i * 36, 144, 3, 28));
    }
    drawPerson(p, QPointF(172, 190), 94, peter());
    drawSpeech(p, QRectF(128, 8, 80, 28), QPointF(170, 84), QStringLiteral("Cough!"), family, 13);
}

// The doctor asks what the problem is.
void paintExam(QPainter &p, const QString &family)
{
    drawClinicWall(p);
    p.setPen(Qt::NoPen);
    drawCross(p, {280, 40}, 22, kCrossRed);
    // The examination couch.
    p.setBrush(QColor(0x4d, 0xb6, 0xac));
    p.drawRoundedRect(QRectF(196, 128, 108, 16), 4, 4);
    p.setBrush(QColor(0x9e, 0x9e, 0x9e));
    p.drawRect(QRectF(204, 144, 4, 30));
    p.drawRect(QRectF(292, 144, 4, 30));
    drawDoctor(p, QPointF(104, 190), 104);
    drawPerson(p, QPointF(236, 190), 94, peter());
    drawSpeech(p, QRectF(58, 8, 150, 40), QPointF(112, 84), QStringLiteral("What seems to be\nthe problem?"), family, 12);
}

// The thermometer: a slight fever.
void paintThermometer(QPainter &p, const QString &family)
{
    drawClinicWall(p);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(88, 74, 184, 40), 20, 20);
    p.setBrush(QColor(0xcf, 0xd8, 0xdc));
    p.drawRoundedRect(QRectF(118, 88, 136, 12), 6, 6);
    p.setBrush(kCrossRed);
    p.drawEllipse(QPointF(112, 94), 14, 14);
    p.drawRoundedRect(QRectF(112, 89, 104, 10), 5, 5);
    for (int i = 0; i < 9; ++i)
        p.fillRect(QRectF(130 + i * 14, 78, 1.5, 8), QColor(0x60, 0x7d, 0x8b));
    drawLabel(p, QRectF(104, 124, 152, 32), QStringLiteral("99.5 \u00b0F"), family, 24, kCrossRed);
    drawLabel(p, QRectF(104, 150, 152, 18), QStringLiteral("(37.5 \u00b0C)"), family, 12, QColor(0x60, 0x7d, 0x8b));
    drawPillBottle(p, {290, 172}, 30, QColor(0xff, 0x8f, 0x00));
    drawLabel(p, QRectF(96, 20, 168, 30), QStringLiteral("Just a cold"), family, 18, kInk);
}

// The pharmacy counter: Peter picks up his medicine.
void paintPharmacy(QPainter &p, const QString &family)
{
    fillWall(p, QColor(0xf1, 0xf8, 0xe9), QColor(0xbc, 0xaa, 0xa4), 172);
    p.setPen(Qt::NoPen);
    p.setBrush(kCrossGreen);
    p.drawRoundedRect(QRectF(84, 10, 192, 28), 5, 5);
    drawLabel(p, QRectF(84, 10, 192, 28), QStringLiteral("PHARMACY"), family, 16, Qt::white);
    // The shelves behind the counter.
    p.setBrush(QColor(0xd7, 0xcc, 0xc8));
    p.drawRect(QRectF(62, 52, 150, 4));
    p.drawRect(QRectF(62, 84, 150, 4));
    const QColor bottles[] = {QColor(0xff, 0x8f, 0x00), QColor(0x42, 0xa5, 0xf5), QColor(0xef, 0x53, 0x50),
                              QColor(0x66, 0xbb, 0x6a)};
    for (int i = 0; i < 8; ++i) {
        drawPillBottle(p, {70.0 + i * 18, 52}, 14, bottles[i % 4]);
        drawPillBottle(p, {70.0 + i * 18, 84}, 14, bottles[(i + 2) % 4]);
    }
    drawPerson(p, QPointF(130, 182), 100, pharmacist());
    drawCounter(p, 60, 220, 128, 180, QColor(0x5d, 0x40, 0x37));
    drawPillBottle(p, {180, 128}, 22, QColor(0xff, 0x8f, 0x00));
    drawCross(p, {140, 156}, 20, kCrossGreen);
    drawPerson(p, QPointF(258, 192), 96, peter());
}

} // namespace

std::span<const SceneEntry> doctorScenes()
{
    static const SceneEntry scenes[] = {
        {"doctor", paintDoctorTitle},
        {"waitingroom", paintWaitingRoom},
        {"exam", paintExam},
        {"thermometer", paintThermometer},
        {"pharmacy", paintPharmacy},
    };
    return scenes;
}
