#include "CourseCheck.h"

#include "CatalogueCheck.h"
#include "CheckContext.h"
#include "EntryCheck.h"

#include "core/FileSystem.h"
#include "course/CourseState.h"

#include <cerrno>
#include <cstring>

namespace {

// Files the program opens from the course folder itself whatever the lesson.
void checkFixedFiles(CheckContext &context)
{
    // The intro tune, the two sounds of the full-duplex check and the recording template.
    for (const QString &name : {QStringLiteral("music.wav"), QStringLiteral("Null.wav"), QStringLiteral("NullRec.wav"),
                               QStringLiteral("TSBegin.wav")})
        context.soundMs(name, {name, 0}, QStringLiteral("Звук"));
    if (!fileExists(QStringLiteral("NFREESET.TTF")))
        context.report(QStringLiteral("NFREESET.TTF"), 0, QStringLiteral("нет шрифта курса"));
}

} // namespace

std::vector<CourseProblem> checkCourse()
{
    ProblemList problems;
    CheckContext context(problems);
    const CourseState state; // the program's data folder
    checkFixedFiles(context);

    EntryCheck entries(context, state);
    for (const QChar letter : {u'A', u'B', u'C', u'D'}) {
        const QString file = catalogueFileName(letter);
        const std::optional<CheckedCatalogue> catalogue = checkCatalogue(context, file);
        if (!catalogue)
            continue;
        for (int k = 1; k < catalogue->entries.size(); ++k) {
            if (catalogue->loaded[size_t(k)])
                entries.check(file, k, catalogue->entries[k]);
        }
    }
    return problems.all();
}

QString courseFolderProblem(int errorNumber)
{
    switch (errorNumber) {
    case ENOENT:
        return QStringLiteral("папка курса не найдена");
    case ENOTDIR:
        return QStringLiteral("это не папка");
    case EACCES:
        return QStringLiteral("нет доступа к папке курса");
    default:
        return QStringLiteral("папка курса не открывается: %1").arg(QString::fromLocal8Bit(std::strerror(errorNumber)));
    }
}

QString cleanCourseLine()
{
    return QStringLiteral("Курс проверен: ошибок нет.");
}
