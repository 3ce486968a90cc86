#pragma once

#include <QList>
#include <QString>

// Lines read from an expression file at most, and the largest vocabulary file read: a
// damaged file of millions of lines must not exhaust memory or fill a list for minutes.
// Far above any lesson's vocabulary.
inline constexpr int MaxVocabularyEntries = 2000;
inline constexpr qint64 MaxVocabularyFileBytes = 1024 * 1024;

// One expression of a lesson with its translation and the stretch of the sound file that
// speaks it (both 0 without a segment file).
struct VocabularyEntry {
    QString expression;
    QString translation;
    qint32 start = 0;
    qint32 end = 0;
};

// The vocabulary files of a lesson, in the catalogue's order File1, File2, File4, File3.
struct VocabularyFiles {
    QString expressions;
    QString translations;
    QString segments; // may be empty: no positions
    QString sound;    // may be empty
};

// Reads the expression file (one entry per line, empty lines included), then the
// translation file (line i translates entry i), then, when named, the segment file
// ("start TAB end" for entry i). `entries` keeps everything read before a failure: the
// windows open with it. Throws CourseError naming the file and line when a file cannot be
// read, the expression file is empty or has more than MaxVocabularyEntries lines (the
// first ones are kept), a segment line is malformed, or the translation or segment file has
// more lines than there are expressions (the surplus is not read).
void readVocabulary(const VocabularyFiles &files, QList<VocabularyEntry> &entries);
