#include "ListeningCheck.h"

#include "BordersInSpeech.h"

#include "LineCounts.h"
#include "SegmentLines.h"

#include "core/CourseError.h"
#include "core/Cp1251.h"
#include "core/DecimalInt.h"
#include "core/FileSystem.h"

namespace {

bool isMarkup(const QByteArray &line)
{
    return line.startsWith('#');
}

void checkText(CheckContext &context, const ListeningFiles &files, const QList<QByteArray> &text)
{
    if (text.size() < 2) {
        context.report(files.text, 0, QStringLiteral("в тексте меньше двух строк: окна прослушивания начинают со строки 2"));
        return;
    }
    // The listening window starts at line 2 and writes line 1 of the learner's cue file as a
    // separator, so line 1 is the heading.
    if (!isMarkup(text[0]))
        context.report(files.text, 1, QStringLiteral("строка 1 должна быть заголовком, «#» и текст: окна начинают со строки 2"));
}

void checkTranslation(CheckContext &context, const ListeningFiles &files, const QList<QByteArray> &text,
                      const QList<QByteArray> &translation)
{
    checkSameLength(context, files.text, text.size(), files.translation, translation.size(), QStringLiteral("перевода"));
    for (qsizetype i = 0; i < qMin(text.size(), translation.size()); ++i) {
        if (isMarkup(text[i]) != isMarkup(translation[i])) {
            context.report(files.translation, int(i + 1),
                           isMarkup(text[i]) ? QStringLiteral("в тексте здесь строка «#», а в переводе нет")
                                             : QStringLiteral("строка «#» там, где в тексте фраза"));
        }
    }
}

void checkTiming(CheckContext &context, const ListeningFiles &files, const QList<QByteArray> *text,
                 const QList<QByteArray> &timing, std::optional<qint32> soundMs)
{
    const qsizetype n = text ? text->size() : timing.size();
    if (timing.size() > n) {
        context.report(files.timing, int(n + 1),
                       QStringLiteral("строк тайминга больше, чем строк текста (%1): окно не загрузит тайминг").arg(n));
    }
    qint32 previousEnd = 0;
    BeyondSound beyond(soundMs, files.sound);
    std::vector<TimedLine> timed;
    for (qsizetype i = 0; i < qMin(n, timing.size()); ++i) {
        const QByteArray &line = timing[i];
        const int lineNumber = int(i + 1);
        const bool separator = text && isMarkup(text->at(i));
        if (isMarkup(line)) {
            if (text && !separator)
                context.report(files.timing, lineNumber, QStringLiteral("у фразы нет времени: строка «#»"));
            continue;
        }
        QString why;
        const std::optional<SegmentSpan> span = parseSegmentLine(line, why);
        if (!span) {
            context.report(files.timing, lineNumber,
                           QStringLiteral("строка не читается как «начало TAB конец»: %1; окно не дочитает тайминг").arg(why));
            continue;
        }
        if (separator) {
            context.report(files.timing, lineNumber, QStringLiteral("строка текста начинается с «#»: здесь нужна строка «#»"));
            continue;
        }
        if (const QString problem = spanProblem(*span); !problem.isEmpty()) {
            context.report(files.timing, lineNumber, problem);
        } else if (beyond.take(*span, lineNumber)) {
            // counted, reported once below
        } else if (span->endMs == 0) {
            context.report(files.timing, lineNumber, QStringLiteral("конец 0: окно примет фразу за разделитель"));
        } else if (span->startMs < previousEnd) {
            // The highlight moves on when the sound passes a line's end, so the lines must run forward.
            context.report(files.timing, lineNumber,
                           QStringLiteral("фраза начинается (%1 мс) раньше конца предыдущей (%2 мс)")
                               .arg(span->startMs).arg(previousEnd));
        } else {
            timed.push_back({lineNumber, *span});
        }
        previousEnd = qMax(previousEnd, span->endMs);
    }
    beyond.report(context, files.timing);
    if (soundMs)
        checkBordersInSpeech(context, files.timing, files.sound, timed);
    if (text && timing.size() < n) {
        for (qsizetype i = timing.size(); i < n; ++i) {
            if (!isMarkup(text->at(i))) {
                context.report(files.text, int(i + 1),
                               QStringLiteral("у этой и следующих строк нет времени: в %1 строк только %2")
                                   .arg(files.timing).arg(timing.size()));
                break;
            }
        }
    }
}

void checkPictureList(CheckContext &context, const ListeningFiles &files, const QList<QByteArray> &pictures)
{
    if (pictures.isEmpty() || isMarkup(pictures[0])) {
        // The windows show picture entry 1 as soon as they open.
        context.report(files.pictures, pictures.isEmpty() ? 0 : 1,
                       QStringLiteral("первая строка должна задавать рисунок: окно показывает его при открытии"));
    }
    for (qsizetype i = 0; i < pictures.size(); ++i) {
        const QByteArray &line = pictures[i];
        const int lineNumber = int(i + 1);
        if (isMarkup(line))
            continue;
        const qsizetype first = line.indexOf('\t');
        const qsizetype second = first < 0 ? -1 : line.indexOf('\t', first + 1);
        if (second < 0) {
            context.report(files.pictures, lineNumber,
                           QStringLiteral("строка должна быть «от TAB до TAB рисунок»: не хватает TAB"));
            continue;
        }
        try {
            const qint32 from = toInt32(QByteArrayView(line).first(first));
            const qint32 to = toInt32(QByteArrayView(line).sliced(first + 1, second - first - 1));
            if (to < from)
                context.report(files.pictures, lineNumber, QStringLiteral("конец (%1 мс) раньше начала (%2 мс)").arg(to).arg(from));
        } catch (const CourseError &error) {
            context.report(files.pictures, lineNumber, QStringLiteral("строка не читается: %1").arg(error.message()));
            continue;
        }
        const QString picture = files.pictureFolder + fromCp1251(QByteArrayView(line).sliced(second + 1));
        QString why;
        if (!context.pictureLoads(picture, why))
            context.report(files.pictures, lineNumber, QStringLiteral("рисунок %1 не загружается: %2").arg(picture, why));
    }
}

// A comment line: the line number in its first three characters, the text from the fourth
// up to the last character but one.
void checkComments(CheckContext &context, const QString &file, const QList<QByteArray> &comments, qsizetype textLines)
{
    // Zero bytes are in no text: a picture or a sound saved under the comment file's name
    // would otherwise give a problem for each of its "lines".
    for (qsizetype i = 0; i < comments.size(); ++i) {
        if (comments[i].contains('\0')) {
            context.report(file, int(i + 1), QStringLiteral("файл комментариев не текстовый: в нем двоичные данные"));
            return;
        }
    }
    for (qsizetype i = 0; i < comments.size(); ++i) {
        const QByteArray &line = comments[i];
        const int lineNumber = int(i + 1);
        if (line.size() < 5) {
            context.report(file, lineNumber, QStringLiteral("строка комментария короче пяти символов: номер из трёх цифр, "
                                                            "текст и последний символ, который не показывается"));
            continue;
        }
        const std::optional<qint64> number = parseDecimal(QByteArrayView(line).first(3));
        if (!number) {
            context.report(file, lineNumber, QStringLiteral("первые три символа должны быть номером строки текста, например 007"));
        } else if (*number < 1 || *number > textLines) {
            context.report(file, lineNumber,
                           QStringLiteral("комментарий к строке %1, а в тексте строк %2").arg(*number).arg(textLines));
        }
    }
}

// "#@" items load a picture from the working folder under their name, and its variants
// under "r" and "g" + name (the text windows give the text controls no picture folder).
void checkMarkPictures(CheckContext &context, const QString &file, const QList<QByteArray> &lines)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!lines[i].startsWith("#@"))
            continue;
        const QString name = fromCp1251(QByteArrayView(lines[i]).sliced(2));
        for (const QString &variant : {name, u'r' + name, u'g' + name}) {
            QString why;
            if (!context.pictureLoads(variant, why))
                context.report(file, int(i + 1), QStringLiteral("рисунок %1 не загружается: %2").arg(variant, why));
        }
    }
}

