#include "LessonSource.h"

#include "CourseName.h"
#include "SourceText.h"
#include "SpokenText.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The comment file numbers lines in three digits.
constexpr int kMaxTextLines = 999;

struct SourceLine {
    SourcePos pos;
    QStringList columns;
};

// The non-blank lines of a source file, split at TABs.
std::vector<SourceLine> readSourceLines(const QString &path)
{
    std::vector<SourceLine> lines;
    const QStringList texts = splitLines(readUtf8File(path));
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (!texts.at(i).trimmed().isEmpty())
            lines.push_back({{path, int(i + 1)}, texts.at(i).split(QLatin1Char('\t'))});
    }
    return lines;
}

// The English text and what the synthesiser says for it. Quotation marks have no sound
// and only confuse the synthesiser's reading of the sentence; everything else must be
// plain ASCII, which is all the voice knows.
SpokenText english(const QString &source, const SourcePos &pos)
{
    if (source.trimmed().isEmpty())
        throw SourceError(pos, QStringLiteral("empty English text"));
    if (source != source.trimmed())
        throw SourceError(pos, QStringLiteral("English text begins or ends with a space"));
    SpokenText text = parseSpokenText(source, pos);
    text.spoken.remove(QLatin1Char('"'));
    for (const QChar c : text.spoken) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            throw SourceError(pos, QStringLiteral("the spoken text must be plain ASCII; give a spoken form in braces"));
    }
    for (const QString &piece : spokenPieces(text.spoken)) {
        if (piece.isEmpty())
            throw SourceError(pos, QStringLiteral("nothing to say before or after \" / \""));
    }
    return text;
}

QString russian(const QString &text, const SourcePos &pos)
{
    if (text.trimmed().isEmpty())
        throw SourceError(pos, QStringLiteral("empty Russian text"));
    if (text != text.trimmed())
        throw SourceError(pos, QStringLiteral("Russian text begins or ends with a space"));
    return text;
}

void checkMarkupPair(const TextLine &line)
{
    const QString &en = line.english;
    const QString &ru = line.russian;
    // The translation keeps its separators at the same line numbers, and a picture is
    // shown in both texts.
    const bool same = (en == QLatin1String("#")) == (ru == QLatin1String("#"))
                      && en.startsWith(QLatin1String("#@")) == ru.startsWith(QLatin1String("#@"))
                      && (!en.startsWith(QLatin1String("#@")) || en == ru);
    if (!ru.startsWith(QLatin1Char('#')) || !same)
        throw SourceError(line.pos, QStringLiteral("the Russian column must be the same kind of \"#\" line"));
    if (en.startsWith(QLatin1String("#@")) && !isPortableFileName(en.mid(2)))
        throw SourceError(line.pos, QStringLiteral("\"#@\" needs a picture name"));
}

std::vector<TextLine> readText(const QString &path)
{
    std::vector<TextLine> text;
    QString picture;
    for (const SourceLine &source : readSourceLines(path)) {
        const QStringList &c = source.columns;
        if (c[0] == QLatin1String("!picture")) {
            if (c.size() != 2 || c[1].isEmpty())
                throw SourceError(source.pos, QStringLiteral("write \"!picture\", a TAB and the picture's name"));
            if (!picture.isEmpty())
                throw SourceError(source.pos, QStringLiteral("two pictures for the same line"));
            picture = c[1];
            continue;
        }
        TextLine line;
        line.pos = source.pos;
        if (c[0].startsWith(QLatin1Char('#'))) {
            if (c.size() > 2)
                throw SourceError(source.pos, QStringLiteral("a \"#\" line has at most two columns"));
            line.english = c[0];
            line.russian = c.value(1, c[0]);
            checkMarkupPair(line);
        } else {
            if (c.size() < 2)
                throw SourceError(source.pos, QStringLiteral("a syntagm line needs English, a TAB and Russian"));
            // A wrapped line that began with "@" would be taken for a picture line.
            if (c[0].startsWith(QLatin1Char('@')))
                throw SourceError(source.pos, QStringLiteral("a syntagm must not begin with \"@\""));
            const SpokenText en = english(c[0], source.pos);
            line.english = en.shown;
            line.spoken = en.spoken;
            line.russian = russian(c[1], source.pos);
            if (line.russian.startsWith(QLatin1Char('#')) || line.russian.startsWith(QLatin1Char('@')))
                throw SourceError(source.pos, QStringLiteral("the Russian syntagm must not begin with \"#\" or \"@\""));
            for (qsizetype i = 2; i < c.size(); ++i)
                line.comments << russian(c[i], source.pos);
            line.picture = picture;
            picture.clear();
        }
        text.push_back(line);
    }

    if (text.empty())
        throw SourceError({path}, QStringLiteral("no text"));
    // The listening windows start at line 2 and take line 1 for the heading.
    const TextLine &first = text.front();
    if (!first.isMarkup() || first.english.size() < 2 || first.english.startsWith(QLatin1String("#@")))
        throw SourceError(first.pos, QStringLiteral("line 1 must be the heading: \"#\" and its text"));
    if (text.size() < 2 || text[1].isMarkup())
        throw SourceError(text.size() < 2 ? first.pos : text[1].pos, QStringLiteral("line 2 must be the first syntagm"));
    if (text[1].picture.isEmpty())
        throw SourceError(text[1].pos, QStringLiteral("the first syntagm needs a \"!picture\" line before it"));
    if (!picture.isEmpty())
        throw SourceError({path}, QStringLiteral("\"!picture\" after the last syntagm"));
    if (text.size() > kMaxTextLines)
        throw SourceError({path}, QStringLiteral("more than %1 lines").arg(kMaxTextLines));
    return text;
}

