#pragma once

#include "VocabularyFiles.h"

#include <QList>

// The rules of one run of the vocabulary presentation: every expression once, in file
// order; "Далее" on the last one ends the run.
class VocabularyPresentation {
public:
    VocabularyPresentation() = default;
    explicit VocabularyPresentation(QList<VocabularyEntry> entries) : entries_(std::move(entries)) {}

    enum class Step {
        NoExpression, // an empty lesson: nothing to go to
        Shown,        // the next expression is on show
        Finished,     // "Далее" on the last expression: the window closes with OK
    };

    // Shows the first expression.
    void start();
    Step next();

    // Index into entries() of the expression on show; -1 when there is none.
    int current() const { return current_; }
    const VocabularyEntry *currentEntry() const;
    const QList<VocabularyEntry> &entries() const { return entries_; }

    int count() const { return int(entries_.size()); }
    // Expressions after the one on show.
    int remaining() const { return current_ < 0 ? 0 : count() - 1 - current_; }

private:
    QList<VocabularyEntry> entries_;
    int current_ = -1;
};
