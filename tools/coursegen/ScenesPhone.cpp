#include "SceneKit.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

// The story of lesson 3: a phone call to an office.

namespace {

PersonLook lucy()
{
    return {.hair = QColor(0x8d, 0x4a, 0x2a), .top = QColor(0x7e, 0x57, 0xc2), .legs = QColor(0x45, 0x27, 0xa0),
            .longHair = true, .skirt = true};
}

void drawOfficeDesk(QPainter &p, qreal left, qreal right, qreal top)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x8d, 0x5b, 0x3e));
    p.drawRect(QRectF(left, top, right - left, 10));
    p.setBrush(QColor(0x6d, 0x43, 0x2c));
    p.drawRect(QRectF(left + 8, top + 10, right - left - 16, kSceneHeight - top - 10));
    p.setBrush(QColor(0xd7, 0xb2, 0x8a));
    p.drawRect(QRectF(left + 20, top + 24, (right - left) * 0.3, 3));
}

// Monday morning in Mr Green's office: the phone rings on the empty desk.
void paintOffice(QPainter &p, const QString &family)
{
    fillWall(p, QColor(0xdc, 0xe8, 0xe0), QColor(0x90, 0xa4, 0xae), 150);
    drawWindowPane(p, QRectF(66, 22, 80, 70), QColor(0xb3, 0xe5, 0xfc));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xd5, 0x4f));
    p.drawEllipse(QPointF(124, 42), 8, 8);
    drawWallClock(p, QPointF(276, 42), 20, 9, 0);

    // A calendar page on the wall: Monday.
    p.setBrush(Qt::white);
    p.drawRect(QRectF(180, 24, 54, 60));
    p.setBrush(QColor(0xe5, 0x39, 0x35));
    p.drawRect(QRectF(180, 24, 54, 16));
    drawLabel(p, QRectF(180, 24, 54, 16), QStringLiteral("MONDAY"), family, 9, Qt::white);
    drawLabel(p, QRectF(180, 40, 54, 44), QStringLiteral("12"), family, 24, QColor(0x37, 0x47, 0x4f));

    drawOfficeDesk(p, 62, 300, 132);
    drawPhone(p, QRectF(132, 100, 56, 32), QColor(0x26, 0x32, 0x38), true);
    // The name plate.
    p.setBrush(QColor(0x37, 0x47, 0x4f));
    p.drawPolygon(QPolygonF({QPointF(214, 132), QPointF(282, 132), QPointF(278, 114), QPointF(218, 114)}));
    drawLabel(p, QRectF(214, 114, 68, 18), QStringLiteral("Mr. Green"), family, 10, QColor(0xff, 0xd5, 0x4f));
    drawLabel(p, QRectF(92, 62, 140, 30), QStringLiteral("RING! RING!"), family, 14, QColor(0xd3, 0x2f, 0x2f));
}

// Lucy answers: "Green and Partners, Lucy speaking."
void paintCall(QPainter &p, const QString &family)
{
    fillWall(p, QColor(0xe3, 0xf2, 0xfd), QColor(0x90, 0xa4, 0xae), 156);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1d, 0x35, 0x57));
    p.drawRoundedRect(QRectF(190, 20, 108, 38), 4, 4);
    drawLabel(p, QRectF(190, 20, 108, 20), QStringLiteral("GREEN"), family, 12, Qt::white);
    drawLabel(p, QRectF(190, 38, 108, 18), QStringLiteral("& PARTNERS"), family, 10, QColor(0xa5, 0xd6, 0xa7));

    const PersonLook look = lucy();
    drawPerson(p, QPointF(146, 196), 118, look);
    // She holds the handset to her ear.
    const qreal u = 1.18;
    const QPointF ear(146 + 11 * u, 196 - 84 * u);
    drawArm(p, QPointF(146 + 13 * u, 196 - 68 * u), ear + QPointF(8, 14), 5 * u, look);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x26, 0x32, 0x38));
    p.save();
    p.translate(ear + QPointF(4, 4));
    p.rotate(70);
    p.drawRoundedRect(QRectF(-20, -4, 40, 8), 4, 4);
    p.drawRoundedRect(QRectF(-22, -6, 10, 12), 4, 4);
    p.drawRoundedRect(QRectF(12, -6, 10, 12), 4, 4);
    p.restore();
    drawOfficeDesk(p, 70, 296, 150);
    drawPhone(p, QRectF(222, 124, 44, 26), QColor(0x26, 0x32, 0x38), false);

    drawSpeech(p, QRectF(180, 70, 118, 40), QPointF(166, 100), QStringLiteral("Lucy speaking."), family, 13);
}

// The message Lucy writes down.
void paintMessage(QPainter &p, const QString &family)
{
    p.fillRect(QRectF(0, 0, kSceneWidth, kSceneHeight), QColor(0x8d, 0x5b, 0x3e));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRect(QRectF(90, 14, 188, 182));
    p.setBrush(QColor(0xff, 0xf5, 0x9d));
    p.drawRect(QRectF(86, 10, 188, 182));
    p.setBrush(QColor(0xf9, 0xa8, 0x25));
    p.drawRect(QRectF(86, 10, 188, 26));
    drawLabel(p, QRectF(86, 10, 188, 26), QStringLiteral("MESSAGE"), family, 15, Qt::white);
    p.setPen(QPen(QColor(0x90, 0xca, 0xf9), 1));
    for (qreal y = 64; y < 190; y += 24)
        p.drawLine(QPointF(94, y), QPointF(266, y));

    struct Note {
        const char *text;
        QColor colour;
    };
    const Note notes[] = {
        {"For: Mr. Green", QColor(0x37, 0x47, 0x4f)},
        {"From: David Wood", QColor(0x15, 0x65, 0xc0)},
        {"Meeting on Thursday?", QColor(0x15, 0x65, 0xc0)},
        {"Please call back:", QColor(0x15, 0x65, 0xc0)},
        {"(212) 555-0147", QColor(0xc6, 0x28, 0x28)},
    };
    for (int i = 0; i < 5; ++i) {
        drawLabel(p, QRectF(94, 42 + i * 24, 172, 22), QString::fromLatin1(notes[i].text), family, 13,
                  notes[i].colour, i == 4);
    }
    // A pencil.
    p.save();
    p.translate(292, 150);
    p.rotate(-60);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xc1, 0x07));
    p.drawRect(QRectF(-40, -4, 64, 8));
    p.setBrush(QColor(0xf4, 0x8f, 0xb1));
    p.drawRect(QRectF(-48, -4, 8, 8));
    p.setBrush(QColor(0xd7, 0xb2, 0x8a));
    p.drawPolygon(QPolygonF({QPointF(24, -4), QPointF(36, 0), QPointF(24, 4)}));
    p.restore();
}

// The week on the calendar, Thursday circled.
void paintCalendar(QPainter &p, const QString &family)
{
    fillWall(p, QColor(0xf5, 0xef, 0xe6), QColor(0xbc, 0xaa, 0xa4), 190);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawRect(QRectF(66, 22, 236, 160));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(62, 18, 236, 160));
    p.setBrush(QColor(0x1d, 0x35, 0x57));
    p.drawRect(QRectF(62, 18, 236, 30));
    drawLabel(p, QRectF(62, 18, 236, 30), QStringLiteral("THIS WEEK"), family, 14, Qt::white);
    const char *days[] = {"Mon", "Tue", "Wed", "Thu", "Fri"};
    for (int i = 0; i < 5; ++i) {
        const QRectF cell(68 + i * 46, 56, 42, 112);
        p.setBrush(i == 3 ? QColor(0xff, 0xf3, 0xe0) : QColor(0xf1, 0xf5, 0xf8));
        p.drawRect(cell);
        drawLabel(p, QRectF(cell.left(), cell.top() + 4, cell.width(), 18), QString::fromLatin1(days[i]), family, 11,
                  QColor(0x37, 0x47, 0x4f));
        drawLabel(p, QRectF(cell.left(), cell.top() + 24, cell.width(), 30), QString::number(12 + i), family, 20,
                  QColor(0x60, 0x7d, 0x8b));
    }
    // Thursday: ringed in red, with the meeting written in.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xe5, 0x39, 0x35), 3));
    p.drawEllipse(QPointF(68 + 3 * 46 + 21, 95), 20, 18);
    p.setPen(Qt::NoPen);
    drawLabel(p, QRectF(68 + 3 * 46, 118, 42, 44), QStringLiteral("D.\nWood"), family, 11, QColor(0xc6, 0x28, 0x28));
}

} // namespace

std::span<const SceneEntry> phoneScenes()
{
    static const SceneEntry scenes[] = {
        {"office", paintOffice},
        {"call", paintCall},
        {"message", paintMessage},
        {"calendar", paintCalendar},
    };
    return scenes;
}
