#include "VocabularyDrill.h"

VocabularyDrill::VocabularyDrill(QList<VocabularyEntry> entries, quint32 seed)
    : entries_(std::move(entries)), done_(entries_.size(), false), generator_(seed)
{
}

const VocabularyEntry *VocabularyDrill::currentEntry() const
{
    return current_ >= 0 ? &entries_[current_] : nullptr;
}

void VocabularyDrill::start()
{
    done_.fill(false);
    correct_ = 0;
    errors_ = 0;
    selectNext();
}

// One generator for the whole run, and a draw straight among the expressions not yet done:
// the same uniform choice as drawing again until an undone one comes up, without looping
// when none is left.
void VocabularyDrill::selectNext()
{
    wrongOnce_ = false;
    current_ = -1;
    const int undone = int(done_.count(false));
    if (undone == 0)
        return;
    int pick = std::uniform_int_distribution<int>(0, undone - 1)(generator_);
    for (int i = 0; i < done_.size(); ++i) {
        if (!done_[i] && pick-- == 0) {
            current_ = i;
            return;
        }
    }
}

VocabularyDrill::Answer VocabularyDrill::answer(const QString &chosen)
{
    if (current_ < 0)
        return {};
    const QString right = entries_[current_].translation;
    if (chosen == right) {
        ++correct_;
        done_[current_] = true;
        if (correct_ >= count()) {
            current_ = -1;
            return {Verdict::Finished, {}};
        }
        selectNext();
        return {Verdict::Right, {}};
    }
    if (!wrongOnce_) {
        wrongOnce_ = true;
        return {Verdict::TryAgain, {}};
    }
    selectNext();
    ++errors_;
    return {Verdict::ShowRight, right};
}

void VocabularyDrill::skip()
{
    if (current_ >= 0)
        selectNext();
}
