// The main window at the scale of a large course, measured as the learner meets it: the
// real window started on generated courses until its event loop is idle, a user switch
// and a run's return on a course of 200,000 entries, descriptions loaded into the real
// description pane, and the memory the catalogues take.
#include "course/CourseState.h"
#include "exercises/ExerciseEndDialog.h"
#include "reports/ReportWindow.h"
#include "controls/PictureButton.h"
#include "shell/DescriptionPane.h"
#include "shell/MainWindow.h"
#include "sound/VirtualAudioBackend.h"
#include "ui/TreeProgressWindow.h"
#include "users/Progress.h"
#include "users/UserList.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QKeyEvent>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstring>

#include <memory>

namespace {

// Runs whatever is queued (start-up, paints, the text layout's background steps) until
// nothing is left: the moment the window would answer the learner again.
void settle()
{
    QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
    for (;;) {
        QCoreApplication::sendPostedEvents();
        if (!dispatcher->processEvents(QEventLoop::AllEvents))
            break;
    }
}

// The process's resident set: now, and at its highest since the last resetPeakResident().
qint64 residentKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qsizetype(std::strlen(field))).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

void resetPeakResident()
{
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
}

// Bytes the heap holds in use.
qint64 heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks + info.hblkhd);
}

enum class Shape {
    Nested, // lessons of one heading and nine exercises under one course root
    Flat,   // every entry a child of the root, all on one level
};

// A catalogue of the course's root alone, with a text description.
constexpr char RootOnlyCatalogue[] = "\xca\xf3\xf0\xf1\t0\t0\t2\t\t0\t\t\t\t\t\r\n";

QByteArray catalogueBytes(int lines, Shape shape)
{
    QByteArray bytes = "\xca\xf3\xf0\xf1\t0\t0\t0\tcourse.txt\t0\t\t\t\t\t\r\n";
    bytes.reserve(qsizetype(lines) * 110);
    int lesson = 0;
    for (int k = 2; k <= lines; ++k) {
        const bool heading = shape == Shape::Nested && (k - 2) % 10 == 0;
        if (heading) {
            lesson = k;
            bytes += "\xd3\xf0\xee\xea " + QByteArray::number(k) + "\t1\t1\t0\tlesson.txt\t0\t\t\t\t\t\r\n";
        } else {
            bytes += "\xd3\xef\xf0\xe0\xe6\xed\xe5\xed\xe8\xe5 " + QByteArray::number(k) + "\t1\t" +
                     QByteArray::number(shape == Shape::Nested ? lesson : 1) +
                     "\t0\tex.txt\t2\tlesson\\words.txt\tlesson\\trans.txt\tlesson\\words.wav\tlesson\\words.seg\t\r\n";
        }
    }
    return bytes;
}

void writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(name));
}

// A course folder that is the working directory while it lives: catalogue D as given,
// A to C as given or a single root line, the course font and the descriptions.
class CourseFolder {
public:
    explicit CourseFolder(const QByteArray &catalogueD, const QByteArray &others = RootOnlyCatalogue)
        : previous_(QDir::currentPath())
    {
        QDir::setCurrent(dir_.path());
        writeFile("InitRegA.txt", others);
        writeFile("InitRegB.txt", others);
        writeFile("InitRegC.txt", others);
        writeFile("InitRegD.txt", catalogueD);
        QFile::copy(QStringLiteral(VESTORIA_COURSE_FONT), QStringLiteral("NFREESET.TTF"));
        QDir().mkpath("____Data");
        QDir().mkpath("Report");
        for (const char *name : {"____Data/course.txt", "____Data/lesson.txt", "____Data/ex.txt"})
            writeFile(name, "\xce\xef\xe8\xf1\xe0\xed\xe8\xe5.\r\n");
    }
    ~CourseFolder() { QDir::setCurrent(previous_); }

private:
    QTemporaryDir dir_;
    QString previous_;
};

// The real main window with the real progress window, wired as start-up wires them; the
// user list and the other dialogs, which the figures do not need, are left out.
struct Program {
    CourseState course;
    UserRegistry users;
    ProgressState progress;
    TreeProgressWindow progressWindow;
    ExerciseEndDialog endDialog;
    MainWindow window{course, users, progress};

    Program()
    {
        window.setProgressWindow(&progressWindow);
        ExerciseKindTable exercises;
        exercises.set(KindVocabularyDrill, {[](const ExerciseRequest &, ExerciseReport &) { return 0; },
                                            QStringLiteral("Вы успешно выполнили упражнение.")});
        window.setExercises(exercises, &endDialog);
    }

