#include "authoring/LessonText.h"
#include "authoring/TimingMaker.h"
#include "core/SegmentFile.h"
#include "sound/WavFile.h"
#include "support/TempCourse.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

// A clip of espeak-ng's voice, cut to where its sound first and last reaches 1 % of full
// scale: the syntagm's speech, whose borders the test knows.
std::vector<qint16> spokenClip(const QString &text, const QString &path)
{
    QProcess espeak;
    espeak.start(QStringLiteral("espeak-ng"), {QStringLiteral("-v"), QStringLiteral("en-us"), QStringLiteral("-w"), path, text});
    if (!espeak.waitForFinished(30000) || espeak.exitCode() != 0)
        return {};
    const SoundData sound = readWavFile(path);
    if (sound.format.rate != 22050 || sound.format.channels != 1)
        return {};
    const auto loud = [](qint16 s) { return std::abs(int(s)) >= 328; };
    const auto first = std::find_if(sound.samples.begin(), sound.samples.end(), loud);
    const auto last = std::find_if(sound.samples.rbegin(), sound.samples.rend(), loud).base();
    return first < last ? std::vector<qint16>(first, last) : std::vector<qint16>{};
}

TEST(SynthesisedSpeechTest, ARealVoiceIsTimedWithinAFewBlocksOfItsSpeech)
{
    TempCourse course;
    const QStringList syntagms = {QStringLiteral("Good morning, sir."), QStringLiteral("Your room is on the second floor"),
                                  QStringLiteral("and breakfast is at eight.")};
    course.writeLines(QStringLiteral("text.txt"), {QStringLiteral("#Check-in"), syntagms[0], syntagms[1], syntagms[2]});

    SoundData sound;
    sound.format = {22050, 1, 0};
    std::vector<Segment> spoken;
    const auto pause = [&](int ms) { sound.samples.insert(sound.samples.end(), size_t(ms * 22050 / 1000), 0); };
    pause(700);
    for (const QString &text : syntagms) {
        const std::vector<qint16> clip = spokenClip(text, course.absolute(QStringLiteral("clip.wav")));
        ASSERT_FALSE(clip.empty()) << "espeak-ng (scripts/install-deps.sh) did not speak " << text.toStdString();
        const qint32 startMs = qint32(qint64(sound.samples.size()) * 1000 / 22050);
        sound.samples.insert(sound.samples.end(), clip.begin(), clip.end());
        spoken.push_back({startMs, qint32(qint64(sound.samples.size()) * 1000 / 22050)});
        pause(350);
    }
    pause(500);

    const LessonText text = readLessonText(QStringLiteral("text.txt"));
    const QList<QByteArray> lines = makeTimingFile(text, sound, QStringLiteral("text.wav")).split('\n');
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], "#\r");
    for (size_t i = 0; i < spoken.size(); ++i) {
        const Segment span = parseSegmentLine(QByteArrayView(lines[qsizetype(i) + 1]).chopped(1));
        EXPECT_NEAR(span.startMs, spoken[i].startMs - 40, 30) << "syntagm " << i + 1;
        EXPECT_NEAR(span.endMs, spoken[i].endMs + 60, 30) << "syntagm " << i + 1;
    }
}

} // namespace
