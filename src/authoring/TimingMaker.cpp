#include "TimingMaker.h"

#include "SpeechActivity.h"
#include "SpokenWeight.h"
#include "SyntagmAligner.h"

#include "core/CourseError.h"
#include "sound/SoundResult.h"

namespace {

// A SoundFailure becomes a CourseError naming the sound.
SoundData readSoundForAuthoring(const QString &soundName)
{
    try {
        return readWavFile(soundName);
    } catch (const SoundFailure &failure) {
        QString why = soundResultText(failure.code());
        if (!failure.detail().isEmpty())
            why += QStringLiteral(" (%1)").arg(failure.detail());
        throw CourseError(QStringLiteral("звук не читается: %1").arg(why), soundName);
    }
}

} // namespace

QByteArray makeTimingFile(const LessonText &text, const SoundData &sound, const QString &soundName)
{
    std::vector<double> weights;
    for (qsizetype line : text.spokenLines())
        weights.push_back(spokenWeight(text.lines[line]));
    if (weights.empty())
        return timingFileBytes(text, {});
    const SpeechActivity activity(sound);
    const std::vector<Segment> spans = SyntagmAligner(activity).align(weights);
    if (spans.empty())
        throw CourseError(QStringLiteral("в звуке не слышно речи"), soundName);
    return timingFileBytes(text, spans);
}

QByteArray makeTimingFile(const QString &textName, const QString &soundName)
{
    const LessonText text = readLessonText(textName);
    return makeTimingFile(text, readSoundForAuthoring(soundName), soundName);
}
