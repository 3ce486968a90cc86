#include "ProgressBarLayout.h"

#include <QtGlobal>

#include <algorithm>

namespace {

// The fill's scale factor k. Bounded so that an odd range cannot make the tile loop run
// for billions of tiles; beyond the bound every piece would be off the control anyway.
qint64 fillSteps(int controlWidth, const ProgressPieceWidths &widths, int min, int max,
                 int position)
{
    const qint64 start = widths.beginScroll;
    const qint64 stop = qint64(controlWidth) - widths.endScroll;
    const qint64 span = (stop - start) / widths.midleScroll;
    const qint64 range = qint64(max) - min;
    qint64 k = 1;
    if (range > 0) {
        const qint64 clamped = std::clamp<qint64>(position, min, max);
        k = span * clamped / range;
    }
    const qint64 reach =
        (qint64(controlWidth) + start + widths.endScroll) / widths.midleScroll + 2;
    return std::clamp(k, -reach, reach);
}

} // namespace

ProgressBarLayout layOutProgressBar(int controlWidth, const ProgressPieceWidths &widths, int min,
                                    int max, int position)
{
    ProgressBarLayout layout;
    if (widths.midleLine <= 0 || widths.midleScroll <= 0)
        return layout;

    // The rest of the track that no whole tile fills is left to the end cap.
    const int trackTileCount = controlWidth / widths.midleLine;
    for (int i = 0; i < trackTileCount; ++i)
        layout.trackTiles.push_back(i * widths.midleLine);
    layout.trackEnd = controlWidth - widths.endLine;

    const int start = widths.beginScroll;
    const qint64 k = fillSteps(controlWidth, widths, min, max, position);
    for (qint64 i = 0; i <= k; ++i)
        layout.fillTiles.push_back(int(start + i * widths.midleScroll));
    layout.fillEnd = int(start + k * widths.midleScroll);
    return layout;
}

int centredTop(int controlHeight, int pictureHeight)
{
    return controlHeight / 2 - pictureHeight / 2;
}
