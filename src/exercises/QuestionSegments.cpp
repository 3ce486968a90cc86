#include "QuestionSegments.h"

#include "core/CourseError.h"
#include "core/FileSystem.h"
#include "core/LineReader.h"

void readQuestionSegments(const QString &name, int itemCount, const std::function<void(int item, Segment)> &store)
{
    const QByteArray bytes = readFileBytes(name);
    int item = 0;
    for (LineReader lines(bytes); !lines.atEnd();) {
        const QByteArrayView line = lines.next();
        ++item;
        if (item > itemCount)
            throw CourseError(QStringLiteral("Строк больше, чем вопросов"), name, item);
        try {
            store(item, parseSegmentLine(line));
        } catch (const CourseError &error) {
            throw error.at(name, item);
        }
    }
}
