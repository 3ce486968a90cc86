#include "Scenes.h"

#include "SceneKit.h"

#include <QPainter>

#include <array>

namespace {

// The scenes of every lesson; a new lesson's scenes are added here only.
std::array<std::span<const SceneEntry>, 7> sceneLists()
{
    return {titleScenes(), hotelScenes(), streetScenes(), phoneScenes(), shopScenes(), restaurantScenes(), doctorScenes()};
}

ScenePainter findScene(const QString &name)
{
    for (const std::span<const SceneEntry> scenes : sceneLists()) {
        for (const SceneEntry &scene : scenes) {
            if (name == QLatin1String(scene.name))
                return scene.paint;
        }
    }
    return nullptr;
}

} // namespace

bool paintScene(const QString &name, QPainter &painter, const QRectF &area, const QString &family)
{
    const ScenePainter paint = findScene(name);
    if (!paint)
        return false;
    // Scaled to the area's height, never stretched: a narrower area shows the middle
    // of the canvas, where the story scenes keep their subject.
    const qreal scale = area.height() / kSceneHeight;
    const qreal shownWidth = area.width() / scale;
    painter.save();
    painter.setClipRect(area);
    painter.translate(area.topLeft());
    painter.scale(scale, scale);
    painter.translate((shownWidth - kSceneWidth) / 2, 0);
    paint(painter, family);
    painter.restore();
    return true;
}

QStringList sceneNames()
{
    QStringList names;
    for (const std::span<const SceneEntry> scenes : sceneLists()) {
        for (const SceneEntry &scene : scenes)
            names << QLatin1String(scene.name);
    }
    return names;
}
