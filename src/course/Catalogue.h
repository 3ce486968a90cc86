#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <array>

// Texts longer than this many bytes are cut.
inline constexpr int MaxCatalogueText = 255;

// One line of a course catalogue: a heading of the lesson tree or an exercise.
//
// The seven texts are kept as the file had them (cp1251, each cut to 255 bytes), one
// after another in a single block, and decoded when asked for: a course of hundreds of
// thousands of lines then needs a fraction of what seven strings an entry would take.
class CatalogueEntry {
public:
    bool IsChild = false;
    qint32 Link = 0;
    quint8 InfoKind = 0;
    quint8 ExerciseKind = 0;

    QString Title() const { return text(TitleText); }
    QString InfoFile() const { return text(InfoFileText); }
    QString File1() const { return text(File1Text); }
    QString File2() const { return text(File2Text); }
    QString File3() const { return text(File3Text); }
    QString File4() const { return text(File4Text); }
    QString File5() const { return text(File5Text); }

    void setTitle(const QString &title) { setText(TitleText, title); }
    void setInfoFile(const QString &name) { setText(InfoFileText, name); }
    void setFile1(const QString &name) { setText(File1Text, name); }
    void setFile2(const QString &name) { setText(File2Text, name); }
    void setFile3(const QString &name) { setText(File3Text, name); }
    void setFile4(const QString &name) { setText(File4Text, name); }
    void setFile5(const QString &name) { setText(File5Text, name); }

    // The texts in column order.
    enum TextField { TitleText, InfoFileText, File1Text, File2Text, File3Text, File4Text, File5Text, TextCount };
    // Sets all seven texts from the file's bytes, each cut to 255.
    void setTexts(const std::array<QByteArrayView, TextCount> &bytes);

private:
    QString text(TextField field) const;
    void setText(TextField field, const QString &text);

    QByteArray texts_;
    std::array<quint8, TextCount> lengths_{};
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

// True for the kinds that keep the learner's recording (4, 12 to 15).
constexpr bool keepsRecording(quint8 kind)
{
    return kind == KindTranslateRecorded || (kind >= KindTranslateWithWait && kind <= KindTranslateShowingText);
}

// Entries 1 to N of one catalogue file; entry 0 is always empty and never shown.
using Catalogue = QList<CatalogueEntry>;

// Parses one catalogue line: eleven TAB-separated columns, the last one the rest of
// the line. Throws CourseError (without file and line) for a missing or malformed number.
CatalogueEntry parseCatalogueLine(QByteArrayView line);

// Parses the bytes of a whole catalogue file into entries 0 to N. Errors carry the
// given file name and the line number.
Catalogue parseCatalogue(QByteArrayView fileBytes, const QString &fileName);
