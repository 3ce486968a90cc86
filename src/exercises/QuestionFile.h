#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <array>
#include <functional>

// Question and answer texts longer than this are cut.
inline constexpr int MaxQuestionText = 255;
// Lines read from a question or statement file at most: a damaged file of millions of empty
// lines must not exhaust memory. Far above any lesson's number of questions.
inline constexpr int MaxQuestionItems = 10000;

// One question of a lesson's text, numbered from 1; entry 0 takes no question (answer lines
// before the first group land there and are never shown).
struct QuestionEntry {
    QString question;
    // Answer 1 (index 0) is the right one.
    std::array<QString, 4> answers;
    int answerCount = 0;
    bool done = false;
    qint32 start = 0;
    qint32 end = 0;
};

// Question file: line i becomes the question of entry i, cut to MaxQuestionText characters;
// `entries` becomes N + 1 long (N lines, empty lines included). Throws CourseError when the
// file cannot be read, or when it has more than MaxQuestionItems lines (the first ones are kept).
void readQuestionFile(const QString &name, QList<QuestionEntry> &entries);

// Hands each line of a question or statement file to `take`, in order. Throws CourseError
// when the file cannot be read or at the line past MaxQuestionItems (the lines before it are taken).
void forEachQuestionLine(const QString &name, const std::function<void(QByteArrayView)> &take);

// The cp1251 text of a course line cut to MaxQuestionText characters.
QString questText(QByteArrayView line);
