#include "BordersInSpeech.h"

#include "CheckContext.h"

namespace {

// A border is inside speech when there is speech for this long on either side of it:
// less is within the blocks the loudness is measured in.
constexpr qint32 SpeechEitherSideMs = 20;

} // namespace

void checkBordersInSpeech(CheckContext &context, const QString &timingFile, const QString &soundFile,
                          const std::vector<TimedLine> &lines)
{
    if (lines.empty())
        return;
    const std::vector<SoundStretch> *speech = context.speechOf(soundFile);
    if (!speech)
        return;
    for (const TimedLine &timed : lines) {
        if (cutsSpeech(*speech, timed.span.startMs, SpeechEitherSideMs)) {
            context.warn(timingFile, timed.line,
                         QStringLiteral("начало %1 мс приходится на речь в %2: фраза начнётся посреди слова")
                             .arg(timed.span.startMs).arg(soundFile));
        }
        if (cutsSpeech(*speech, timed.span.endMs, SpeechEitherSideMs)) {
            context.warn(timingFile, timed.line,
                         QStringLiteral("конец %1 мс приходится на речь в %2: фраза оборвётся посреди слова")
                             .arg(timed.span.endMs).arg(soundFile));
        }
    }
}
