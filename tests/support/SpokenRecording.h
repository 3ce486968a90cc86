#pragma once

#include "core/SegmentFile.h"
#include "sound/WavFile.h"

#include <QString>

#include <vector>

// A recording whose speech the tests know to the sample: phrases of a voiced sound (a
// 140 Hz voice with its harmonics, its loudness rising and falling with syllables but
// never silent inside a phrase) and pauses of silence, at 22050 Hz mono.
class SpokenRecording {
public:
    static constexpr int Rate = 22050;

    SpokenRecording &pause(int ms);
    // A phrase of `ms`, `dropDb` quieter than the others (a word boundary spoken through is
    // a short phrase a little quieter than the words around it).
    SpokenRecording &say(int ms, double dropDb = 0);

    // Where each phrase starts and ends, in ms.
    const std::vector<Segment> &phrases() const { return phrases_; }
    qint32 lengthMs() const { return qint32(samples_.size() * 1000 / Rate); }
    SoundData sound() const;
    void save(const QString &path) const;

private:
    std::vector<qint16> samples_;
    std::vector<Segment> phrases_;
};
