// The syntagm text control and the text-work window on a text of 500 syntagms: laying the
// text out (wrapping it, and restyling it when only the current syntagm moved), one paint of
// a 400 × 300 control, and one 50 ms tick of the window's timer during a playback with both
// texts shown. Then the waveform strip on a line of 60 s of a 22050 Hz sound: working out a
// line's columns, and one tick with the strip's paint.
#include "controls/FlatPictureButton.h"
#include "controls/PictureCheckBox.h"
#include "listening/SyntagmTextView.h"
#include "listening/LineWaveform.h"
#include "listening/TextWorkWindow.h"
#include "listening/WaveformStrip.h"
#include "sound/VirtualAudioBackend.h"
#include "sound/WavFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QSlider>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int Syntagms = 500;
constexpr int LineMs = 200;

// A heading, then paragraphs of running text: every 25th item an empty line, every 50th a
// heading of its own.
QStringList longText(const QString &flavour)
{
    QStringList items{QStringLiteral("#The long text")};
    for (int i = 1; i < Syntagms; ++i) {
        if (i % 50 == 0)
            items.append(QStringLiteral("#Part %1").arg(i / 50));
        else if (i % 25 == 0)
            items.append(QStringLiteral("#"));
        else
            items.append(QStringLiteral("the %1 words of syntagm %2 %3,").arg(flavour).arg(i).arg(i % 7 ? "go on" : "end"));
    }
    return items;
}

QFont textFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    return font;
}

void setUp(SyntagmTextView &view)
{
    view.resize(400, 300);
    view.setFont(textFont());
    view.setHeightIntervString(SyntagmTextView::LineSpacing::is1_25);
    view.setPosScreen(33);
    view.setMargins({0, 0, 0, 0});
}

void LayoutWholeText(benchmark::State &state)
{
    SyntagmTextView view;
    setUp(view);
    const QStringList texts[2] = {longText("first"), longText("other")};
    int k = 0;
    for (auto _ : state) {
        view.setText(texts[k ^= 1]); // a changed text: wrapped again
        view.layoutText();
    }
}
BENCHMARK(LayoutWholeText)->Unit(benchmark::kMicrosecond);

void LayoutAfterPositionMoved(benchmark::State &state)
{
    SyntagmTextView view;
    setUp(view);
    view.setText(longText("first"));
    view.layoutText();
    int position = 1;
    for (auto _ : state) {
        view.setPosition(position = position % (Syntagms - 1) + 1); // lays out and paints
    }
}
BENCHMARK(LayoutAfterPositionMoved)->Unit(benchmark::kMicrosecond);

void PaintControl400x300(benchmark::State &state)
{
    SyntagmTextView view;
    setUp(view);
    view.setText(longText("first"));
    view.show();
    view.setPosition(250);
    for (int i = 0; i < 400; ++i)
        view.scrollStep(); // bring the current syntagm into view
    for (auto _ : state)
        view.paintText();
}
BENCHMARK(PaintControl400x300)->Unit(benchmark::kMicrosecond);

