#pragma once

#include <QString>
#include <QStringList>

class QPainter;
class QRectF;

// The illustrated scenes of the course's caption pictures, drawn from shapes so that
// the course carries no borrowed artwork. A scene's few words ("HOTEL", "Hello!") are
// set in `family`.

// Draws the named scene into `area`; false when there is no scene of that name.
bool paintScene(const QString &name, QPainter &painter, const QRectF &area, const QString &family);

QStringList sceneNames();
