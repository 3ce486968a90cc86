#include "QuestionCheck.h"

#include "LineCounts.h"
#include "SegmentLines.h"

namespace {

// The windows cut questions, answers and statements to this many characters.
constexpr qsizetype kMaxItemText = 255;
// Rows of the true/false results table.
constexpr qsizetype kMaxStatements = 49;
constexpr int kMaxAnswers = 4;

QString tooLong()
{
    return QStringLiteral("длиннее %1 символов: окно покажет только начало").arg(kMaxItemText);
}

struct AnswerGroup {
    int line = 0; // its "#" line
    int answers = 0;
};

std::vector<AnswerGroup> checkAnswers(CheckContext &context, const QString &file, const QList<QByteArray> &lines)
{
    std::vector<AnswerGroup> groups;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray &line = lines[i];
        const int lineNumber = int(i + 1);
        if (line.startsWith('#')) {
            groups.push_back({lineNumber, 0});
            continue;
        }
        if (line.isEmpty()) {
            context.report(file, lineNumber, QStringLiteral("пустая строка: окно не дочитает файл ответов"));
            continue;
        }
        if (groups.empty()) {
            context.report(file, lineNumber, QStringLiteral("ответ до первой строки «#» не относится ни к одному вопросу"));
            continue;
        }
        if (++groups.back().answers == kMaxAnswers + 1) {
            context.report(file, lineNumber,
                           QStringLiteral("пятый ответ в группе: больше %1 ответов окно не читает").arg(kMaxAnswers));
        }
        if (line.size() > kMaxItemText)
            context.report(file, lineNumber, tooLong());
    }
    return groups;
}

void checkSegments(CheckContext &context, const NamedAt &at, const QString &itemsFile, qsizetype items,
                   const QString &segmentsFile, const QString &sound)
{
    const QList<QByteArray> *segments = context.lines(segmentsFile, at, QStringLiteral("Файл отрезков"));
    if (!segments)
        return;
    std::optional<qint32> soundMs;
    if (!sound.isEmpty())
        soundMs = context.soundMs(sound, at, QStringLiteral("Звук"));
    checkSegmentLines(context, segmentsFile, *segments, soundMs, sound);
    if (items >= 0)
        checkSameLength(context, itemsFile, items, segmentsFile, segments->size(), QStringLiteral("отрезка звука"));
}

} // namespace

void checkQuestionFiles(CheckContext &context, const NamedAt &at, const QuestionFiles &files)
{
    const QList<QByteArray> *questions = context.lines(files.questions, at, QStringLiteral("Файл вопросов"));
    if (questions) {
        if (questions->isEmpty())
            context.report(files.questions, 0, QStringLiteral("файл вопросов пуст: упражнению нечего спросить"));
        for (qsizetype i = 0; i < questions->size(); ++i) {
            if (questions->at(i).trimmed().isEmpty())
                context.report(files.questions, int(i + 1), QStringLiteral("пустой вопрос"));
            else if (questions->at(i).size() > kMaxItemText)
                context.report(files.questions, int(i + 1), tooLong());
        }
    }

    if (!files.answers.isEmpty()) {
        if (const QList<QByteArray> *answers = context.lines(files.answers, at, QStringLiteral("Файл ответов"))) {
            const std::vector<AnswerGroup> groups = checkAnswers(context, files.answers, *answers);
            for (const AnswerGroup &group : groups) {
                if (group.answers < 2)
                    context.report(files.answers, group.line, QStringLiteral("в группе меньше двух ответов"));
            }
            if (questions) {
                const qsizetype n = questions->size();
                if (qsizetype(groups.size()) < n) {
                    context.report(files.questions, int(groups.size() + 1),
                                   QStringLiteral("у вопроса нет группы ответов: в %1 групп «#» только %2")
                                       .arg(files.answers).arg(groups.size()));
                } else if (qsizetype(groups.size()) > n) {
                    context.report(files.answers, groups[size_t(n)].line,
                                   QStringLiteral("группа ответов без вопроса: в %1 вопросов только %2")
                                       .arg(files.questions).arg(n));
                }
            }
        }
    }

    if (!files.segments.isEmpty())
        checkSegments(context, at, files.questions, questions ? questions->size() : -1, files.segments, files.sound);
}

void checkStatementFiles(CheckContext &context, const NamedAt &at, const StatementFiles &files)
{
    const QList<QByteArray> *statements = context.lines(files.statements, at, QStringLiteral("Файл утверждений"));
    if (statements) {
        if (statements->isEmpty())
            context.report(files.statements, 0, QStringLiteral("файл утверждений пуст: упражнению нечего спросить"));
        for (qsizetype i = 0; i < statements->size(); ++i) {
            const QByteArray &line = statements->at(i);
            const int lineNumber = int(i + 1);
            const qsizetype tab = line.indexOf('\t');
            if (tab < 0) {
                context.report(files.statements, lineNumber,
                               QStringLiteral("нет TAB и отметки после утверждения (0 — верно, 1 — неверно)"));
                continue;
            }
            if (line.first(tab).trimmed().isEmpty())
                context.report(files.statements, lineNumber, QStringLiteral("пустое утверждение"));
            else if (tab > kMaxItemText)
                context.report(files.statements, lineNumber, tooLong());
            // Only "0" marks a true statement; any other mark, a "T" too, a false one.
            const char mark = tab + 1 < line.size() ? line[tab + 1] : '\0';
            if (mark != '0' && mark != '1') {
                context.report(files.statements, lineNumber,
                               QStringLiteral("отметка после TAB должна быть 0 (верно) или 1 (неверно)"));
            }
            if (lineNumber == kMaxStatements + 1) {
                context.report(files.statements, lineNumber,
                               QStringLiteral("таблица результатов показывает только первые %1 утверждений")
                                   .arg(kMaxStatements));
            }
        }
    }
    // The window opens the second file and fails when it cannot.
    context.lines(files.second, at, QStringLiteral("Второй файл"));
    checkSegments(context, at, files.statements, statements ? statements->size() : -1, files.segments, files.sound);
}