std::vector<WordLine> readWords(const QString &path)
{
    std::vector<WordLine> words;
    for (const SourceLine &source : readSourceLines(path)) {
        if (source.columns.size() != 2)
            throw SourceError(source.pos, QStringLiteral("a vocabulary line is English, a TAB and Russian"));
        const SpokenText en = english(source.columns[0], source.pos);
        words.push_back({source.pos, en.shown, en.spoken, russian(source.columns[1], source.pos)});
    }
    if (words.empty())
        throw SourceError({path}, QStringLiteral("no vocabulary"));
    return words;
}

std::vector<QuestionSource> readQuestions(const QString &path)
{
    std::vector<QuestionSource> questions;
    for (const SourceLine &source : readSourceLines(path)) {
        const QString line = source.columns.join(QLatin1Char('\t'));
        const QChar kind = line.at(0);
        const QString rest = line.mid(1).trimmed();
        if (kind == QLatin1Char('?')) {
            const SpokenText en = english(rest, source.pos);
            questions.push_back({source.pos, en.shown, en.spoken, {}});
            continue;
        }
        if (kind != QLatin1Char('+') && kind != QLatin1Char('-'))
            throw SourceError(source.pos, QStringLiteral("a line begins with \"?\" (question), \"+\" (right answer) "
                                                         "or \"-\" (wrong answer)"));
        if (questions.empty())
            throw SourceError(source.pos, QStringLiteral("an answer before the first question"));
        QuestionSource &question = questions.back();
        // The answer file gives the right answer first in its group.
        if ((kind == QLatin1Char('+')) != question.answers.isEmpty())
            throw SourceError(source.pos, QStringLiteral("each question has one right answer (\"+\"), before the wrong ones"));
        question.answers << english(rest, source.pos).shown;
        if (question.answers.size() > 4)
            throw SourceError(source.pos, QStringLiteral("more than four answers"));
    }
    if (questions.empty())
        throw SourceError({path}, QStringLiteral("no questions"));
    for (const QuestionSource &question : questions) {
        if (question.answers.size() < 2)
            throw SourceError(question.pos, QStringLiteral("a question needs two to four answers"));
    }
    return questions;
}

std::vector<StatementSource> readStatements(const QString &path)
{
    std::vector<StatementSource> statements;
    for (const SourceLine &source : readSourceLines(path)) {
        const QStringList &c = source.columns;
        if (c.size() != 2 || (c[1] != QLatin1String("true") && c[1] != QLatin1String("false")))
            throw SourceError(source.pos, QStringLiteral("a statement line is English, a TAB and true or false"));
        const SpokenText en = english(c[0], source.pos);
        statements.push_back({source.pos, en.shown, en.spoken, c[1] == QLatin1String("true")});
    }
    if (statements.empty())
        throw SourceError({path}, QStringLiteral("no statements"));
    // The results window lists at most 49 statements.
    if (statements.size() > 49)
        throw SourceError({path}, QStringLiteral("more than 49 statements"));
    return statements;
}

} // namespace

QString TextLine::markPicture() const
{
    return english.startsWith(QLatin1String("#@")) ? english.mid(2) : QString();
}

std::vector<SpeechRequest> LessonSource::spokenTexts() const
{
    std::vector<SpeechRequest> texts;
    auto add = [&texts](const QString &spoken, SpeechPace pace) {
        for (const QString &piece : spokenPieces(spoken))
            texts.push_back({piece, pace});
    };
    for (const TextLine &line : text) {
        if (!line.isMarkup())
            add(line.spoken, SpeechPace::Natural);
    }
    // The learner repeats the expressions after the voice, one at a time.
    for (const WordLine &word : words)
        add(word.spoken, SpeechPace::Slow);
    for (const QuestionSource &question : questions)
        add(question.spoken, SpeechPace::Natural);
    for (const StatementSource &statement : statements)
        add(statement.spoken, SpeechPace::Natural);
    return texts;
}

LessonSource readLessonSource(const QString &folder)
{
    const QDir dir(folder);
    LessonSource lesson;
    lesson.name = dir.dirName();
    if (!isPortableFileName(lesson.name) || lesson.name.contains(QLatin1Char(' ')))
        throw SourceError({folder}, QStringLiteral("a lesson folder's name must be ASCII without spaces"));
    lesson.text = readText(dir.filePath(QStringLiteral("text.tsv")));
    lesson.words = readWords(dir.filePath(QStringLiteral("words.tsv")));
    lesson.questions = readQuestions(dir.filePath(QStringLiteral("questions.txt")));
    lesson.statements = readStatements(dir.filePath(QStringLiteral("truefalse.tsv")));
    return lesson;
}
