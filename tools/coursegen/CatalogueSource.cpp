#include "CatalogueSource.h"

#include "CourseName.h"
#include "SourceText.h"

#include <QRegularExpression>

namespace {

constexpr int kColumns = 11;
constexpr int kMaxText = 255;
// The program opens a course file as "____Data\" + name and cuts the result to 255 bytes.
constexpr int kMaxCourseName = kMaxText - 9;

int parseNumber(const QString &field, const QString &column, bool allowSign, const SourcePos &pos)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
    static const QRegularExpression signedDigits(QStringLiteral("^-?[0-9]{1,9}$"));
    if (!(allowSign ? signedDigits : digits).match(field).hasMatch()) {
        throw SourceError(pos, QStringLiteral("column %1 must be a decimal number, not \"%2\"")
                                   .arg(column, field));
    }
    return field.toInt();
}

int parseKind(const QString &field, const QString &column, const SourcePos &pos)
{
    const int value = parseNumber(field, column, false, pos);
    if (value > 255)
        throw SourceError(pos, QStringLiteral("column %1 must lie in 0..255, not %2").arg(column).arg(value));
    return value;
}

QString checkedText(const QString &field, const QString &column, int maxBytes, const SourcePos &pos)
{
    // cp1251 has one byte a character, so the length in characters is the length in bytes.
    encodeCp1251(field, pos);
    if (field.size() > maxBytes) {
        throw SourceError(pos, QStringLiteral("column %1 is %2 characters long; at most %3 fit")
                                   .arg(column).arg(field.size()).arg(maxBytes));
    }
    return field;
}

QString pathOf(const QString &name, const SourcePos &pos)
{
    return name.isEmpty() ? QString() : coursePathOf(name, pos);
}

CatalogueLine parseLine(const QString &text, int number, const SourcePos &pos)
{
    const QStringList columns = text.split(QLatin1Char('\t'));
    if (columns.size() != kColumns) {
        throw SourceError(pos, QStringLiteral("%1 columns; a catalogue line has %2, separated by single TABs")
                                   .arg(columns.size()).arg(kColumns));
    }

    CatalogueLine line;
    line.number = number;
    line.title = checkedText(columns[0], QStringLiteral("1 (Title)"), kMaxText, pos);
    if (line.title.trimmed().isEmpty())
        throw SourceError(pos, QStringLiteral("column 1 (Title) is empty"));

    // The program takes only "0" as false; any other text, " 0" too, makes a child.
    // The sources keep to "0" and "1" so that a stray space cannot move a node.
    if (columns[1] != QLatin1String("0") && columns[1] != QLatin1String("1"))
        throw SourceError(pos, QStringLiteral("column 2 (IsChild) must be 0 or 1, not \"%1\"").arg(columns[1]));
    line.isChild = columns[1] == QLatin1String("1");
    line.link = parseNumber(columns[2], QStringLiteral("3 (Link)"), true, pos);
    line.infoKind = parseKind(columns[3], QStringLiteral("4 (InfoKind)"), pos);
    line.infoFile = checkedText(columns[4], QStringLiteral("5 (InfoFile)"), kMaxCourseName, pos);
    line.infoPath = pathOf(line.infoFile, pos);
    line.exerciseKind = parseKind(columns[5], QStringLiteral("6 (ExerciseKind)"), pos);
    for (int i = 0; i < 5; ++i) {
        const QString column = QStringLiteral("%1 (File%2)").arg(7 + i).arg(i + 1);
        line.files[i] = checkedText(columns[6 + i], column, kMaxCourseName, pos);
        line.filePaths[i] = pathOf(line.files[i], pos);
    }
    return line;
}

// The program appends every node at the end of its level in line order; the tree then
// matches the line numbers only when each entry hangs under the entry just before it
// or under one of that entry's ancestors.
void checkTreeOrder(const std::vector<CatalogueLine> &lines, const QString &file)
{
    std::vector<int> parent(lines.size() + 1, 0); // 0: top level
    for (const CatalogueLine &line : lines) {
        const int k = line.number;
        if (k == 1)
            continue; // the root; its IsChild and Link are not read
        const SourcePos pos{file, k};
        if (line.link < 1 || line.link >= k) {
            throw SourceError(pos, QStringLiteral("Link %1 must name an earlier entry (1..%2)")
                                       .arg(line.link).arg(k - 1));
        }
        const int newParent = line.isChild ? line.link : parent[line.link];
        if (newParent == 0) {
            throw SourceError(pos, QStringLiteral("entry %1 would be a second top-level node beside the root")
                                       .arg(k));
        }
        int open = k - 1;
        while (open != 0 && open != newParent)
            open = parent[open];
        if (open != newParent) {
            throw SourceError(pos, QStringLiteral("entry %1 hangs under entry %2, which entry %3 has already left; "
                                                  "the lines must be in pre-order")
                                       .arg(k).arg(newParent).arg(k - 1));
        }
        parent[k] = newParent;
    }
}

} // namespace

CatalogueSource readCatalogueSource(const QString &path)
{
    CatalogueSource source;
    source.sourceFile = path;
    const QStringList texts = splitLines(readUtf8File(path));
    if (texts.isEmpty())
        throw SourceError({path}, QStringLiteral("empty catalogue; entry 1, the root heading, is required"));

    for (qsizetype i = 0; i < texts.size(); ++i) {
        const int number = int(i + 1);
        const SourcePos pos{path, number};
        // Every line of a catalogue is an entry; an empty one would stop the program's loading.
        if (texts.at(i).isEmpty())
            throw SourceError(pos, QStringLiteral("empty line; every line of a catalogue is an entry"));
        source.lines.push_back(parseLine(texts.at(i), number, pos));
    }
    if (source.lines.front().exerciseKind != 0)
        throw SourceError({path, 1}, QStringLiteral("entry 1 must be the root heading (ExerciseKind 0)"));
    checkTreeOrder(source.lines, path);

    source.courseText = toCourseText(texts, path);
    return source;
}
