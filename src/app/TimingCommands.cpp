#include "TimingCommands.h"

#include "CommandLine.h"
#include "ProgramOutput.h"

#include "authoring/TimingImport.h"
#include "authoring/TimingMaker.h"
#include "core/CourseError.h"
#include "core/FileSystem.h"

#include <cstdio>

int runTimingCommand(const CommandLine &line)
{
    try {
        const QByteArray timing = line.action == CommandLine::Action::MakeTiming
                                      ? makeTimingFile(line.timingText, line.timingSound)
                                      : importTimingFile(line.timingImport, line.timingText);
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
        printProblem(where.isEmpty() ? error.message() : where + QStringLiteral(": ") + error.message());
        return 1;
    }
}
