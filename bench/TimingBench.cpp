// The timing made from a recording, against timings whose borders are known, and its speed.
//
// Accuracy: every border (start and end of every syntagm) of the timing made for a sound,
// against the reference timing; the figures are the median and the 95th percentile of the
// error in ms over all borders of all lessons.
// - "course": every lesson text of the built sample course, both its natural recording
//   (text.wav) and its slow one (textslow.wav), against the timing files the course
//   builder wrote from the very clips it joined;
// - "espeak": the same texts read by another synthesiser, espeak-ng (US English, 190 words
//   a minute, a pace of its own), with 300 ms between syntagms and 700 ms at paragraph
//   breaks; each clip cut and padded as the course builder cuts its own (from the first to
//   the last sample that reaches -45 dBFS, then 40 ms before and 60 ms after), so that its
//   borders are known the same way;
// - "hurried": the same voice with only 100 ms between syntagms;
// - "run together": the same voice with no pause at all between the syntagms of a
//   paragraph (the clips cut at their speech and joined as they are), the borders being
//   where one clip meets the next;
// - "without the text": the course's recordings timed with every syntagm weighing the
//   same, to show what the text's lengths add to the pauses;
// - "course run together": the course's own clips of each paragraph joined without pause;
// - "by DTW": the usual forced-alignment baseline instead of the program's method (the
//   text read by espeak-ng at its own pace, matched by dynamic time warping; see
//   DtwBaseline.h), on the course and on the course run together; "in pauses": its
//   borders then moved into the nearest pause, as the program places its own.
// Speed: reading the sound and the text and making the timing file, for each recording of
// the course; the counter is minutes of sound timed per second.
#include "DtwBaseline.h"

#include "authoring/LessonText.h"
#include "authoring/SpeechActivity.h"
#include "authoring/SyntagmAligner.h"
#include "authoring/TimingMaker.h"
#include "core/Cp1251.h"
#include "core/FileSystem.h"
#include "core/LineReader.h"
#include "core/SegmentFile.h"
#include "sound/WavFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <tuple>
#include <vector>