QString commentFileOf(const QString &textFile)
{
    return textFile.left(textFile.size() - 3) + QStringLiteral("apc");
}

} // namespace

void checkListeningFiles(CheckContext &context, const NamedAt &at, const ListeningFiles &files)
{
    // A file the catalogue names but that is missing has been reported; its name is empty here.
    const QList<QByteArray> *text = context.lines(files.text, at, QStringLiteral("Текст"));
    const QList<QByteArray> *translation =
        files.translation.isEmpty() ? nullptr : context.lines(files.translation, at, QStringLiteral("Перевод"));
    std::optional<qint32> soundMs;
    if (!files.sound.isEmpty())
        soundMs = context.soundMs(files.sound, at, QStringLiteral("Звук текста"));
    if (text) {
        checkText(context, files, *text);
        checkMarkPictures(context, files.text, *text);
    }
    if (translation)
        checkMarkPictures(context, files.translation, *translation);
    if (text && translation)
        checkTranslation(context, files, *text, *translation);
    if (!files.timing.isEmpty()) {
        if (const QList<QByteArray> *timing = context.lines(files.timing, at, QStringLiteral("Тайминг")))
            checkTiming(context, files, text, *timing, soundMs);
    }
    if (!files.pictures.isEmpty()) {
        if (const QList<QByteArray> *pictures = context.lines(files.pictures, at, QStringLiteral("Список рисунков")))
            checkPictureList(context, files, *pictures);
    }

    // The comment file is optional: the window reads it only when it exists.
    const QString comments = commentFileOf(files.text);
    if (text && pathExists(comments)) {
        if (const QList<QByteArray> *lines = context.lines(comments, at, QStringLiteral("Комментарии")))
            checkComments(context, comments, *lines, text->size());
    }
}
