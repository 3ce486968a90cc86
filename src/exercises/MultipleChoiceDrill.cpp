#include "MultipleChoiceDrill.h"

#include "AnswerFile.h"
#include "QuestionSegments.h"

#include <algorithm>

MultipleChoiceDrill::MultipleChoiceDrill(quint32 seed) : entries_(1), draw_(seed) {}

MultipleChoiceDrill::MultipleChoiceDrill(QList<QuestionEntry> entries, quint32 seed)
    : entries_(std::move(entries)), draw_(seed)
{
    if (entries_.isEmpty())
        entries_.resize(1);
}

void MultipleChoiceDrill::load(const QString &questionFile, const QString &answerFile, const QString &segmentFile)
{
    readQuestionFile(questionFile, entries_);
    readAnswerFile(answerFile, entries_);
    if (!segmentFile.isEmpty()) {
        readQuestionSegments(segmentFile, questionCount(), [this](int item, Segment segment) {
            entries_[item].start = segment.startMs;
            entries_[item].end = segment.endMs;
        });
    }
}

void MultipleChoiceDrill::start()
{
    for (QuestionEntry &entry : entries_)
        entry.done = false;
    questionsLeft_ = questionCount();
    errors_ = 0;
    selectNext();
}

void MultipleChoiceDrill::selectNext()
{
    current_ = draw_.among(questionCount(), [this](int index) { return !entries_[index].done; });
    wrongOnce_ = false;
    marked_ = 1;
    slotAnswer_.fill(0);
    rightSlot_ = 0;
    const int count = slotCount();
    std::array<bool, 5> placed{};
    for (int slot = 1; slot <= count; ++slot) {
        const int answer = draw_.among(count, [&placed](int number) { return !placed[number]; });
        if (answer == 1)
            rightSlot_ = slot;
        slotAnswer_[slot - 1] = answer;
        placed[answer] = true;
    }
}

QString MultipleChoiceDrill::question() const
{
    return current_ ? entries_[current_].question : QString();
}

int MultipleChoiceDrill::slotCount() const
{
    return current_ ? std::clamp(entries_[current_].answerCount, 0, 4) : 0;
}

QString MultipleChoiceDrill::slotAnswer(int slot) const
{
    if (slot < 1 || slot > 4 || slotAnswer_[slot - 1] == 0)
        return {};
    return entries_[current_].answers[slotAnswer_[slot - 1] - 1];
}

void MultipleChoiceDrill::clickMark(int slot)
{
    marked_ = marked_ == slot ? 0 : slot;
}

MultipleChoiceDrill::Outcome MultipleChoiceDrill::confirm()
{
    Outcome outcome;
    if (current_ == 0)
        return outcome;
    if (marked_ != 0 && marked_ == rightSlot_) {
        outcome.verdict = Verdict::Right;
    } else if (!wrongOnce_ && slotCount() > 2) {
        wrongOnce_ = true;
        outcome.verdict = Verdict::TryAgain;
        return outcome;
    } else {
        outcome.verdict = Verdict::Wrong;
        outcome.rightAnswer = entries_[current_].answers[0];
        wrongOnce_ = false;
        ++errors_;
    }
    dealtWith();
    outcome.finished = current_ == 0;
    return outcome;
}

void MultipleChoiceDrill::dealtWith()
{
    --questionsLeft_;
    entries_[current_].done = true;
    if (questionsLeft_ > 0)
        selectNext();
    else
        current_ = 0; // the run is over: nothing more to confirm
}
