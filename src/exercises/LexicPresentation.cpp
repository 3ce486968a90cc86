#include "LexicPresentation.h"

void LexicPresentation::start()
{
    current_ = entries_.isEmpty() ? -1 : 0;
}

LexicPresentation::Step LexicPresentation::next()
{
    if (current_ < 0)
        return Step::NoExpression;
    if (current_ + 1 >= count())
        return Step::Finished;
    ++current_;
    return Step::Shown;
}

const VocabularyEntry *LexicPresentation::currentEntry() const
{
    return current_ >= 0 ? &entries_[current_] : nullptr;
}
