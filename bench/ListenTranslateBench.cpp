// The listening window's figures: one 50 ms tick of the real window in a recording run of a
// 60-syntagm text with both the text and the translation shown (the session follows the
// sound, paints both off-screen images, and the window paints them on the screen), and, in real time on the
// SDL back end, how the length of a saved recording compares with the time it was recorded
// over two lengths of recording, which shows a drift as a difference that grows.
#include "controls/PictureCheckBox.h"
#include "listening/ListenTranslateWindow.h"
#include "listening/ListeningPaintArea.h"
#include "sound/SdlAudioBackend.h"
#include "sound/SoundDevice.h"
#include "sound/VirtualAudioBackend.h"
#include "sound/WavFile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

namespace {

constexpr int Syntagms = 60;
constexpr int SyntagmMs = 2500;

void write(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

void writeSound(const QString &name, int rate, qint64 frames)
{
    SoundData sound;
    sound.format = {rate, 1, 0};
    sound.samples.assign(size_t(frames), 1);
    write(name, encodeWav(sound));
}

// A title, then paragraphs of six syntagms separated by "#" lines; 60 syntagms in all.
void writeCourse()
{
    QByteArray text = "#The text\r\n";
    QByteArray translation = "#\xD2\xE5\xEA\xF1\xF2\r\n";
    QByteArray timing = "#\r\n";
    int ms = 0;
    for (int i = 1; i <= Syntagms; ++i) {
        text += "and then syntagm " + QByteArray::number(i) + " of the story went on a little further,\r\n";
        translation += "\xE8 \xEF\xEE\xF2\xEE\xEC \xF1\xE8\xED\xF2\xE0\xE3\xEC\xE0 " + QByteArray::number(i) +
                       " \xEF\xEE\xF8\xEB\xE0 \xE4\xE0\xEB\xFC\xF8\xE5,\r\n";
        timing += QByteArray::number(ms) + '\t' + QByteArray::number(ms + SyntagmMs) + "\r\n";
        ms += SyntagmMs;
        if (i % 6 == 0 && i < Syntagms) {
            text += "#\r\n";
            translation += "#\r\n";
            timing += "#\r\n";
        }
    }
    write("text.txt", text);
    write("trans.txt", translation);
    write("time.txt", timing);
    write("pictures.txt", "0\t100000\tp1.jpg\r\n100000\t200000\tp2.jpg\r\n");
    writeSound("text.wav", 8000, qint64(ms) * 8);
    writeSound("TSBegin.wav", 22050, 0);
}

// The window fitted into an 800 × 600 client area, both panels shown: each iteration is the
// window's 50 ms timer (the session follows the sound and paints both texts) and the paint of
// both areas on the screen.
void TickWithTextAndTranslationShown(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    writeCourse();
    VirtualAudioBackend card;
    ListenTranslateSettings settings;
    settings.courseSound = QStringLiteral("text.wav");
    settings.recordingName = QStringLiteral("rec.wav");
    settings.textFile = QStringLiteral("text.txt");
    settings.translationFile = QStringLiteral("trans.txt");
    settings.timingFile = QStringLiteral("time.txt");
    settings.pictureListFile = QStringLiteral("pictures.txt");
    settings.textAllowed = true;
    settings.translationAllowed = true;
    settings.waitOffered = true;
    settings.helpTopic = 140;
    {
        ListenTranslateWindow window(card, settings);
        window.fitInto(QRect(0, 0, 800, 600));
        window.prepareText();
        window.show();
        window.textBox->setChecked(true);
        window.translationBox->setChecked(true);
        window.startPlayback();
        if (!window.session().textShown() || !window.session().translationShown())
            qFatal("the benchmark wants both texts shown");
        for (auto _ : state) {
            state.PauseTiming();
            card.advance(50);
            if (!window.session().playing())
                window.startPlayback();
            state.ResumeTiming();
            window.followSound();
            window.textArea->repaint();
            window.translationArea->repaint();
        }
        window.leave();
    }
    QDir::setCurrent(previous);
}
BENCHMARK(TickWithTextAndTranslationShown)->Unit(benchmark::kMicrosecond);

// Records `seconds` of the SDL input into a copy of the template and reports the saved
// length against the wall-clock time from Record to Stop.
void RecordingLengthAgainstWallClock(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    writeSound("TSBegin.wav", 22050, 0);
    SdlAudioBackend sdl;
    const int seconds = int(state.range(0));
    double recordedMs = 0;
    double wallMs = 0;
    for (auto _ : state) {
        SoundDevice recorder(sdl);
        recorder.FileName = QStringLiteral("TSBegin.wav");
        recorder.Open();
        recorder.FileName = QStringLiteral("rec.wav");
        QElapsedTimer clock;
        recorder.PlayFrom = 0;
        recorder.Record();
        clock.start();
        QEventLoop loop;
        QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
        loop.exec();
        recorder.Stop();
        wallMs = double(clock.nsecsElapsed()) / 1e6;
        recorder.Save();
        recorder.Close();
        recordedMs = double(readWavFile("rec.wav").frames()) * 1000.0 / 22050.0;
    }
    state.counters["recorded_ms"] = recordedMs;
    state.counters["wall_ms"] = wallMs;
    state.counters["short_ms"] = wallMs - recordedMs;
    QDir::setCurrent(previous);
}
BENCHMARK(RecordingLengthAgainstWallClock)->Arg(5)->Arg(60)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
