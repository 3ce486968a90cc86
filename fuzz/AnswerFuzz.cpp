// Feeds arbitrary bytes to the answer file reader, for a question file of up to 255
// questions (the first byte): no group may write past the questions it was given.
#include "FuzzFile.h"

#include "core/CourseError.h"
#include "exercises/AnswerFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const QString file = writeFuzzFile("answers.txt", data + 1, size - 1);
    QList<QuestionEntry> entries(data[0] + 1);
    try {
        readAnswerFile(file, entries);
    } catch (const CourseError &) {
    }
    if (entries.size() != data[0] + 1)
        __builtin_trap();
    for (const QuestionEntry &entry : entries) {
        if (entry.answerCount < 0 || entry.answerCount > 4)
            __builtin_trap();
    }
    return 0;
}
