// The syntagm text control and the text-work window on a text of 500 syntagms: laying the
// text out (wrapping it, and restyling it when only the current syntagm moved), one paint of
// a 400 × 300 control, and one 50 ms tick of the window's timer during a playback with both
// texts shown.
#include "controls/FlatPictureButton.h"
#include "controls/PictureCheckBox.h"
#include "listening/SyntagmTextView.h"
#include "listening/TextWorkWindow.h"
#include "sound/VirtualAudioBackend.h"
#include "sound/WavFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

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
    auto write = [](const char *name, const QByteArray &bytes) {
        QFile file(QString::fromLatin1(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    };
    write("text.txt", textBytes);
    write("trans.txt", textBytes);
    write("time.txt", timing);
    write("pictures.txt", "0\t50000\tp1.jpg\r\n50000\t100000\tp2.jpg\r\n");
    write("text.apc", "010A comment.x\r\n");
    SoundData sound;
    sound.format = {8000, 1, 0};
    sound.samples.assign(size_t(Syntagms) * LineMs * 8, 1);
    write("text.wav", encodeWav(sound));
}

// One tick of the text-work window's timer during "С начала" with both texts shown: the
// session follows the sound, both controls take the current line and one scroll step.
void TickWithBothTextsShown(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    writeCourse();
    VirtualAudioBackend card;
    {
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
    QDir::setCurrent(previous);
}
BENCHMARK(TickWithBothTextsShown)->Unit(benchmark::kMicrosecond);

} // namespace
