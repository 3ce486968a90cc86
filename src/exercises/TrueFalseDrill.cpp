#include "TrueFalseDrill.h"

#include "QuestionSegments.h"

#include "core/FileSystem.h"

#include <algorithm>

namespace {

QString yesNo(bool yes)
{
    return yes ? QStringLiteral("Да") : QStringLiteral("Нет");
}

} // namespace

TrueFalseDrill::TrueFalseDrill(quint32 seed) : entries_(1), draw_(seed) {}

TrueFalseDrill::TrueFalseDrill(QList<StatementEntry> entries, quint32 seed)
    : entries_(std::move(entries)), draw_(seed)
{
    if (entries_.isEmpty())
        entries_.resize(1);
}

void TrueFalseDrill::load(const QString &statementFile, const QString &secondFile, const QString &segmentFile)
{
    readStatementFile(statementFile, entries_);
    // Its content is not used, but a lesson without it is damaged.
    readFileBytes(secondFile);
    if (!segmentFile.isEmpty()) {
        readQuestionSegments(segmentFile, statementCount(), [this](int item, Segment segment) {
            entries_[item].start = segment.startMs;
            entries_[item].end = segment.endMs;
        });
    }
}

void TrueFalseDrill::start()
{
    for (StatementEntry &entry : entries_) {
        entry.done = false;
        entry.answeredRight = false;
    }
    current_ = 0;
    statementsLeft_ = statementCount();
    errors_ = 0;
    selectNext();
}

void TrueFalseDrill::selectNext()
{
    current_ = draw_.among(statementCount(), [this](int index) { return !entries_[index].done; });
}

QString TrueFalseDrill::statement() const
{
    return current_ ? entries_[current_].statement : QString();
}

std::optional<TrueFalseDrill::Outcome> TrueFalseDrill::answer(bool yes)
{
    if (current_ == 0)
        return std::nullopt;
    StatementEntry &entry = entries_[current_];
    Outcome outcome;
    outcome.right = yes == entry.isTrue;
    entry.answeredRight = outcome.right;
    entry.done = true;
    if (!outcome.right)
        ++errors_;
    --statementsLeft_;
    if (statementsLeft_ > 0)
        selectNext();
    else
        current_ = 0; // the run is over: nothing more to answer
    outcome.finished = current_ == 0;
    return outcome;
}

QList<TrueFalseResultRow> TrueFalseDrill::results() const
{
    QList<TrueFalseResultRow> rows;
    const int count = std::min(statementCount(), MaxResultRows);
    for (int index = 1; index <= count; ++index) {
        const StatementEntry &entry = entries_[index];
        rows.append({entry.statement, yesNo(entry.isTrue), yesNo(entry.answeredRight)});
    }
    return rows;
}
