// Feeds arbitrary bytes to the course check of a listening text's timing file: the input
// is both the text and its timing, so that "#" lines meet on both sides.
#include "FuzzFile.h"

#include "coursecheck/CheckContext.h"
#include "coursecheck/CourseProblem.h"
#include "coursecheck/ListeningCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ListeningFiles files;
    files.text = writeFuzzFile("text.txt", data, size);
    files.timing = writeFuzzFile("timing.txt", data, size);
    ProblemList problems;
    CheckContext context(problems);
    checkListeningFiles(context, NamedAt{QStringLiteral("InitRegA.txt"), 1}, files);
    for (const CourseProblem &problem : problems.all())
        (void)formatProblem(problem);
    return 0;
}
