#pragma once

#include "SpeechActivity.h"

#include "core/SegmentFile.h"

#include <utility>
#include <vector>

// Finds where each of a text's syntagms, spoken in order, starts and ends in a recording.
//
// A reader pauses between sense groups far more often than inside them, so the borders
// are chosen among the recording's pauses, and only where the reader ran two syntagms
// together, among the quiet dips between words. Of all ways to put the borders there in
// order, the one kept makes each syntagm last about as long as its text suggests (its
// weight, in syllables) while using the longest pauses: a cost of duration misfit less a
// reward for the pause, minimised by dynamic programming over the candidate places.
//
// Each span keeps a breath of silence around its speech where the pause allows, so that
// playing one syntagm neither clips its first consonant nor its last.
class SyntagmAligner {
public:
    static constexpr qint32 LeadMs = 40;
    static constexpr qint32 TailMs = 60;

    explicit SyntagmAligner(const SpeechActivity &activity);

    // A border in the pause from leftMs to rightMs: the end of the syntagm before it and the
    // start of the next, each with its breath, which share a pause too short for both.
    static std::pair<qint32, qint32> bordersInPause(qint32 leftMs, qint32 rightMs);

    // One span per weight, in order; empty when the recording has no speech or there
    // are no weights.
    std::vector<Segment> align(const std::vector<double> &weights) const;

private:
    // A place a border may go: the syntagm before it ends at leftMs, the next starts at
    // rightMs (the same for a dip inside speech); bonus rewards a border there.
    struct Place {
        qint32 leftMs = 0;
        qint32 rightMs = 0;
        double bonus = 0;
        bool pause = false;
    };

    std::vector<int> choosePlaces(const std::vector<double> &expectedMs, double maxRatio) const;
    std::vector<Segment> spansThrough(const std::vector<int> &chosen) const;
    std::vector<Segment> proportionalSpans(const std::vector<double> &weights) const;

    qint32 soundMs_ = 0; // the length of the sound, which no span passes
    std::vector<Place> places_; // in order; the first is the start of speech, the last its end
};
