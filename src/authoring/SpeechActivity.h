#pragma once

#include "sound/WavFile.h"

#include <QtGlobal>

#include <vector>

// A stretch of a sound in milliseconds, end exclusive.
struct SoundStretch {
    qint32 startMs = 0;
    qint32 endMs = 0;

    qint32 lengthMs() const { return endMs - startMs; }
};

// Where a recording speaks and where it pauses, from its loudness in short blocks. The
// speech level is that of the loudest part of the sound, so a quiet recording and a loud
// one are judged alike; whatever stays far enough below it (breath, room noise, silence)
// is a pause.
class SpeechActivity {
public:
    static constexpr int BlockMs = 5;
    // Below the speech level by this much a block is no longer speech.
    static constexpr double SpeechRangeDb = 30.0;
    // Gaps shorter than this inside speech (a stop consonant's closure) do not end it.
    static constexpr int ShortestPauseMs = 30;

    explicit SpeechActivity(const SoundData &sound);

    qint32 lengthMs() const { return lengthMs_; }
    // Stretches of speech, in order; the gaps between them are pauses.
    const std::vector<SoundStretch> &speech() const { return speech_; }
    // The pauses between the first speech and the last, in order.
    std::vector<SoundStretch> innerPauses() const;
    // Points inside speech where the sound is quietest for a moment, the likeliest places
    // for a border between words spoken without a pause: a local minimum of the loudness,
    // with its depth in dB below the louder of the two sides.
    struct Dip {
        qint32 ms = 0;
        double depthDb = 0;
    };
    std::vector<Dip> dips() const;

private:
    qint32 lengthMs_ = 0;
    std::vector<double> levelsDb_; // the loudness of each block in dB against full scale
    std::vector<SoundStretch> speech_;
};

// Whether a border at `ms` would cut through speech: it lies in one of the stretches of
// `speech` (in order, as SpeechActivity finds them) with at least `marginMs` of it on
// either side.
bool cutsSpeech(const std::vector<SoundStretch> &speech, qint32 ms, qint32 marginMs);
