#include "authoring/SpeechActivity.h"
#include "authoring/SyntagmAligner.h"
#include "authoring/TimingMaker.h"
#include "core/CourseError.h"
#include "support/SpokenRecording.h"
#include "support/TempCourse.h"

#include <gtest/gtest.h>

namespace {

// A syntagm's span keeps 40 ms before its speech and 60 ms after it; the loudness is
// measured in 5 ms blocks.
constexpr qint32 Tolerance = 10;

void expectSpansAround(const std::vector<Segment> &spans, const std::vector<Segment> &phrases)
{
    ASSERT_EQ(spans.size(), phrases.size());
    for (size_t i = 0; i < spans.size(); ++i) {
        EXPECT_NEAR(spans[i].startMs, phrases[i].startMs - SyntagmAligner::LeadMs, Tolerance) << "syntagm " << i;
        EXPECT_NEAR(spans[i].endMs, phrases[i].endMs + SyntagmAligner::TailMs, Tolerance) << "syntagm " << i;
    }
}

std::vector<Segment> align(const SpokenRecording &recording, const std::vector<double> &weights)
{
    const SpeechActivity activity(recording.sound());
    return SyntagmAligner(activity).align(weights);
}

TEST(SyntagmAlignerTest, ThePausesBetweenSyntagmsBecomeTheirBorders)
{
    SpokenRecording recording;
    recording.pause(600).say(1200).pause(450).say(2000).pause(450).say(800).pause(900);
    expectSpansAround(align(recording, {3, 5, 2}), recording.phrases());
}

TEST(SyntagmAlignerTest, TheTextsLengthsTellABorderFromALongerPauseInsideASyntagm)
{
    // The second syntagm is read with a pause in its middle longer than those around it.
    SpokenRecording recording;
    recording.pause(500).say(1000).pause(300).say(1000).pause(400).say(1000).pause(300).say(1000).pause(500);
    const std::vector<Segment> &p = recording.phrases();
    expectSpansAround(align(recording, {2, 4, 2}), {p[0], {p[1].startMs, p[2].endMs}, p[3]});
}

TEST(SyntagmAlignerTest, SyntagmsSpokenWithoutAPauseMeetAtTheQuietestPointBetweenThem)
{
    SpokenRecording recording;
    recording.pause(500).say(1500).say(60, 18).say(1500).pause(450).say(1500).pause(500);
    const std::vector<Segment> spans = align(recording, {1, 1, 1});
    ASSERT_EQ(spans.size(), 3u);
    const qint32 dipMs = recording.phrases()[1].startMs + 30;
    EXPECT_NEAR(spans[0].endMs, dipMs, 25);
    EXPECT_EQ(spans[1].startMs, spans[0].endMs);
    EXPECT_NEAR(spans[1].endMs, recording.phrases()[2].endMs + SyntagmAligner::TailMs, Tolerance);
    EXPECT_NEAR(spans[2].startMs, recording.phrases()[3].startMs - SyntagmAligner::LeadMs, Tolerance);
}

TEST(SyntagmAlignerTest, MoreSyntagmsThanPlacesForBordersShareTheSpeechInOrder)
{
    SpokenRecording recording;
    recording.pause(20).say(400).pause(20);
    const std::vector<Segment> spans = align(recording, {1, 2, 1, 1});
    ASSERT_EQ(spans.size(), 4u);
    EXPECT_EQ(spans.front().startMs, 0) << "the breath before is cut to the start of the sound";
    EXPECT_EQ(spans.back().endMs, recording.lengthMs()) << "and the one after to its end";
    for (size_t i = 0; i < spans.size(); ++i) {
        EXPECT_LT(spans[i].startMs, spans[i].endMs);
        if (i > 0) {
            EXPECT_LE(spans[i - 1].endMs, spans[i].startMs);
        }
    }
}

TEST(SyntagmAlignerTest, AQuietRoomIsNotSpeechAndSilenceHasNone)
{
    // Room noise about 30 dB below the voice.
    SpokenRecording recording;
    recording.pause(300).say(900).pause(400).say(900).pause(300);
    SoundData noisy = recording.sound();
    quint32 seed = 1;
    for (qint16 &sample : noisy.samples) {
        seed = seed * 1664525u + 1013904223u;
        sample = qint16(sample + int(seed >> 24) - 128);
    }
    const SpeechActivity activity(noisy);
    expectSpansAround(SyntagmAligner(activity).align({1, 1}), recording.phrases());

    SpokenRecording silence;
    silence.pause(2000);
    EXPECT_TRUE(align(silence, {1, 1}).empty());
}

TEST(SyntagmAlignerTest, TheTimingFileHasALinePerTextLineAndNamesASoundWithoutSpeech)
{
    TempCourse course;
    course.writeLines(QStringLiteral("text.txt"), {QStringLiteral("#Заголовок"), QStringLiteral("One two three."),
                                                   QStringLiteral("#"), QStringLiteral("Four five six seven.")});
    SpokenRecording recording;
    recording.pause(500).say(900).pause(1200).say(1200).pause(700);
    recording.save(QStringLiteral("text.wav"));

    const QList<QByteArray> lines = makeTimingFile(QStringLiteral("text.txt"), QStringLiteral("text.wav")).split('\n');
    ASSERT_EQ(lines.size(), 5) << "four lines, each ended by CR LF";
    EXPECT_EQ(lines[0], "#\r");
    EXPECT_EQ(lines[2], "#\r");
    EXPECT_TRUE(lines[4].isEmpty());
    const std::vector<Segment> &p = recording.phrases();
    for (int i : {1, 3}) {
        ASSERT_TRUE(lines[i].endsWith('\r'));
        const Segment span = parseSegmentLine(QByteArrayView(lines[i]).chopped(1));
        const Segment &phrase = p[size_t(i / 2)];
        EXPECT_NEAR(span.startMs, phrase.startMs - SyntagmAligner::LeadMs, Tolerance);
        EXPECT_NEAR(span.endMs, phrase.endMs + SyntagmAligner::TailMs, Tolerance);
    }

    SpokenRecording silence;
    silence.pause(1000);
    silence.save(QStringLiteral("silence.wav"));
    course.writeBytes(QStringLiteral("noise.wav"), "RIFF, but nothing after it");
    for (const QString &sound : {QStringLiteral("silence.wav"), QStringLiteral("noise.wav"), QStringLiteral("none.wav")}) {
        try {
            makeTimingFile(QStringLiteral("text.txt"), sound);
            ADD_FAILURE() << sound.toStdString() << " gave a timing";
        } catch (const CourseError &error) {
            EXPECT_EQ(error.file(), sound);
        }
    }
    try {
        makeTimingFile(QStringLiteral("missing.txt"), QStringLiteral("text.wav"));
        ADD_FAILURE() << "a missing text gave a timing";
    } catch (const CourseError &error) {
        EXPECT_TRUE(error.userText().contains(QStringLiteral("missing.txt")));
    }
}

} // namespace