    // Start-up as the program runs it: the window is shown and starts itself.
    void start()
    {
        window.show();
        settle();
        if (!window.courseReady())
            qFatal("the course did not start");
    }

    void becomeNamedLearner()
    {
        addUser(users, QStringLiteral("Ann"), QString(), u'D', QStringLiteral("Report\\Ann.rep"));
        ProgressState fresh;
        resetProgress(fresh, u'D');
        saveProgress(fresh, QStringLiteral("Report\\Ann.rep"));
        window.changeUser(0);
        settle();
    }
};

// A named learner working on a nested course of 200,000 entries.
struct LargeCourse {
    CourseFolder folder{catalogueBytes(200000, Shape::Nested)};
    Program program;

    LargeCourse()
    {
        program.start();
        program.becomeNamedLearner();
    }
};

void startUntilIdle(benchmark::State &state, const QByteArray &catalogueD, const QByteArray &others)
{
    CourseFolder folder(catalogueD, others);
    for (auto _ : state) {
        auto program = std::make_unique<Program>();
        program->start();
        state.PauseTiming();
        program.reset();
        settle();
        state.ResumeTiming();
    }
}

void StartFourCataloguesOf20k(benchmark::State &state)
{
    const QByteArray catalogue = catalogueBytes(20000, Shape::Nested);
    startUntilIdle(state, catalogue, catalogue);
}
BENCHMARK(StartFourCataloguesOf20k)->Unit(benchmark::kMillisecond)->Iterations(5);

void StartOneCatalogueOf200kNested(benchmark::State &state)
{
    startUntilIdle(state, catalogueBytes(200000, Shape::Nested), RootOnlyCatalogue);
}
BENCHMARK(StartOneCatalogueOf200kNested)->Unit(benchmark::kMillisecond)->Iterations(3);

void StartOneCatalogueOf200kFlat(benchmark::State &state)
{
    startUntilIdle(state, catalogueBytes(200000, Shape::Flat), RootOnlyCatalogue);
}
BENCHMARK(StartOneCatalogueOf200kFlat)->Unit(benchmark::kMillisecond)->Iterations(3);

// A learner chooses himself again: his progress is written and read, the tree rebuilt.
void UserSwitchOn200k(benchmark::State &state)
{
    LargeCourse large;
    Program &program = large.program;
    for (auto _ : state) {
        program.window.changeUser(0);
        settle();
    }
}
BENCHMARK(UserSwitchOn200k)->Unit(benchmark::kMillisecond)->Iterations(3);

// A drill run to its end and marked done, from the learner's OK to the idle window.
void RunReturnOn200k(benchmark::State &state)
{
    LargeCourse large;
    Program &program = large.program;
    QTreeWidgetItem *drill = program.window.lessonTree->topLevelItem(0)->child(0)->child(0); // entry 3
    program.window.lessonTree->setCurrentItem(drill);
    settle();
    for (auto _ : state) {
        state.PauseTiming();
        program.progress.record(3)->setDone(false);
        QTimer::singleShot(0, &program.endDialog, [&] { program.endDialog.okButton->click(); });
        state.ResumeTiming();
        program.window.runSelectedExercise();
        settle();
    }
    if (!program.progress.record(3)->Done())
        qFatal("the drill was not marked done");
}
BENCHMARK(RunReturnOn200k)->Unit(benchmark::kMillisecond)->Iterations(20);

// What the mark's save takes off the interface thread: the 200,000 records (52.8 MB) written
// to a new file, synced, and renamed over the old one.
void ProgressSaveOn200k(benchmark::State &state)
{
    LargeCourse large;
    Program &program = large.program;
    for (auto _ : state)
        saveProgress(program.progress, QStringLiteral("Report\\Ann.rep"));
}
BENCHMARK(ProgressSaveOn200k)->Unit(benchmark::kMillisecond)->Iterations(5);

// A double click on a heading: the dispatcher starts nothing.
void HeadingRunOn200k(benchmark::State &state)
{
    LargeCourse large;
    Program &program = large.program;
    program.window.lessonTree->setCurrentItem(program.window.lessonTree->topLevelItem(0)->child(0));
    settle();
    for (auto _ : state) {
        program.window.runSelectedExercise();
        settle();
    }
}
BENCHMARK(HeadingRunOn200k)->Unit(benchmark::kMillisecond)->Iterations(20);

// The learner's report of a course of 200,000 entries, from filling it to the shown window.
void ReportOn200k(benchmark::State &state)
{
    LargeCourse large;
    Program &program = large.program;
    VirtualAudioBackend audio;
    ReportWindow report(audio);
    for (auto _ : state) {
        report.fill(*program.course.catalogue(u'D'), program.progress);
        report.show();
        settle();
        state.PauseTiming();
        report.hide();
        settle();
        state.ResumeTiming();
    }
}
BENCHMARK(ReportOn200k)->Unit(benchmark::kMillisecond)->Iterations(3);

