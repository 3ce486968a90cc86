// The teacher's class report as `--class-report` makes it: the course's catalogues and
// user list read, every learner's progress file read, the CSV and the HTML page built. A
// class of 30 learners and a school of 1,000, on a mode of 200 exercises under 20 headings.
#include "reports/ClassReport.h"
#include "users/Progress.h"
#include "users/UserList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {

constexpr int Headings = 20;
constexpr int ExercisesPerHeading = 10;

qint64 heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks + info.hblkhd);
}

void writeFile(const QString &name, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(name).path());
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(name));
}

// A course folder of `learners` learners in mode A; the working directory while it lives.
class ClassFolder {
public:
    explicit ClassFolder(int learners)
    {
        QDir::setCurrent(dir_.path());
        QByteArray catalogue;
        int entry = 0;
        QList<quint8> kinds{0};
        for (int h = 0; h < Headings; ++h) {
            catalogue += "Lesson " + QByteArray::number(h) + "\t0\t0\t2\t\t0\t\t\t\t\t\r\n";
            kinds << 0;
            for (int e = 0; e < ExercisesPerHeading; ++e, ++entry) {
                const int kind = e == 9 ? 6 : 2;
                catalogue += "Exercise " + QByteArray::number(entry) + "\t1\t1\t2\t\t" + QByteArray::number(kind) +
                             "\t\t\t\t\t\r\n";
                kinds << quint8(kind);
            }
        }
        writeFile("InitRegA.txt", catalogue);
        for (const char *other : {"InitRegB.txt", "InitRegC.txt", "InitRegD.txt"})
            writeFile(other, "Root\t0\t0\t2\t\t0\t\t\t\t\t\r\n");
        QByteArray users;
        for (int i = 0; i < learners; ++i) {
            const QString name = QStringLiteral("Learner %1").arg(i);
            UserRecord user;
            user.setName(name);
            user.setReg(u'A');
            user.setFileName(newUserFileName(QDir::currentPath(), name));
            users += user.bytes();
            ProgressState progress;
            progress.EntryCount = int(kinds.size()) - 1;
            progress.Progress = QList<ProgressRecord>(kinds.size());
            for (int k = 1; k < kinds.size(); ++k) {
                if (kinds[k] != 0 && (k + i) % 3 != 0) {
                    progress.Progress[k].setDone(true);
                    progress.Progress[k].setScore(kinds[k] == 6 ? k % 100 : 0);
                }
            }
            writeFile(QStringLiteral("Report/%1/%1.rep").arg(name), progressFileBytes(progress));
        }
        writeFile("Users.eng", users);
    }

private:
    QTemporaryDir dir_;
};

void classReport(benchmark::State &state)
{
    const ClassFolder folder(int(state.range(0)));
    qint64 csvBytes = 0;
    qint64 heldBytes = 0;
    for (auto _ : state) {
        const qint64 before = heapInUse();
        CourseState course;
        loadCatalogues(course);
        UserRegistry users;
        loadUsers(users);
        const ClassReport report = buildClassReport(course, users.Users);
        const QByteArray csv = classReportCsv(report);
        const QByteArray html = classReportHtml(report);
        heldBytes = heapInUse() - before;
        csvBytes = csv.size();
        benchmark::DoNotOptimize(html.size());
    }
    state.counters["learners"] = double(state.range(0));
    state.counters["csvKB"] = double(csvBytes) / 1024;
    state.counters["heldMB"] = double(heldBytes) / (1 << 20);
}
BENCHMARK(classReport)->Arg(30)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace
