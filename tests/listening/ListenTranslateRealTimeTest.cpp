// The listening window in real time on SDL's dummy driver, which plays and captures at
// real-time pace with no sound server.
#include "controls/FlatPictureButton.h"
#include "listening/ListenTranslateWindow.h"
#include "sound/SdlAudioBackend.h"
#include "support/SoundFiles.h"
#include "support/TempCourse.h"

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// GIVEN a two-second text with its course sound at 22050 Hz and a recording template of
// another format (16000 Hz, 16-bit mono), WHEN the learner translates it to its end and
// stops, THEN the saved recording has the template's format and holds the whole text.
TEST(ListenTranslateRealTimeTest, RecordsATwoSecondTextInTheTemplatesFormat)
{
    TempCourse course;
    course.writeLines("t.txt", {"#Title", "One.", "Two."});
    course.writeLines("r.txt", {QStringLiteral("#Заглавие"), QStringLiteral("Раз."), QStringLiteral("Два.")});
    course.writeLines("s.txt", {"#", "0\t1000", "1000\t2000"});
    course.writeLines("p.txt", {"0\t2000\tx.jpg"});
    writeRampWav(course.absolute("t.wav"), 22050, 1, 2 * 22050);
    writeWav(course.absolute("TSBegin.wav"), 16000, 1, {});
    SdlAudioBackend sdl;
    ListenTranslateSettings settings{QStringLiteral("t.wav"), QStringLiteral("rec.wav"), QStringLiteral("t.txt"),
                                     QStringLiteral("r.txt"), QStringLiteral("s.txt"), QStringLiteral("p.txt"),
                                     true, false, false, QString(), 0};
    ListenTranslateWindow window(sdl, settings);
    window.fitInto(QRect(0, 0, 722, 332));
    window.prepareText();
    window.show();

    QElapsedTimer clock;
    clock.start();
    window.startPlayback();
    ASSERT_TRUE(window.stopButton->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.session().playEndRec() != ListenTranslateSession::NotEnded; },
                                10000));
    // The microphone delivers in blocks: the block that holds the text's last moment comes in
    // a little after it was spoken, and later still on a busy machine, whose capture thread
    // may fall behind the clock. The learner stops once it is in, as a learner stops a moment
    // after the text.
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.recorder->Position() >= 2000; }, 10000));
    window.stopPlayback();
    const qint64 wallMs = clock.elapsed();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.startButton->isEnabled() && !window.recorder->opened(); }, 5000));

    const WavContents saved = readWavContents(course.absolute("rec.wav"));
    ASSERT_TRUE(saved.readable);
    EXPECT_EQ(saved.rate, 16000);
    EXPECT_EQ(saved.channels, 1);
    EXPECT_EQ(saved.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    const qint64 savedMs = saved.frames() * 1000 / saved.rate;
    EXPECT_GE(savedMs, 2000) << "the whole text is in the recording";
    EXPECT_LE(savedMs, wallMs) << "nothing was recorded that did not happen";
    std::printf("recorded %lld ms of %lld ms from start to stop\n", savedMs, wallMs);
}

} // namespace
