#pragma once

#include <vector>

// Widths of the six pieces of the picture progress bar: the track and the fill, each a
// begin cap, a tiled middle and an end cap.
struct ProgressPieceWidths {
    int beginLine = 0;
    int midleLine = 0;
    int endLine = 0;
    int beginScroll = 0;
    int midleScroll = 0;
    int endScroll = 0;
};

// Where each piece goes along the bar. Both begin caps are drawn at x = 0.
struct ProgressBarLayout {
    std::vector<int> trackTiles; // x of every middle tile of the track, left to right
    int trackEnd = 0;            // x of the track's end cap
    std::vector<int> fillTiles;  // x of every middle tile of the fill, left to right
    int fillEnd = 0;             // x of the fill's end cap, over its last middle tile
};

// The layout of a bar `controlWidth` wide. The fill has k + 1 middle tiles with
// k = span * position / (max - min) (span = how many middle tiles fit between the caps),
// or k = 1 when max - min is not positive; the position itself, not position - min, is
// scaled. A position outside min..max counts as the nearer bound. Widths must be positive.
ProgressBarLayout layOutProgressBar(int controlWidth, const ProgressPieceWidths &widths, int min,
                                    int max, int position);

// Top of a picture centred in a control, halves truncated toward zero.
int centredTop(int controlHeight, int pictureHeight);
