#include "CheckContext.h"

#include "CourseFiles.h"

#include "core/CourseError.h"
#include "core/CoursePicture.h"

const QList<QByteArray> *CheckContext::lines(const QString &name, const NamedAt &at, const QString &role)
{
    auto found = texts_.find(name);
    if (found == texts_.end()) {
        QString why;
        found = texts_.insert(name, readCourseLines(name, why));
        // A file that cannot be read is reported at the first entry that names it.
        if (!found->has_value())
            report(at, QStringLiteral("%1 %2 не читается: %3").arg(role, name, why));
    }
    return found->has_value() ? &found->value() : nullptr;
}

std::optional<qint32> CheckContext::soundMs(const QString &name, const NamedAt &at, const QString &role)
{
    auto found = sounds_.find(name);
    if (found == sounds_.end()) {
        QString why;
        found = sounds_.insert(name, soundLengthMs(name, why));
        if (!found->has_value())
            report(at, QStringLiteral("%1 %2 не читается: %3").arg(role, name, why));
    }
    return *found;
}

bool CheckContext::pictureLoads(const QString &name, QString &why)
{
    auto found = pictures_.find(name);
    if (found == pictures_.end()) {
        QString error;
        if (isReadableFile(name, error)) {
            try {
                loadCoursePicture(name);
            } catch (const CourseError &e) {
                error = e.message();
            }
        }
        found = pictures_.insert(name, error);
    }
    why = *found;
    return why.isEmpty();
}
