#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

// One line of a course catalogue: a heading of the lesson tree or an exercise.
struct CatalogueEntry {
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
    KindVocabularyPresentation = 1,
    KindVocabularyDrill = 2,
    KindQuestionPresentation = 3,
    KindTranslateRecorded = 4,
    KindTextWork = 5,
    KindMultipleChoice = 6,
    KindTrueFalse = 7,
    KindListenText = 8,
    KindListenOnly = 11,
    KindTranslateWithWait = 12,
    KindTranslate = 13,
    KindTranslateShowingTranslation = 14,
    KindTranslateShowingText = 15,
};

// Entries 1 to N of one catalogue file; entry 0 is always empty and never shown.
using Catalogue = QList<CatalogueEntry>;

// Texts longer than this many bytes are cut.
inline constexpr int MaxCatalogueText = 255;

// Parses one catalogue line: eleven TAB-separated columns, the last one the rest of
// the line. Throws CourseError (without file and line) for a missing or malformed number.
CatalogueEntry parseCatalogueLine(QByteArrayView line);

// Parses the bytes of a whole catalogue file into entries 0 to N. Errors carry the
// given file name and the line number.
Catalogue parseCatalogue(QByteArrayView fileBytes, const QString &fileName);
