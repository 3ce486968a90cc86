#include "CourseName.h"

#include <QStringList>

bool isPortableFileName(const QString &name)
{
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return false;
    }
    return !name.isEmpty();
}

QString coursePathOf(const QString &courseName, const SourcePos &pos)
{
    auto fail = [&](const QString &why) {
        return SourceError(pos, QStringLiteral("course file name \"%1\": %2").arg(courseName, why));
    };
    if (courseName.contains(QLatin1Char('/')))
        throw fail(QStringLiteral("use backslashes between folders, as the catalogues do"));
    if (courseName.contains(QLatin1Char(':')))
        throw fail(QStringLiteral("must be relative to the data folder"));
    if (!isPortableFileName(courseName))
        throw fail(QStringLiteral("use printable ASCII characters only"));

    const QStringList parts = courseName.split(QLatin1Char('\\'));
    for (const QString &part : parts) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            throw fail(QStringLiteral("must name a file inside the data folder"));
    }
    return parts.join(QLatin1Char('/'));
}

QString courseNameOf(const QString &relativePath)
{
    QString name = relativePath;
    return name.replace(QLatin1Char('/'), QLatin1Char('\\'));
}
