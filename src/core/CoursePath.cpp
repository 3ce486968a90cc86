#include "CoursePath.h"

#include <QDir>
#include <QFileInfo>

QString toLocalSeparators(const QString &courseName)
{
    QString path = courseName;
    path.replace(u'\\', u'/');
    return path;
}

namespace {

// The entry of folder `dir` whose name equals `name` ignoring case, or an empty string.
QString findIgnoringCase(const QString &dir, const QString &name)
{
    const QDir folder(dir.isEmpty() ? QStringLiteral(".") : dir);
    const QStringList entries =
        folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}

} // namespace

QString localPath(const QString &courseName)
{
    const QString asWritten = toLocalSeparators(courseName);
    if (asWritten.isEmpty() || QFileInfo::exists(asWritten))
        return asWritten;

    const bool absolute = asWritten.startsWith(u'/');
    const QStringList parts = asWritten.split(u'/', Qt::SkipEmptyParts);
    QString resolved = absolute ? QStringLiteral("/") : QString();
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString &part = parts[i];
        QString candidate = resolved + part;
        if (part != u"." && part != u".." && !QFileInfo::exists(candidate)) {
            const QString match = findIgnoringCase(resolved, part);
            if (match.isEmpty())
                return asWritten;
            candidate = resolved + match;
        }
        resolved = candidate;
        if (i + 1 < parts.size())
            resolved += u'/';
    }
    return resolved;
}
