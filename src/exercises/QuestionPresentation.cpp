#include "QuestionPresentation.h"

#include "QuestionSegments.h"

QuestionPresentation::QuestionPresentation(QList<QuestionEntry> entries) : entries_(std::move(entries))
{
    if (entries_.isEmpty())
        entries_.resize(1);
}

void QuestionPresentation::load(const QString &questionFile, const QString &segmentFile)
{
    readQuestionFile(questionFile, entries_);
    if (!segmentFile.isEmpty()) {
        readQuestionSegments(segmentFile, questionCount(), [this](int item, Segment segment) {
            entries_[item].start = segment.startMs;
            entries_[item].end = segment.endMs;
        });
    }
}

void QuestionPresentation::start()
{
    shown_ = 0;
    selectNext();
}

QuestionPresentation::Step QuestionPresentation::next()
{
    if (questionCount() == 0)
        return Step::Nothing;
    if (shown_ < questionCount()) {
        selectNext();
        return Step::Showing;
    }
    return Step::Finished;
}

QString QuestionPresentation::question() const
{
    return shown_ >= 1 && shown_ <= questionCount() ? entries_[shown_].question : QString();
}

// An empty presentation stays at 0: there is no question 1 to show.
void QuestionPresentation::selectNext()
{
    if (shown_ < questionCount())
        ++shown_;
}