namespace {

constexpr int Rate = 22050;

struct TimedRecording {
    QString name;
    LessonText text;
    SoundData sound;
    std::vector<Segment> reference; // one span per spoken line
};

// The spans of the spoken lines in a timing file ("#" lines are the others).
std::vector<Segment> spokenSpans(const LessonText &text, const QByteArray &timing)
{
    const QList<QByteArray> lines = splitLines(timing);
    std::vector<Segment> spans;
    for (qsizetype line : text.spokenLines())
        spans.push_back(parseSegmentLine(lines.value(line)));
    return spans;
}

// The lesson folders of the built course that hold a timed text, whatever lessons it has.
QStringList lessonFolders()
{
    const QDir data(QStringLiteral(VESTORIA_SAMPLE_COURSE_DIR "/____Data"));
    QStringList folders;
    for (const QString &name : data.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (QFile::exists(data.filePath(name + QStringLiteral("/text.txt"))) &&
            QFile::exists(data.filePath(name + QStringLiteral("/textseg.txt"))))
            folders << data.filePath(name);
    }
    return folders;
}

const std::vector<TimedRecording> &courseRecordings()
{
    static const std::vector<TimedRecording> recordings = [] {
        std::vector<TimedRecording> all;
        for (const QString &folder : lessonFolders()) {
            const LessonText text = readLessonText(folder + QStringLiteral("/text.txt"));
            for (const char *kind : {"text", "textslow"}) {
                const QString sound = folder + u'/' + QLatin1String(kind) + QStringLiteral(".wav");
                const QString timing = folder + u'/' + QLatin1String(kind) + QStringLiteral("seg.txt");
                if (QFile::exists(sound) && QFile::exists(timing))
                    all.push_back({sound, text, readWavFile(sound), spokenSpans(text, readFileBytes(timing))});
            }
        }
        return all;
    }();
    return recordings;
}

// How the syntagms of a paragraph are joined in a reading by espeak-ng.
struct Reading {
    int pauseMs = 0;
    bool breaths = true; // the course builder's 40 ms before and 60 ms after each clip
};

// One spoken line by espeak-ng, cut to its sound as the course builder cuts its clips.
std::vector<qint16> espeakClip(const QByteArray &line, const QString &folder, bool breaths, int wordsPerMinute = 190)
{
    const QString path = folder + QStringLiteral("/clip.wav");
    QProcess espeak;
    espeak.start(QStringLiteral("espeak-ng"), {QStringLiteral("-v"), QStringLiteral("en-us"), QStringLiteral("-s"),
                                               QString::number(wordsPerMinute), QStringLiteral("-w"), path,
                                               fromCp1251(line)});
    if (!espeak.waitForFinished(60000) || espeak.exitCode() != 0)
        return {};
    const SoundData sound = readWavFile(path);
    if (sound.format.rate != Rate || sound.format.channels != 1)
        return {};
    const auto loud = [](qint16 s) { return std::abs(int(s)) >= 184; }; // -45 dBFS
    const auto first = std::find_if(sound.samples.begin(), sound.samples.end(), loud);
    const auto last = std::find_if(sound.samples.rbegin(), sound.samples.rend(), loud).base();
    std::vector<qint16> clip(breaths ? size_t(Rate * 40 / 1000) : 0, 0);
    if (first < last)
        clip.insert(clip.end(), first, last);
    clip.insert(clip.end(), breaths ? size_t(Rate * 60 / 1000) : 0, 0);
    return clip;
}

// A text read by espeak-ng, its borders known.
TimedRecording espeakReading(const LessonText &text, Reading reading, int wordsPerMinute = 190)
{
    QTemporaryDir folder;
    TimedRecording recording;
    recording.text = text;
    recording.sound.format = {Rate, 1, 0};
    std::vector<qint16> &samples = recording.sound.samples;
    const auto silence = [&](int ms) { samples.insert(samples.end(), size_t(qint64(ms) * Rate / 1000), 0); };
    silence(500);
    bool paragraph = false, first = true;
    for (const QByteArray &line : text.lines) {
        if (LessonText::isSeparator(line)) {
            paragraph = true;
            continue;
        }
        if (!first)
            silence(paragraph ? 700 : reading.pauseMs);
        first = paragraph = false;
        const std::vector<qint16> clip = espeakClip(line, folder.path(), reading.breaths, wordsPerMinute);
        if (clip.empty())
            return {};
        const qint32 startMs = qint32(qint64(samples.size()) * 1000 / Rate);
        samples.insert(samples.end(), clip.begin(), clip.end());
        recording.reference.push_back({startMs, qint32(qint64(samples.size()) * 1000 / Rate)});
    }
    silence(800);
    return recording;
}

// The course's natural recordings with each paragraph's clips joined without a pause (the
// breaths cut off too); the borders are where the clips meet.
const std::vector<TimedRecording> &courseRunTogether()
{
    static const std::vector<TimedRecording> recordings = [] {
        std::vector<TimedRecording> all;
        for (const TimedRecording &course : courseRecordings()) {
            if (!course.name.endsWith(QStringLiteral("/text.wav")))
                continue;
            TimedRecording joined{course.name + QStringLiteral(" (run together)"), course.text, {}, {}};
            joined.sound.format = course.sound.format;
            std::vector<qint16> &samples = joined.sound.samples;
            const auto frame = [&](qint32 ms) { return size_t(qint64(ms) * Rate / 1000); };
            samples.insert(samples.end(), frame(500), 0);
            const std::vector<qsizetype> spoken = course.text.spokenLines();
            for (size_t i = 0; i < spoken.size(); ++i) {
                if (i > 0 && spoken[i] != spoken[i - 1] + 1)
                    samples.insert(samples.end(), frame(700), 0); // a paragraph break
                const Segment &clip = course.reference[i];
                const qint32 startMs = qint32(qint64(samples.size()) * 1000 / Rate);
                samples.insert(samples.end(), course.sound.samples.begin() + qsizetype(frame(clip.startMs + 40)),
                               course.sound.samples.begin() + qsizetype(frame(clip.endMs - 60)));
                joined.reference.push_back({startMs, qint32(qint64(samples.size()) * 1000 / Rate)});
            }
            samples.insert(samples.end(), frame(800), 0);
            all.push_back(std::move(joined));
        }
        return all;
    }();
    return recordings;
}

std::vector<TimedRecording> espeakRecordings(Reading reading)
{
    std::vector<TimedRecording> all;
    for (const QString &lesson : lessonFolders()) {
        TimedRecording recording = espeakReading(readLessonText(lesson + QStringLiteral("/text.txt")), reading);
        if (recording.reference.empty())
            return {};
        recording.name = lesson + QStringLiteral(" (espeak-ng)");
        all.push_back(std::move(recording));
    }
    return all;
}

double percentile(std::vector<double> sorted, double share)
{
    std::sort(sorted.begin(), sorted.end());
    return sorted.empty() ? 0 : sorted[size_t(std::ceil(share * double(sorted.size()))) - 1];
}

double loadAverage()
{
    QFile load(QStringLiteral("/proc/loadavg"));
    return load.open(QIODevice::ReadOnly) ? load.readAll().split(' ').value(0).toDouble() : -1;
}

enum class Method {
    Program,      // the timing as the command makes it
    WithoutText,  // every syntagm weighing the same
    Dtw,          // the forced-alignment baseline
    DtwInPauses,  // its borders moved into the nearest pause, as the program places its own
};

// Each border between two syntagms moved into the pause nearest to it, when one lies
// within SnapMs, with the program's breaths; the ends of the text at the ends of speech.
std::vector<Segment> movedIntoPauses(std::vector<Segment> spans, const SoundData &sound)
{
    constexpr qint32 SnapMs = 250;
    const SpeechActivity activity(sound);
    if (activity.speech().empty() || spans.empty())
        return spans;
    const std::vector<SoundStretch> pauses = activity.innerPauses();
    spans.front().startMs = std::max(0, activity.speech().front().startMs - SyntagmAligner::LeadMs);
    spans.back().endMs = std::min(activity.lengthMs(), activity.speech().back().endMs + SyntagmAligner::TailMs);
    for (size_t k = 1; k < spans.size(); ++k) {
        const qint32 border = (spans[k - 1].endMs + spans[k].startMs) / 2;
        const SoundStretch *nearest = nullptr;
        qint32 nearestMs = SnapMs + 1;
        for (const SoundStretch &pause : pauses) {
            const qint32 away = border < pause.startMs ? pause.startMs - border : std::max(0, border - pause.endMs);
            if (away < nearestMs) {
                nearestMs = away;
                nearest = &pause;
            }
        }
        if (!nearest) {
            spans[k - 1].endMs = spans[k].startMs = border;
            continue;
        }
        std::tie(spans[k - 1].endMs, spans[k].startMs) = SyntagmAligner::bordersInPause(nearest->startMs, nearest->endMs);
    }
    return spans;
}

std::vector<Segment> timedSpans(const TimedRecording &recording, Method method)
{
    switch (method) {
    case Method::Program:
        break;
    case Method::WithoutText: {
        const SpeechActivity activity(recording.sound);
        return SyntagmAligner(activity).align(std::vector<double>(recording.reference.size(), 1.0));
    }
    case Method::Dtw:
    case Method::DtwInPauses: {
        // espeak-ng's own pace, 200 ms between syntagms, no breaths: the borders are its speech.
        const TimedRecording reading = espeakReading(recording.text, {200, false}, 175);
        const std::vector<Segment> spans = dtwSpans(recording.sound, reading.sound, reading.reference);
        return method == Method::Dtw ? spans : movedIntoPauses(spans, recording.sound);
    }
    }
    return spokenSpans(recording.text, makeTimingFile(recording.text, recording.sound, recording.name));
}

void reportAccuracy(benchmark::State &state, const std::vector<TimedRecording> &recordings,
                    Method method = Method::Program)
{
    if (recordings.empty()) {
        state.SkipWithError("no recordings: build the sample course (and install espeak-ng)");
        return;
    }
    std::vector<double> errors;
    double soundMinutes = 0;
    for (auto _ : state) {
        errors.clear();
        soundMinutes = 0;
        for (const TimedRecording &recording : recordings) {
            const std::vector<Segment> spans = timedSpans(recording, method);
            if (spans.size() != recording.reference.size()) {
                state.SkipWithError("a recording was not timed");
                return;
            }
            for (size_t i = 0; i < spans.size(); ++i) {
                errors.push_back(std::abs(spans[i].startMs - recording.reference[i].startMs));
                errors.push_back(std::abs(spans[i].endMs - recording.reference[i].endMs));
            }
            soundMinutes += double(recording.sound.frames()) / recording.sound.format.rate / 60;
        }
    }
    state.counters["median_ms"] = percentile(errors, 0.5);
    state.counters["p95_ms"] = percentile(errors, 0.95);
    state.counters["max_ms"] = percentile(errors, 1.0);
    state.counters["borders"] = double(errors.size());
    state.counters["sound_min"] = soundMinutes;
    state.counters["load"] = loadAverage();
}

void AccuracyOnTheCourse(benchmark::State &state)
{
    reportAccuracy(state, courseRecordings());
}
BENCHMARK(AccuracyOnTheCourse)->Iterations(1)->Unit(benchmark::kMillisecond);

void AccuracyOnAnotherVoice(benchmark::State &state)
{
    static const std::vector<TimedRecording> recordings = espeakRecordings({300, true});
    reportAccuracy(state, recordings);
}
BENCHMARK(AccuracyOnAnotherVoice)->Iterations(1)->Unit(benchmark::kMillisecond);

void AccuracyOnAnotherVoiceHurried(benchmark::State &state)
{
    static const std::vector<TimedRecording> recordings = espeakRecordings({100, true});
    reportAccuracy(state, recordings);
}
BENCHMARK(AccuracyOnAnotherVoiceHurried)->Iterations(1)->Unit(benchmark::kMillisecond);

void AccuracyOnAnotherVoiceRunTogether(benchmark::State &state)
{
    static const std::vector<TimedRecording> recordings = espeakRecordings({0, false});
    reportAccuracy(state, recordings);
}
BENCHMARK(AccuracyOnAnotherVoiceRunTogether)->Iterations(1)->Unit(benchmark::kMillisecond);

void AccuracyOnTheCourseWithoutTheText(benchmark::State &state)
{
    reportAccuracy(state, courseRecordings(), Method::WithoutText);
}
BENCHMARK(AccuracyOnTheCourseWithoutTheText)->Iterations(1)->Unit(benchmark::kMillisecond);

void AccuracyOnTheCourseRunTogether(benchmark::State &state)
{
    reportAccuracy(state, courseRunTogether());
}
BENCHMARK(AccuracyOnTheCourseRunTogether)->Iterations(1)->Unit(benchmark::kMillisecond);

void AccuracyByDtwOnTheCourse(benchmark::State &state)
{
    reportAccuracy(state, courseRecordings(), Method::Dtw);
}
BENCHMARK(AccuracyByDtwOnTheCourse)->Iterations(1)->Unit(benchmark::kMillisecond);

void AccuracyByDtwOnTheCourseRunTogether(benchmark::State &state)
{
    reportAccuracy(state, courseRunTogether(), Method::Dtw);
}
BENCHMARK(AccuracyByDtwOnTheCourseRunTogether)->Iterations(1)->Unit(benchmark::kMillisecond);

void AccuracyByDtwInPausesOnAnotherVoice(benchmark::State &state)
{
    static const std::vector<TimedRecording> recordings = espeakRecordings({300, true});
    reportAccuracy(state, recordings, Method::DtwInPauses);
}
BENCHMARK(AccuracyByDtwInPausesOnAnotherVoice)->Iterations(1)->Unit(benchmark::kMillisecond);

void AccuracyByDtwInPausesOnTheCourseRunTogether(benchmark::State &state)
{
    reportAccuracy(state, courseRunTogether(), Method::DtwInPauses);
}
BENCHMARK(AccuracyByDtwInPausesOnTheCourseRunTogether)->Iterations(1)->Unit(benchmark::kMillisecond);

// The command's whole path: the text and the WAV read from disk, the timing file made.
void MakeTimingFromFiles(benchmark::State &state)
{
    std::vector<std::pair<QString, QString>> files;
    double soundMinutes = 0;
    for (const TimedRecording &recording : courseRecordings()) {
        files.push_back({QFileInfo(recording.name).path() + QStringLiteral("/text.txt"), recording.name});
        soundMinutes += double(recording.sound.frames()) / recording.sound.format.rate / 60;
    }
    if (files.empty()) {
        state.SkipWithError("no recordings: build the sample course");
        return;
    }
    for (auto _ : state) {
        for (const auto &[text, sound] : files)
            benchmark::DoNotOptimize(makeTimingFile(text, sound));
    }
    state.counters["sound_min_per_s"] = benchmark::Counter(soundMinutes, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["load"] = loadAverage();
}
BENCHMARK(MakeTimingFromFiles)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