// The four catalogues of 200,000 lines each held in memory.
void CatalogueMemoryOf4x200k(benchmark::State &state)
{
    const QByteArray catalogue = catalogueBytes(200000, Shape::Nested);
    CourseFolder folder(catalogue, catalogue);
    for (auto _ : state) {
        const qint64 before = heapInUse();
        auto course = std::make_unique<CourseState>();
        loadCatalogues(*course);
        const qint64 used = heapInUse() - before;
        state.counters["bytesPerEntry"] = double(used) / (4 * 200000);
        state.counters["MB"] = double(used) / (1 << 20);
    }
}
BENCHMARK(CatalogueMemoryOf4x200k)->Unit(benchmark::kMillisecond)->Iterations(1);

// Short formatted paragraphs, as a long word list exported from a word processor.
QByteArray rtfOfSize(qsizetype bytes)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}}"
                     "{\\colortbl;\\red0\\green0\\blue128;}\\viewkind4\\uc1\\pard\\f0\\fs20 ";
    rtf.reserve(bytes + 64);
    for (int paragraph = 1; rtf.size() < bytes; ++paragraph) {
        if (paragraph % 10 == 0)
            rtf += "{\\b\\cf1 \\'d3\\'f0\\'ee\\'ea " + QByteArray::number(paragraph) + "}\\par\r\n";
        else
            rtf += "\\'f1\\'eb\\'ee\\'e2\\'ee " + QByteArray::number(paragraph) + " word\\par\r\n";
    }
    return rtf + "}";
}

QByteArray plainTextOfSize(qsizetype bytes)
{
    QByteArray text;
    text.reserve(bytes + 128);
    for (int line = 1; text.size() < bytes; ++line)
        text += "\xd1\xf2\xf0\xee\xea\xe0 " + QByteArray::number(line) + " of a long plain description, as a text editor saves it.\r\n";
    return text;
}

// The description of the selected node loaded into the pane of the main window's size,
// until the pane has painted it and its event loop is idle.
void loadDescription(benchmark::State &state, const QByteArray &bytes)
{
    CourseFolder folder(RootOnlyCatalogue);
    writeFile("____Data/big.txt", bytes);
    CatalogueEntry entry;
    entry.InfoKind = 0;
    entry.setInfoFile(QStringLiteral("big.txt"));
    DescriptionPane pane;
    pane.resize(420, 450);
    pane.show();
    settle();
    for (auto _ : state) {
        state.PauseTiming();
        pane.showNotice(QString());
        settle();
        const qint64 before = heapInUse();
        malloc_trim(0); // what earlier runs freed goes back, so the peak is this load's own
        resetPeakResident();
        const qint64 residentBefore = residentKb("VmRSS:");
        state.ResumeTiming();
        pane.showDescription(entry, QStringLiteral("____Data\\"));
        settle();
        state.PauseTiming();
        state.counters["keptPerFileByte"] = double(heapInUse() - before) / double(bytes.size());
        state.counters["peakPerFileByte"] = double(residentKb("VmHWM:") - residentBefore) * 1024 / double(bytes.size());
        // Reading to the end: the view lays out what it passes and lets go of it again.
        QElapsedTimer toEnd;
        toEnd.start();
        QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
        QCoreApplication::sendEvent(pane.descriptionText, &end);
        settle();
        state.counters["endKeyMs"] = double(toEnd.nsecsElapsed()) / 1e6;
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void DescriptionRtf1MB(benchmark::State &state)
{
    loadDescription(state, rtfOfSize(1 << 20));
}
BENCHMARK(DescriptionRtf1MB)->Unit(benchmark::kMillisecond)->Iterations(3);

void DescriptionRtf30MB(benchmark::State &state)
{
    loadDescription(state, rtfOfSize(30 << 20));
}
BENCHMARK(DescriptionRtf30MB)->Unit(benchmark::kMillisecond)->Iterations(1);

// The largest description a course file may be.
void DescriptionRtf63MB(benchmark::State &state)
{
    loadDescription(state, rtfOfSize(63 << 20));
}
BENCHMARK(DescriptionRtf63MB)->Unit(benchmark::kMillisecond)->Iterations(1);

void DescriptionPlain30MB(benchmark::State &state)
{
    loadDescription(state, plainTextOfSize(30 << 20));
}
BENCHMARK(DescriptionPlain30MB)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
