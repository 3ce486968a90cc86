#pragma once

#include "AnswerOrderDraw.h"
#include "StatementFile.h"

#include <QList>
#include <QString>

#include <optional>

// A row of the results window: the statement, its right answer, and whether the learner's
// answer was right ("Да"/"Нет" each).
struct TrueFalseResultRow {
    QString statement;
    QString rightAnswer;
    QString answeredRight;
};

// The rules of one true/false run: statements in random order, each answered "Да" or "Нет"
// once; a skipped statement stays in the draw.
class TrueFalseDrill {
public:
    // The results window has room for this many statements.
    static constexpr int MaxResultRows = 49;

    explicit TrueFalseDrill(quint32 seed = AnswerOrderDraw::freshSeed());
    TrueFalseDrill(QList<StatementEntry> entries, quint32 seed);

    // Reads the statement file, checks that the second file can be read, and reads the
    // segment file when named. Throws CourseError at the first failure; what was read stays.
    void load(const QString &statementFile, const QString &secondFile, const QString &segmentFile);

    // A new run: every statement to answer, no errors, the first statement drawn.
    void start();
    // Draws a statement not yet answered; the one on show may come again.
    void selectNext();

    int statementCount() const { return int(entries_.size()) - 1; }
    int statementsLeft() const { return statementsLeft_; }
    int errors() const { return errors_; }
    // 0 when no statement is on show (an empty exercise).
    int currentIndex() const { return current_; }
    QString statement() const;
    const StatementEntry &entry(int index) const { return entries_[index]; }

    struct Outcome {
        bool right = false;
        // Every statement answered: the run ends.
        bool finished = false;
    };
    // The learner's answer ("Да" when `yes`) to the statement on show; nothing when none is.
    // Draws the next statement unless the run is finished.
    std::optional<Outcome> answer(bool yes);

    // The rows of the results window, statements 1..N up to MaxResultRows.
    QList<TrueFalseResultRow> results() const;

private:
    QList<StatementEntry> entries_;
    AnswerOrderDraw draw_;
    int statementsLeft_ = 0;
    int errors_ = 0;
    int current_ = 0;
};
