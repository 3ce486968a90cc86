#include "SoundJoin.h"

#include "SourceError.h"
#include "SpokenText.h"
#include "ToolProcess.h"

#include <QFile>

namespace {

// Between the letters of a spelled word: long enough to hear each letter apart.
constexpr int kPiecePauseMs = 300;

// The timing files give whole milliseconds, each end rounded: a pause a millisecond longer
// than its syntagm still shows as at least as long as the syntagm there.
constexpr qint64 kRoundingFrames = (SpeechCache::kRate + 999) / 1000;

qint32 msOf(qint64 frames)
{
    return qint32(qRound64(double(frames) * 1000.0 / SpeechCache::kRate));
}

} // namespace

JoinedSound joinSound(const std::vector<SoundStep> &steps, SpeechCache &speech)
{
    JoinedSound sound;
    QStringList inputs;
    qint64 spokenFrames = 0; // of the spoken step before
    auto addSilence = [&](qint64 frames) {
        if (frames > 0) {
            inputs << speech.silence(frames).path;
            sound.frames += frames;
        }
    };
    for (const SoundStep &step : steps) {
        if (step.text.isEmpty()) {
            const qint64 frames = qint64(step.pauseMs) * SpeechCache::kRate / 1000;
            addSilence(step.atLeastSpoken ? qMax(frames, spokenFrames + kRoundingFrames) : frames);
            continue;
        }
        const qint64 start = sound.frames;
        const QStringList pieces = spokenPieces(step.text);
        for (qsizetype i = 0; i < pieces.size(); ++i) {
            if (i > 0)
                addSilence(qint64(kPiecePauseMs) * SpeechCache::kRate / 1000);
            const SpeechClip clip = speech.clip(pieces[i], step.pace);
            inputs << clip.path;
            sound.frames += clip.frames;
        }
        sound.spans.push_back({msOf(start), msOf(sound.frames)});
        spokenFrames = sound.frames - start;
    }
    if (inputs.isEmpty())
        throw SourceError(QStringLiteral("a course sound with nothing in it"));

    const QString out = speech.folder() + QStringLiteral("/joined.wav");
    QFile::remove(out);
    // One input needs no joining, but sox copies it just the same.
    runTool(speech.sox(),
            QStringList{QStringLiteral("-D"), QStringLiteral("-R")} + inputs + QStringList{QStringLiteral("-t"), QStringLiteral("wav"), out},
            speech.folder());
    if (framesOfSound(out) != sound.frames)
        throw SourceError({out}, QStringLiteral("sox joined %1 frames, not %2").arg(framesOfSound(out)).arg(sound.frames));
    QFile file(out);
    if (!file.open(QIODevice::ReadOnly))
        throw SourceError({out}, QStringLiteral("cannot read the joined sound"));
    sound.wav = file.readAll();
    file.close();
    QFile::remove(out);
    sound.lengthMs = qint32(sound.frames * 1000 / SpeechCache::kRate);
    return sound;
}
