#include "VocabularyPresentation.h"

void VocabularyPresentation::start()
{
    current_ = entries_.isEmpty() ? -1 : 0;
}

VocabularyPresentation::Step VocabularyPresentation::next()
{
    if (current_ < 0)
        return Step::NoExpression;
    if (current_ + 1 >= count())
        return Step::Finished;
    ++current_;
    return Step::Shown;
}

const VocabularyEntry *VocabularyPresentation::currentEntry() const
{
    return current_ >= 0 ? &entries_[current_] : nullptr;
}
