#pragma once

#include "SpeechCache.h"

#include <QByteArray>
#include <QString>

#include <vector>

// One piece of a course sound: a spoken text, or a pause when the text is empty. A
// spoken text with " / " in it is said piece by piece with a short pause between
// (spokenPieces). A pause lasts `pauseMs`, or, when `atLeastSpoken` is set and the
// spoken text before it took longer, as long as that text (and a millisecond more).
struct SoundStep {
    QString text;
    int pauseMs = 0;
    SpeechPace pace = SpeechPace::Natural;
    bool atLeastSpoken = false;
};

// Where a spoken piece lies in the joined sound, in milliseconds.
struct SoundSpan {
    qint32 startMs = 0;
    qint32 endMs = 0;
};

struct JoinedSound {
    QByteArray wav;
    std::vector<SoundSpan> spans; // one per spoken step, in order
    qint64 frames = 0;
    qint32 lengthMs = 0; // the length the sound device reports: whole milliseconds
};

// Joins the clips and pauses with sox. The spans come from the frame counts of the
// very files joined, so a timing file made from them follows the voice exactly.
JoinedSound joinSound(const std::vector<SoundStep> &steps, SpeechCache &speech);
