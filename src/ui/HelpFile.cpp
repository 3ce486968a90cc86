#include "HelpFile.h"

#include "core/CourseError.h"
#include "core/CoursePath.h"
#include "core/FileSystem.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {

// A help file is small; anything far larger is not ours.
constexpr qint64 MaxHelpBytes = 8 * 1024 * 1024;

QString withSuffix(const QString &name, const QString &suffix)
{
    const qsizetype slash = std::max(name.lastIndexOf(u'\\'), name.lastIndexOf(u'/'));
    const qsizetype dot = name.lastIndexOf(u'.');
    return (dot > slash ? name.left(dot) : name) + suffix;
}

} // namespace

bool HelpFile::isHtml(const QByteArray &bytes)
{
    QByteArray start = bytes.left(512);
    if (start.startsWith("\xEF\xBB\xBF"))
        start.remove(0, 3);
    start = start.trimmed().toLower();
    return start.startsWith("<!doctype html") || start.startsWith("<html");
}

bool HelpFile::open(const QString &helpFile)
{
    path_.clear();
    html_.clear();
    problem_.clear();
    const QString candidates[] = {helpFile, withSuffix(helpFile, QStringLiteral(".htm")),
                                  withSuffix(helpFile, QStringLiteral(".html"))};
    bool foundAny = false;
    for (const QString &candidate : candidates) {
        const QString path = localPath(candidate);
        if (!fileExists(path))
            continue;
        foundAny = true;
        QByteArray bytes;
        try {
            bytes = readFileBytes(path, MaxHelpBytes);
        } catch (const CourseError &) {
            continue;
        }
        if (!isHtml(bytes))
            continue;
        QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
        html_ = decoder.isValid() ? decoder.decode(bytes) : QString::fromUtf8(bytes);
        path_ = QFileInfo(path).absoluteFilePath();
        return true;
    }
    problem_ = foundAny ? QStringLiteral("Файл справки \"%1\" не удается прочитать.").arg(helpFile)
                        : QStringLiteral("Файл справки \"%1\" не найден.").arg(helpFile);
    return false;
}

bool HelpFile::hasTopic(const QString &topic) const
{
    if (topic.isEmpty() || html_.isEmpty())
        return false;
    const QRegularExpression anchor(QStringLiteral("\\b(?:name|id)\\s*=\\s*[\"']%1[\"']")
                                        .arg(QRegularExpression::escape(topic)));
    return anchor.match(html_).hasMatch();
}

QString HelpFile::topicOfNumber(int contextNumber)
{
    return contextNumber == 0 ? contentsTopic() : QString::number(contextNumber);
}
