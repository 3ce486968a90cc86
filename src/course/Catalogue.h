#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

// One line of a course catalogue: a heading of the lesson tree or an exercise.
struct TCatalogueEntry {
    QString Title;
    bool IsChild = false;
    qint32 Link = 0;
    quint8 InfoKind = 0;
    QString InfoFile;
    quint8 ExerciseKind = 0;
    QString File1;
    QString File2;
    QString File3;
    QString File4;
    QString File5;
};

// Exercise kinds of the catalogue's sixth column.
enum ExerciseKindCode : quint8 {
    KindHeading = 0,
    KindLexicDemo = 1,
    KindLexic = 2,
    KindQuestDemo = 3,
    KindTransRecorded = 4,
    KindWorkText = 5,
    KindQuestDown = 6,
    KindQuestTrFl = 7,
    KindListenText = 8,
    KindListenOnly = 11,
    KindTransWait = 12,
    KindTrans = 13,
    KindTransShowTranslation = 14,
    KindTransShowText = 15,
};

// Entries 1 to N of one catalogue file; entry 0 is always empty and never shown.
using Catalogue = QList<TCatalogueEntry>;

// Texts longer than this many bytes are cut.
inline constexpr int MaxCatalogueText = 255;

// Parses one catalogue line: eleven TAB-separated columns, the last one the rest of
// the line. Throws CourseError (without file and line) for a missing or malformed number.
TCatalogueEntry parseCatalogueLine(QByteArrayView line);

// Parses the bytes of a whole catalogue file into entries 0 to N. Errors carry the
// given file name and the line number.
Catalogue parseCatalogue(QByteArrayView fileBytes, const QString &fileName);
