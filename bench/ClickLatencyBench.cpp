// Measures, on the real text-work window, how long "Фрагмент" takes from the learner's action
// to the first frame of its sound handed to the sound server: by a mouse click, by its key F7,
// and, for comparison, by the animated click Qt gives a shortcut of its own. A frame is handed
// when SDL's device takes it in its callback (through PipeWire that callback runs in the
// server's cycle; through PulseAudio SDL writes the period to the server right after it).
//
// Runs on the tests' own server when VESTORIA_SOUND_SERVER names its folder
// (scripts/sound-server.sh), else on whatever SDL finds; SDL_AUDIODRIVER chooses the driver.
#include "controls/FlatPictureButton.h"
#include "listening/TextWorkWindow.h"
#include "sound/SdlAudioBackend.h"
#include "support/SoundFiles.h"
#include "support/TempCourse.h"

#include <QApplication>
#include <QFile>
#include <QSlider>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The SDL back end, noting when the first frame that is not silence is handed.
class FirstFrameBackend : public AudioBackend {
public:
    std::unique_ptr<AudioOutput> openOutput(int rate, int channels, PlaybackSource &source, QString &error) override
    {
        watch_ = std::make_unique<Watch>(source, first_);
        return sdl_.openOutput(rate, channels, *watch_, error);
    }
    std::unique_ptr<AudioInput> openInput(int rate, int channels, CaptureSink &sink, QString &error) override
    {
        return sdl_.openInput(rate, channels, sink, error);
    }
    void reset() { first_ = Clock::rep(0); }
    std::optional<Clock::time_point> first() const
    {
        const Clock::rep at = first_;
        return at ? std::optional(Clock::time_point(Clock::duration(at))) : std::nullopt;
    }

private:
    class Watch : public PlaybackSource {
    public:
        Watch(PlaybackSource &inner, std::atomic<Clock::rep> &first) : inner_(inner), first_(first) {}
        void render(qint16 *out, int frames, qint64 heard) override
        {
            inner_.render(out, frames, heard);
            if (first_ == 0 && out && std::any_of(out, out + frames, [](qint16 s) { return s != 0; }))
                first_ = Clock::now().time_since_epoch().count();
        }
        void outputLost(qint64 heard) override { inner_.outputLost(heard); }

    private:
        PlaybackSource &inner_;
        std::atomic<Clock::rep> &first_;
    };

    SdlAudioBackend sdl_;
    std::unique_ptr<Watch> watch_;
    std::atomic<Clock::rep> first_{0};
};

void printFigures(const char *name, std::vector<double> values)
{
    if (values.empty())
        return;
    std::sort(values.begin(), values.end());
    const auto at = [&](double q) { return values[std::min(values.size() - 1, size_t(q * double(values.size())))]; };
    std::printf("%-40s %7.1f %7.1f %7.1f %7.1f ms (n=%zu)\n", name, values.front(), at(0.5), at(0.95), values.back(),
                values.size());
}

QByteArray loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray("?");
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString server = qEnvironmentVariable("VESTORIA_SOUND_SERVER");
    std::optional<EnvironmentOverride> runtime, pulse;
    if (!server.isEmpty()) {
        runtime.emplace("XDG_RUNTIME_DIR", QFile::encodeName(server + QStringLiteral("/runtime")));
        pulse.emplace("PULSE_SERVER", QFile::encodeName(QStringLiteral("unix:") + server + "/runtime/pulse/native"));
    }

    // A text of four lines over four seconds of speech; line 2 starts loud at 500 ms.
    TempCourse course;
    course.writeLines("text.txt", {"#Title", "One.", "Two.", "Three."});
    course.writeLines("trans.txt", {"#Заглавие", "Раз.", "Два.", "Три."});
    course.writeLines("time.txt", {"#", "500\t800", "1000\t2000", "2000\t3000"});
    course.writeLines("pictures.txt", {"0\t4000\tp.jpg"});
    const SpeechLikeSignal speech;
    writeWav(course.absolute("text.wav"), 22050, 1, sampled([&](double t) { return speech.at(t); }, 22050, 4 * 22050));

    FirstFrameBackend audio;
    TextWorkWindow window(audio, {"text.wav", "", "text.txt", "trans.txt", "time.txt", "pictures.txt", ""});
    window.fitInto(QRect(0, 0, 775, 560));
    window.startRun();
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        std::printf("the window did not become active: keys will not reach it\n");

    const std::vector<std::pair<const char *, std::function<void()>>> actions = {
        {"mouse click on \"Фрагмент\"", [&] { QTest::mouseClick(window.playLineButton, Qt::LeftButton); }},
        {"key F7", [&] { QTest::keyClick(&window, Qt::Key_F7); }},
        {"Qt's animated click (a key before)", [&] { window.playLineButton->animateClick(); }},
    };
    constexpr int Trials = 40;
    std::vector<std::vector<double>> latencies(actions.size());
    std::mt19937 random(7);
    for (int trial = 0; trial < Trials; ++trial) {
        for (size_t a = 0; a < actions.size(); ++a) {
            window.lineSlider->setValue(2);
            audio.reset();
            const Clock::time_point acted = Clock::now();
            actions[a].second();
            if (!QTest::qWaitFor([&] { return audio.first().has_value(); }, 3000))
                continue;
            latencies[a].push_back(std::chrono::duration<double, std::milli>(*audio.first() - acted).count());
            // The line plays out; a pause of random length puts the next action anywhere in
            // the device's period.
            (void)QTest::qWaitFor([&] { return window.playLineButton->isEnabled(); }, 3000);
            QTest::qWait(40 + int(random() % 20));
        }
    }

    const char *driver = std::getenv("SDL_AUDIODRIVER");
    std::printf("Text work, \"Фрагмент\" to the first frame handed to the sound server; driver %s%s; load %s\n",
                driver ? driver : "(SDL's choice)", server.isEmpty() ? "" : ", the tests' own PipeWire server",
                loadAverage().constData());
    std::printf("%-40s %7s %7s %7s %7s\n", "", "min", "median", "p95", "max");
    for (size_t a = 0; a < actions.size(); ++a)
        printFigures(actions[a].first, latencies[a]);
    return 0;
}
