#include "TimingCommands.h"

#include "CommandLine.h"
#include "ProgramOutput.h"

#include "authoring/TimingImport.h"
#include "authoring/TimingMaker.h"
#include "core/CourseError.h"
#include "core/FileSystem.h"

#include <cstdio>
#include <functional>

namespace {

int writeTiming(const CommandLine &line, const std::function<QByteArray()> &make)
{
    try {
        const QByteArray timing = make();
        if (!line.timingOut.isEmpty()) {
            replaceFileAtomically(line.timingOut, timing);
        } else if (std::fwrite(timing.constData(), 1, size_t(timing.size()), stdout) != size_t(timing.size()) ||
                   std::fflush(stdout) != 0) {
            printProblem(QStringLiteral("cannot write the timing to standard output"));
            return 1;
        }
        return 0;
    } catch (const CourseError &error) {
        QString where = error.file();
        if (error.line() > 0)
            where += u':' + QString::number(error.line());
        const QString text = where.isEmpty() ? error.message() : where + QStringLiteral(": ") + error.message();
        printProblem(text);
        return 1;
    }
}

} // namespace

int runMakeTiming(const CommandLine &line)
{
    return writeTiming(line, [&] { return makeTimingFile(line.timingText, line.timingSound); });
}

int runImportTiming(const CommandLine &line)
{
    return writeTiming(line, [&] { return importTimingFile(line.timingImport, line.timingText); });
}
