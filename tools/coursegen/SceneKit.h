#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <span>

class QPainter;

// Shapes the course's scenes are built from. A scene is drawn on a canvas of
// kSceneWidth x kSceneHeight; the picture it goes into scales it to its height and
// centres it, so a narrower picture shows the middle of the canvas (see kStoryLeft).

inline constexpr qreal kSceneWidth = 360;
inline constexpr qreal kSceneHeight = 200;
// The part of the canvas a story picture (260 px wide) shows; story scenes keep what
// matters between these two.
inline constexpr qreal kStoryLeft = 56;
inline constexpr qreal kStoryRight = 304;

using ScenePainter = void (*)(QPainter &painter, const QString &family);

struct SceneEntry {
    const char *name;
    ScenePainter paint;
};

void fillSky(QPainter &p, const QColor &top, const QColor &bottom);
void fillWall(QPainter &p, const QColor &wall, const QColor &floor, qreal floorY);
void drawSun(QPainter &p, const QPointF &centre, qreal radius, const QColor &colour);
void drawCloud(QPainter &p, const QPointF &c, qreal s);
void drawTree(QPainter &p, qreal x, qreal groundY, qreal height);

// A few bold words centred in a box.
void drawLabel(QPainter &p, const QRectF &box, const QString &text, const QString &family,
               qreal pixelSize, const QColor &colour, bool bold = true);
// A speech bubble whose tail points at `tip`.
void drawBubble(QPainter &p, const QRectF &box, const QPointF &tip, const QColor &fill);
// The colours of the words people say, and of the second speaker's bubble, so that the
// two sides of a dialogue differ.
inline const QColor kInk(0x1d, 0x35, 0x57);
inline const QColor kReplyFill(0xff, 0xe0, 0x8a);
inline const QColor kReplyInk(0x7a, 0x3e, 0x00);
// A speech bubble with what is said in bold words centred in it.
void drawSpeech(QPainter &p, const QRectF &box, const QPointF &tip, const QString &words, const QString &family,
                qreal pixelSize, const QColor &fill = Qt::white, const QColor &ink = kInk);

// How a person looks; the figures are simple and friendly, seen from the front.
struct PersonLook {
    QColor skin{0xf1, 0xc2, 0x9a};
    QColor hair{0x4e, 0x34, 0x2e};
    QColor top{0x45, 0x7b, 0x9d};
    QColor legs{0x2b, 0x2d, 0x42};
    bool longHair = false;
    bool skirt = false;
    bool smile = true;
};

// A standing person whose feet are at `feet`, `height` tall.
void drawPerson(QPainter &p, const QPointF &feet, qreal height, const PersonLook &look);
// A person's arm from the shoulder to the hand, to raise or point with.
void drawArm(QPainter &p, const QPointF &shoulder, const QPointF &hand, qreal width, const PersonLook &look);

// Everyday things.
void drawSuitcase(QPainter &p, const QPointF &bottomLeft, qreal width, const QColor &colour);
void drawWallClock(QPainter &p, const QPointF &centre, qreal radius, int hour, int minute);
void drawPhone(QPainter &p, const QRectF &box, const QColor &colour, bool ringing);
void drawKey(QPainter &p, const QPointF &ring, qreal length, const QColor &colour);
void drawWindowPane(QPainter &p, const QRectF &frame, const QColor &outside);
// A shop counter seen from the front, `top` its upper edge; whoever stands behind it is
// drawn first.
void drawCounter(QPainter &p, qreal left, qreal right, qreal top, qreal bottom, const QColor &wood);

// The scenes, by the lesson they illustrate.
std::span<const SceneEntry> titleScenes();
std::span<const SceneEntry> hotelScenes();
std::span<const SceneEntry> streetScenes();
std::span<const SceneEntry> phoneScenes();
std::span<const SceneEntry> shopScenes();
std::span<const SceneEntry> restaurantScenes();
std::span<const SceneEntry> doctorScenes();
