#pragma once

#include "SourceError.h"
#include "SpeechCache.h"

#include <QString>
#include <QStringList>

#include <vector>

// The sources of one lesson, a folder of course/lessons/ (see course/README.md):
//   text.tsv       the text: one line a syntagm, English TAB Russian [TAB comment]...,
//                  "#" lines (heading, paragraph break, "#@" picture) and
//                  "!picture TAB name" lines that change the story picture
//   words.tsv      the vocabulary: English TAB Russian
//   questions.txt  multiple-choice questions: "? question", "+ right answer", "- wrong answer"
//   truefalse.tsv  statements: English TAB true|false
// English texts may give a spoken form in braces (SpokenText.h).

struct TextLine {
    SourcePos pos;
    QString english; // as shown; "#..." for a mark-up line
    QString russian;
    QString spoken;  // empty for a mark-up line
    QStringList comments;
    QString picture; // the story picture that begins with this line, or empty

    bool isMarkup() const { return english.startsWith(QLatin1Char('#')); }
    // The mark picture of a "#@" line, or empty.
    QString markPicture() const;
};

struct WordLine {
    SourcePos pos;
    QString english;
    QString spoken;
    QString russian;
};

struct QuestionSource {
    SourcePos pos;
    QString text;
    QString spoken;
    QStringList answers; // the right one first
};

struct StatementSource {
    SourcePos pos;
    QString text;
    QString spoken;
    bool isTrue = false;
};

struct LessonSource {
    QString name; // the folder's name, also the lesson's folder in the data folder
    std::vector<TextLine> text;
    std::vector<WordLine> words;
    std::vector<QuestionSource> questions;
    std::vector<StatementSource> statements;

    // Every clip the lesson's sounds are joined from, in order: each piece of each
    // English text, at the pace its exercise speaks it.
    std::vector<SpeechRequest> spokenTexts() const;
};

// Reads and checks a lesson folder; fails on the first fault with its file and line.
LessonSource readLessonSource(const QString &folder);