void writeFile(const char *name, const QByteArray &bytes)
{
    QFile file(QString::fromLatin1(name));
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

// A temporary folder that is the working folder while it lives, for a course written there.
class WorkingFolder {
public:
    WorkingFolder() { QDir::setCurrent(dir_.path()); }
    ~WorkingFolder() { QDir::setCurrent(previous_); }

private:
    QTemporaryDir dir_;
    QString previous_ = QDir::currentPath();
};

void writeCourse()
{
    QStringList text = longText("first");
    QByteArray textBytes;
    QByteArray timing;
    for (int i = 1; i <= Syntagms; ++i) {
        textBytes += text[i - 1].toLatin1() + "\r\n";
        timing += text[i - 1].startsWith(u'#') ? QByteArray("#\r\n")
                                               : QByteArray::number((i - 1) * LineMs) + '\t' +
                                                     QByteArray::number(i * LineMs) + "\r\n";
    }
    writeFile("text.txt", textBytes);
    writeFile("trans.txt", textBytes);
    writeFile("time.txt", timing);
    writeFile("pictures.txt", "0\t50000\tp1.jpg\r\n50000\t100000\tp2.jpg\r\n");
    writeFile("text.apc", "010A comment.x\r\n");
    SoundData sound;
    sound.format = {8000, 1, 0};
    sound.samples.assign(size_t(Syntagms) * LineMs * 8, 1);
    writeFile("text.wav", encodeWav(sound));
}

// One tick of the text-work window's timer during "С начала" with both texts shown: the
// session follows the sound, both controls take the current line and one scroll step.
void TickWithBothTextsShown(benchmark::State &state)
{
    const WorkingFolder folder;
    writeCourse();
    VirtualAudioBackend card;
    TextWorkWindow window(card, {"text.wav", "", "text.txt", "trans.txt", "time.txt", "pictures.txt", ""});
    window.fitInto(QRect(0, 0, 775, 560));
    window.startRun();
    window.show();
    window.textBox->click();
    window.translationBox->click();
    window.playAllButton->click();

    for (auto _ : state) {
        state.PauseTiming();
        card.advance(50);
        if (!window.session().playing())
            window.playAllButton->click();
        state.ResumeTiming();
        window.followSound();
    }
    state.counters["line"] = window.session().currentIndex();
}
BENCHMARK(TickWithBothTextsShown)->Unit(benchmark::kMicrosecond);

constexpr int LongRate = 22050;
constexpr int LongLineMs = 60000;

// 63 s of a noisy sound at 22050 Hz mono, whose line 2 lasts from 1 s to 61 s.
SoundData longSound()
{
    SoundData sound;
    sound.format = {LongRate, 1, 0};
    sound.samples.resize(size_t(63) * LongRate);
    QRandomGenerator random(5);
    for (size_t i = 0; i < sound.samples.size(); ++i)
        sound.samples[i] = qint16(int(random.bounded(20000)) - 10000);
    return sound;
}

void writeLongLineCourse()
{
    writeFile("text.txt", "#The long line\r\nthe line of a minute,\r\nthe end.\r\n");
    writeFile("trans.txt", "#The long line\r\nthe line of a minute,\r\nthe end.\r\n");
    const QByteArray timing = "#\r\n1000\t61000\r\n61000\t62000\r\n";
    writeFile("time.txt", timing);
    writeFile("user5.txt", timing);
    const QByteArray wav = encodeWav(longSound());
    writeFile("text.wav", wav);
    writeFile("user5.wav", wav);
}

// Working out the columns of a 60 s line for a strip 730 pixels wide: once per line shown.
void WaveformOfA60sLine(benchmark::State &state)
{
    const auto sound = std::make_shared<const SoundData>(longSound());
    LineWaveform waveform;
    int shift = 0;
    for (auto _ : state) {
        shift ^= 1; // another line each time: nothing cached
        waveform.show(sound, {1000 + shift, 1000 + shift + LongLineMs}, 730);
    }
}
BENCHMARK(WaveformOfA60sLine)->Unit(benchmark::kMicrosecond);

// The text-work window on the minute's line, the learner's recording with its cue at hand, its
// course in a folder of its own that is the working folder while it lives.
class LongLineWindow {
public:
    LongLineWindow()
    {
        writeLongLineCourse();
        window = std::make_unique<TextWorkWindow>(
            card, TextWorkSources{"text.wav", "user5.wav", "text.txt", "trans.txt", "time.txt", "", ""});
        window->fitInto(QRect(0, 0, 775, 560));
        window->startRun();
        window->show();
        picture = QImage(window->size(), QImage::Format_ARGB32_Premultiplied);
    }

private:
    WorkingFolder folder_;

public:
    VirtualAudioBackend card;
    std::unique_ptr<TextWorkWindow> window;
    QImage picture; // of the window's size, for the strip to paint into
};

// One tick of the text-work window's timer while "Фрагмент" plays the 60 s line: the session
// follows the sound, the strip takes the lines and moves its mark, and the strip paints.
void TickWithTheWaveformOfA60sLine(benchmark::State &state)
{
    LongLineWindow run;
    TextWorkWindow &window = *run.window;
    window.lineSlider->setValue(2);
    window.playLineButton->click();
    for (auto _ : state) {
        state.PauseTiming();
        run.card.advance(50);
        if (!window.session().playing())
            window.playLineButton->click();
        state.ResumeTiming();
        window.followSound();
        window.waveformStrip->render(&run.picture);
    }
    state.counters["learnerRow"] = window.waveformStrip->learnerRowShown();
    state.counters["markColumn"] = window.waveformStrip->markColumn();
}
BENCHMARK(TickWithTheWaveformOfA60sLine)->Unit(benchmark::kMicrosecond);

// The worst tick: the current line changes (the slider moves between the minute's line and
// the next one), so both rows are worked out and drawn again, then painted as above.
void StripShowsAnotherLine(benchmark::State &state)
{
    LongLineWindow run;
    TextWorkWindow &window = *run.window;
    int line = 2;
    for (auto _ : state) {
        window.lineSlider->setValue(line = 5 - line);
        window.followSound();
        window.waveformStrip->render(&run.picture);
    }
    state.counters["learnerRow"] = window.waveformStrip->learnerRowShown();
}
BENCHMARK(StripShowsAnotherLine)->Unit(benchmark::kMicrosecond);

} // namespace
