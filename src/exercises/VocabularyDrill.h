#pragma once

#include "VocabularyFiles.h"

#include <QList>
#include <QString>

#include <random>

// The rules of one run of the vocabulary drill: an expression is drawn among those not yet
// answered right; the learner picks a translation; a first wrong pick may be retried, a
// second one shows the right translation, counts one error and draws anew, and the failed
// expression stays in the draw. The run ends with the last expression answered right.
class VocabularyDrill {
public:
    VocabularyDrill() : VocabularyDrill({}, 0) {}
    VocabularyDrill(QList<VocabularyEntry> entries, quint32 seed);

    // What an answer leads to, and what the window must show for it.
    enum class Verdict {
        NoExpression, // nothing is on show (an empty lesson): the answer is ignored
        Right,        // counted; the next expression is on show
        Finished,     // the last expression answered right: the window closes with OK
        TryAgain,     // first wrong pick: "Попробуйте еще раз", the expression stays
        ShowRight,    // second wrong pick: `rightTranslation` is shown; one more error and a new draw
    };
    struct Answer {
        Verdict verdict = Verdict::NoExpression;
        QString rightTranslation;
    };

    // A fresh run: counters cleared, the first expression drawn.
    void start();
    // Checks a chosen translation against the expression on show (exact, whole text): any
    // list item with the same text as the right translation is right.
    Answer answer(const QString &chosen);
    // A new draw without counting anything.
    void skip();

    const QList<VocabularyEntry> &entries() const { return entries_; }
    // Index into entries() of the expression on show; -1 when there is none.
    int current() const { return current_; }
    const VocabularyEntry *currentEntry() const;
    bool isDone(int index) const { return done_.value(index); }
    bool wrongOnce() const { return wrongOnce_; }

    int count() const { return int(entries_.size()); }
    int remaining() const { return count() - correct_; }
    int errors() const { return errors_; }

private:
    void selectNext();

    QList<VocabularyEntry> entries_;
    QList<bool> done_;
    std::mt19937 generator_;
    int current_ = -1;
    int correct_ = 0;
    int errors_ = 0;
    bool wrongOnce_ = false;
};
