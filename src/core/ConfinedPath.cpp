#include "ConfinedPath.h"

#include "CourseError.h"
#include "CoursePath.h"

#include <QDir>
#include <QFile>

#include <algorithm>

#include <sys/stat.h>

namespace {

bool isLink(const QString &path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

} // namespace

QString confinedPath(const QString &name, ConfinedKind kind)
{
    const QString course = QDir::currentPath();
    const QString path = QDir::cleanPath(QDir(course).absoluteFilePath(localPath(name)));
    if (name.isEmpty() || !path.startsWith(course + u'/'))
        throw CourseError(QStringLiteral("Файл лежит вне папки курса: программа не пишет и не удаляет его"), name);
    // Each part from the course folder down: a folder of the way must not be a link, and
    // the last part neither when it is the folder to work in.
    const QStringList parts = path.mid(course.size() + 1).split(u'/');
    QString walked = course;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        walked += u'/' + parts[i];
        if ((i + 1 < parts.size() || kind == ConfinedKind::Folder) && isLink(walked))
            throw CourseError(QStringLiteral("Путь проходит через символическую ссылку, которая может вести за "
                                             "пределы папки курса: программа не пишет туда и не удаляет"),
                              name);
    }
    return path;
}

QString courseFolderOf(const QString &courseName)
{
    return courseName.left(std::max(courseName.lastIndexOf(u'\\'), courseName.lastIndexOf(u'/')) + 1);
}

QString reportFolderPath()
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(localPath(QStringLiteral("Report"))));
}

bool insideReportFolder(const QString &name, ConfinedKind kind)
{
    try {
        return confinedPath(name, kind).startsWith(reportFolderPath() + u'/');
    } catch (const CourseError &) {
        return false;
    }
}
