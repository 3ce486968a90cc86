#pragma once

#include "AnswerOrderDraw.h"
#include "QuestionFile.h"

#include <QList>
#include <QString>

#include <array>

// The rules of one multiple-choice run: every question is asked once, in random order, with
// its answers shuffled into the slots 1..4. A wrong answer may be retried once when the
// question has more than two answers; otherwise, and after a wrong retry, the right answer is
// shown and the question counts one error.
class MultipleChoiceDrill {
public:
    explicit MultipleChoiceDrill(quint32 seed = AnswerOrderDraw::freshSeed());
    MultipleChoiceDrill(QList<QuestionEntry> entries, quint32 seed);

    // Reads the question file, the answer file and, when named, the segment file, in this
    // order. Throws CourseError at the first failure; what was read stays.
    void load(const QString &questionFile, const QString &answerFile, const QString &segmentFile);

    // A new run: all questions to ask, no errors, the first question drawn.
    void start();
    // Draws the next question not yet dealt with and shuffles its answers; marks slot 1.
    void selectNext();

    // N, the questions still to ask and the error count.
    int questionCount() const { return int(entries_.size()) - 1; }
    int questionsLeft() const { return questionsLeft_; }
    int errors() const { return errors_; }

    // 0 when no question is on show (an empty exercise).
    int currentIndex() const { return current_; }
    QString question() const;
    // Slots 1..slotCount() show answers; the others are hidden.
    int slotCount() const;
    QString slotAnswer(int slot) const;
    // The slot of answer 1; 0 when the question has no answers.
    int rightSlot() const { return rightSlot_; }
    bool wrongOnce() const { return wrongOnce_; }

    // The marked slot, 0 for none. A click on a slot marks it alone, and a click on the
    // marked slot leaves none marked.
    int markedSlot() const { return marked_; }
    void clickMark(int slot);

    enum class Verdict {
        Nothing,  // no question on show: nothing happens
        Right,
        TryAgain, // first wrong answer on a question with three or four answers
        Wrong,    // counted as an error; show rightAnswer
    };
    struct Outcome {
        Verdict verdict = Verdict::Nothing;
        QString rightAnswer;
        // All questions dealt with: the run ends.
        bool finished = false;
    };
    // Confirms the marked answer. After Right and Wrong the next question is drawn unless
    // the run is finished.
    Outcome confirm();

    const QList<QuestionEntry> &entries() const { return entries_; }

private:
    void dealtWith();

    QList<QuestionEntry> entries_;
    AnswerOrderDraw draw_;
    int questionsLeft_ = 0;
    int errors_ = 0;
    int current_ = 0;
    // Answer number (1..4) shown in each slot, 0 for an empty slot.
    std::array<int, 4> slotAnswer_{};
    int rightSlot_ = 0;
    int marked_ = 1;
    bool wrongOnce_ = false;
};
