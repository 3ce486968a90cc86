#include "LessonFiles.h"

#include "CourseName.h"
#include "InterpretingPause.h"
#include "SoundJoin.h"
#include "SourceText.h"

#include <algorithm>

namespace {

// Pauses of the text's sound: room to take in a syntagm, a longer breath between
// paragraphs, and a little silence at both ends.
constexpr int kTextLeadMs = 800;
constexpr int kSyntagmPauseMs = 450;
constexpr int kParagraphPauseMs = 1200;
constexpr int kTextTailMs = 1500;
// Pauses of the sounds of single items (expressions, questions, statements): each is
// played on its own, so the pauses only keep the items apart.
constexpr int kListLeadMs = 400;
constexpr int kItemPauseMs = 900;
constexpr int kListTailMs = 800;
// Questions, answers and statements longer than this are cut by the windows.
constexpr int kMaxItemText = 255;

// A course text file being written: cp1251 lines, each ended by CR LF; a character
// cp1251 lacks is reported at the source line it came from.
class CourseText {
public:
    void add(const QString &line, const SourcePos &pos)
    {
        bytes_ += encodeCp1251(line, pos) + "\r\n";
    }
    void add(const QByteArray &asciiLine) { bytes_ += asciiLine + "\r\n"; }
    QByteArray bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

QByteArray span(const SoundSpan &s)
{
    return QByteArray::number(s.startMs) + '\t' + QByteArray::number(s.endMs);
}

void checkItemLength(const QString &text, const SourcePos &pos)
{
    if (text.size() > kMaxItemText)
        throw SourceError(pos, QStringLiteral("longer than %1 characters; the window would cut it").arg(kMaxItemText));
}

// The sound of separate items and its segment file, one line per item.
template <typename Items, typename Spoken>
void addItemSound(LessonFiles &out, const QString &folder, const QString &sound, const QString &segments,
                  const Items &items, Spoken spokenOf, SpeechPace pace, SpeechCache &speech)
{
    std::vector<SoundStep> steps{{QString(), kListLeadMs}};
    for (const auto &item : items) {
        if (steps.size() > 1)
            steps.push_back({QString(), kItemPauseMs});
        steps.push_back({spokenOf(item), 0, pace});
    }
    steps.push_back({QString(), kListTailMs});
    const JoinedSound joined = joinSound(steps, speech);
    CourseText segmentFile;
    for (const SoundSpan &s : joined.spans)
        segmentFile.add(span(s));
    out.files[folder + sound] = joined.wav;
    out.files[folder + segments] = segmentFile.bytes();
}

// The sound of a text and its timing and picture list. `slow` gives every syntagm a pause
// after it in which the learner can say its translation (InterpretingPause.h).
struct TimedText {
    QByteArray wav;
    QByteArray timing;
    QByteArray pictures;
};

TimedText timedText(const LessonSource &lesson, bool slow, SpeechCache &speech)
{
    std::vector<SoundStep> steps{{QString(), kTextLeadMs}};
    bool breakBefore = false;
    const TextLine *previous = nullptr;
    // The pause after the syntagm before; in the slow recording at least as long as the
    // syntagm and as saying its translation takes.
    auto pauseAfterPrevious = [&](int baseMs) -> SoundStep {
        if (!slow)
            return {QString(), baseMs};
        // Each end of a span is rounded to whole milliseconds: a millisecond more keeps
        // the pause the timing file shows within the rule.
        return {QString(), std::max(baseMs, sayingTimeMs(previous->russian) + 1), SpeechPace::Natural, true};
    };
    for (const TextLine &line : lesson.text) {
        if (line.isMarkup()) {
            breakBefore = true;
            continue;
        }
        if (previous)
            steps.push_back(pauseAfterPrevious(breakBefore ? kParagraphPauseMs : kSyntagmPauseMs));
        steps.push_back({line.spoken, 0});
        previous = &line;
        breakBefore = false;
    }
    steps.push_back(pauseAfterPrevious(kTextTailMs));
    const JoinedSound joined = joinSound(steps, speech);
    if (slow)
        checkInterpretingPauses(lesson.text, joined);

    // Timing: one line per text line, "#" for the lines that are not spoken. The story
    // pictures each cover the syntagms from their first one up to the next picture:
    // a picture is shown while the current syntagm's end lies in (FromMs, ToMs].
    CourseText timing, pictures;
    size_t spoken = 0;
    qint32 previousEnd = 0;
    QString picture;
    SourcePos picturePos;
    qint32 pictureFrom = 0;
    auto closePicture = [&](qint32 to) {
        if (!picture.isEmpty())
            pictures.add(QStringLiteral("%1\t%2\t%3").arg(pictureFrom).arg(to).arg(picture), picturePos);
    };
    for (const TextLine &line : lesson.text) {
        if (line.isMarkup()) {
            timing.add(QByteArray("#"));
            continue;
        }
        const SoundSpan s = joined.spans[spoken++];
        if (!line.picture.isEmpty()) {
            closePicture(previousEnd);
            picture = line.picture;
            picturePos = line.pos;
            pictureFrom = previousEnd;
        }
        timing.add(span(s));
        previousEnd = s.endMs;
    }
    closePicture(joined.lengthMs);
    return {joined.wav, timing.bytes(), pictures.bytes()};
}

void addText(LessonFiles &out, const LessonSource &lesson, const QString &folder, SpeechCache &speech)
{
    CourseText english, russian, comments;
    for (size_t i = 0; i < lesson.text.size(); ++i) {
        const TextLine &line = lesson.text[i];
        english.add(line.english, line.pos);
        russian.add(line.russian, line.pos);
        // Comment lines: the line number in three digits, the text, and one more
        // character that the window drops.
        for (const QString &comment : line.comments)
            comments.add(QStringLiteral("%1%2 ").arg(i + 1, 3, 10, QLatin1Char('0')).arg(comment), line.pos);
        if (!line.markPicture().isEmpty())
            out.markPictures.push_back({line.pos, line.markPicture()});
        if (!line.isMarkup() && !line.picture.isEmpty())
            out.storyPictures.push_back({line.pos, coursePathOf(line.picture, line.pos)});
    }
    out.files[folder + QStringLiteral("text.txt")] = english.bytes();
    out.files[folder + QStringLiteral("textru.txt")] = russian.bytes();
    out.files[folder + QStringLiteral("text.apc")] = comments.bytes();

    const TimedText natural = timedText(lesson, false, speech);
    out.files[folder + QStringLiteral("text.wav")] = natural.wav;
    out.files[folder + QStringLiteral("textseg.txt")] = natural.timing;
    out.files[folder + QStringLiteral("textpic.txt")] = natural.pictures;
    // The interpreting exercises play the text with room to translate after each syntagm.
    const TimedText slow = timedText(lesson, true, speech);
    out.files[folder + QStringLiteral("textslow.wav")] = slow.wav;
    out.files[folder + QStringLiteral("textslowseg.txt")] = slow.timing;
    out.files[folder + QStringLiteral("textslowpic.txt")] = slow.pictures;
}

void addWords(LessonFiles &out, const LessonSource &lesson, const QString &folder, SpeechCache &speech)
{
    CourseText english, russian;
    for (const WordLine &word : lesson.words) {
        english.add(word.english, word.pos);
        russian.add(word.russian, word.pos);
    }
    out.files[folder + QStringLiteral("words.txt")] = english.bytes();
    out.files[folder + QStringLiteral("trans.txt")] = russian.bytes();
    addItemSound(out, folder, QStringLiteral("words.wav"), QStringLiteral("wordseg.txt"), lesson.words,
                 [](const WordLine &w) { return w.spoken; }, SpeechPace::Slow, speech);
}

void addQuestions(LessonFiles &out, const LessonSource &lesson, const QString &folder, SpeechCache &speech)
{
    CourseText questions, answers;
    for (size_t i = 0; i < lesson.questions.size(); ++i) {
        const QuestionSource &question = lesson.questions[i];
        checkItemLength(question.text, question.pos);
        questions.add(question.text, question.pos);
        // "#" opens the group of the next question; the rest of that line is not read.
        answers.add("#" + QByteArray::number(qulonglong(i + 1)));
        for (const QString &answer : question.answers) {
            checkItemLength(answer, question.pos);
            answers.add(answer, question.pos);
        }
    }
    out.files[folder + QStringLiteral("quest.txt")] = questions.bytes();
    out.files[folder + QStringLiteral("answers.txt")] = answers.bytes();
    addItemSound(out, folder, QStringLiteral("quest.wav"), QStringLiteral("questseg.txt"), lesson.questions,
                 [](const QuestionSource &q) { return q.spoken; }, SpeechPace::Natural, speech);
}

void addStatements(LessonFiles &out, const LessonSource &lesson, const QString &folder, SpeechCache &speech)
{
    CourseText statements;
    for (const StatementSource &statement : lesson.statements) {
        checkItemLength(statement.text, statement.pos);
        // The mark after the TAB: "0" for a true statement, "1" for a false one.
        statements.add(statement.text + (statement.isTrue ? QStringLiteral("\t0") : QStringLiteral("\t1")), statement.pos);
    }
    out.files[folder + QStringLiteral("truefalse.txt")] = statements.bytes();
    addItemSound(out, folder, QStringLiteral("truefalse.wav"), QStringLiteral("tfseg.txt"), lesson.statements,
                 [](const StatementSource &s) { return s.spoken; }, SpeechPace::Natural, speech);
}

} // namespace

LessonFiles makeLessonFiles(const LessonSource &lesson, SpeechCache &speech)
{
    LessonFiles out;
    const QString folder = lesson.name + QLatin1Char('/');
    addText(out, lesson, folder, speech);
    addWords(out, lesson, folder, speech);
    addQuestions(out, lesson, folder, speech);
    addStatements(out, lesson, folder, speech);
    return out;
}
