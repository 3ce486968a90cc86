#pragma once

#include "core/SegmentFile.h"
#include "sound/WavFile.h"

#include <vector>

// The usual forced-alignment baseline, for comparison with the program's own method: a
// synthesised reading of the text whose syntagm borders are known, matched to the
// recording by dynamic time warping on log band energies (24 bands up to 8 kHz, 10 ms
// frames, each band's mean taken off per sound), each border carried over along the
// path. Both sounds mono at the same rate. The warping is searched within `bandSeconds`
// of the straight line between the two sounds' ends.
std::vector<Segment> dtwSpans(const SoundData &recording, const SoundData &reading,
                              const std::vector<Segment> &readingSpans, double bandSeconds = 6);
