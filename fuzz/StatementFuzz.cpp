// Feeds arbitrary bytes to the statement file reader of the true/false exercise.
#include "FuzzFile.h"

#include "core/CourseError.h"
#include "exercises/QuestionFile.h"
#include "exercises/StatementFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString file = writeFuzzFile("statements.txt", data, size);
    QList<StatementEntry> entries;
    try {
        readStatementFile(file, entries);
    } catch (const CourseError &) {
    }
    if (entries.size() > MaxQuestionItems + 1)
        __builtin_trap();
    for (const StatementEntry &entry : entries) {
        if (entry.statement.size() > MaxQuestionText)
            __builtin_trap();
    }
    return 0;
}
