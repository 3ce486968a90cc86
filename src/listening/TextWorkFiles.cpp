#include "TextWorkFiles.h"

#include "core/CourseError.h"
#include "core/Cp1251.h"
#include "core/DecimalInt.h"
#include "core/FileSystem.h"
#include "core/LineReader.h"

namespace {

QStringList readTextLines(const QString &name)
{
    QStringList lines;
    for (const QByteArray &line : splitLines(readFileBytes(name)))
        lines.append(fromCp1251(line));
    return lines;
}

QString withEnding(const QString &name, QLatin1StringView ending)
{
    return name.first(std::max<qsizetype>(name.size() - 3, 0)) + ending;
}

// An exercise without pictures leaves its picture list empty in the catalogue, which reaches
// the window as the data folder itself: no pictures then, and nothing damaged to report.
bool namesNoPictureList(const QString &name)
{
    return name.isEmpty() || name.endsWith(u'\\') || name.endsWith(u'/') || (pathExists(name) && !fileExists(name));
}

} // namespace

QString TextWorkFiles::cueFileName(const QString &recording)
{
    return withEnding(recording, QLatin1StringView("txt"));
}

QString TextWorkFiles::commentFileName(const QString &textFile)
{
    return withEnding(textFile, QLatin1StringView("apc"));
}

SyntagmComment TextWorkFiles::parseComment(QByteArrayView line)
{
    SyntagmComment comment;
    comment.Number = toInt32(line.first(std::min<qsizetype>(line.size(), 3)));
    if (line.size() > 4)
        comment.Text = fromCp1251(line.sliced(3, line.size() - 4));
    return comment;
}

void TextWorkFiles::readTiming(const QString &name, QList<Segment> &table)
{
    const QByteArray bytes = readFileBytes(name);
    int number = 0;
    for (LineReader lines(bytes); !lines.atEnd();) {
        const QByteArrayView line = lines.next();
        ++number;
        if (number >= table.size())
            throw CourseError(QStringLiteral("Строк больше, чем в тексте"), name, number);
        if (line.startsWith('#'))
            continue; // a separator: 0, 0
        try {
            table[number] = parseSegmentLine(line);
        } catch (const CourseError &error) {
            throw error.at(name, number);
        }
    }
}

void TextWorkFiles::readPictureList(const QString &name)
{
    const QList<QByteArray> lines = splitLines(readFileBytes(name));
    pictures.resize(lines.size() + 1);
    for (qsizetype k = 1; k <= lines.size(); ++k) {
        const QByteArrayView line = lines[k - 1];
        if (line.startsWith('#'))
            continue;
        try {
            const qsizetype first = line.indexOf('\t');
            const qsizetype second = first < 0 ? -1 : line.indexOf('\t', first + 1);
            if (second < 0)
                throw CourseError(QStringLiteral("В строке нет символа табуляции"));
            PictureSpan &span = pictures[k];
            span.FromMs = toInt32(line.first(first));
            span.ToMs = toInt32(line.sliced(first + 1, second - first - 1));
            span.PictureFile = fromCp1251(line.sliced(second + 1));
        } catch (const CourseError &error) {
            throw error.at(name, int(k));
        }
    }
}

void TextWorkFiles::readComments(const QString &name)
{
    const QByteArray bytes = readFileBytes(name);
    int number = 0;
    for (LineReader lines(bytes); !lines.atEnd();) {
        const QByteArrayView line = lines.next();
        ++number;
        try {
            comments.append(parseComment(line));
        } catch (const CourseError &error) {
            throw error.at(name, number);
        }
    }
}

int TextWorkFiles::pictureAt(qint32 endMs) const
{
    if (endMs == 0)
        return 0;
    for (int i = 1; i < pictures.size(); ++i) {
        if (pictures[i].FromMs < endMs && endMs <= pictures[i].ToMs)
            return i;
    }
    return 0;
}

QString TextWorkFiles::firstPictureFile() const
{
    return pictures.value(1).PictureFile;
}

bool TextWorkFiles::load(const TextWorkSources &sources)
{
    try {
        text = readTextLines(sources.textFile);
        courseTiming.fill(Segment{}, text.size() + 1);
        learnerTiming.fill(Segment{}, text.size() + 1);
        translation = readTextLines(sources.translationFile);
        readTiming(sources.timingFile, courseTiming);
        if (!sources.learnerRecording.isEmpty() && pathExists(cueFileName(sources.learnerRecording))) {
            readTiming(cueFileName(sources.learnerRecording), learnerTiming);
            hasCue = true;
        }
        if (!namesNoPictureList(sources.pictureListFile))
            readPictureList(sources.pictureListFile);
        const QString commentFile = commentFileName(sources.textFile);
        if (pathExists(commentFile))
            readComments(commentFile);
    } catch (const CourseError &error) {
        loadProblem = error.fileText() + u'\r' + error.message();
        return false;
    }
    loadProblem.clear();
    return true;
}
