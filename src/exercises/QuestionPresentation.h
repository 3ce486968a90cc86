#pragma once

#include "QuestionFile.h"

#include <QList>
#include <QString>

// The rules of the question presentation: the questions once each, in file order.
class QuestionPresentation {
public:
    QuestionPresentation() : entries_(1) {}
    explicit QuestionPresentation(QList<QuestionEntry> entries);

    // Reads the question file and, when named, the segment file (the answer file is not
    // read here). Throws CourseError at the first failure; what was read stays.
    void load(const QString &questionFile, const QString &segmentFile);

    // Shows the first question.
    void start();

    enum class Step {
        Showing,  // the next question is on show
        Finished, // "Далее" on the last question: the presentation is over
        Nothing,  // no questions at all: nothing happens
    };
    // "Далее".
    Step next();

    int questionCount() const { return int(entries_.size()) - 1; }
    // The number of the question on show, counting from 1; 0 before the first.
    int shownNumber() const { return shown_; }
    int questionsLeft() const { return questionCount() - shown_; }
    QString question() const;

    const QList<QuestionEntry> &entries() const { return entries_; }

private:
    void selectNext();

    QList<QuestionEntry> entries_;
    int shown_ = 0;
};
