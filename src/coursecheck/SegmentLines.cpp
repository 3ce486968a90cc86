#include "SegmentLines.h"

#include "CheckContext.h"

#include "core/CourseError.h"
#include "core/DecimalInt.h"

std::optional<SegmentSpan> parseSegmentLine(const QByteArray &line, QString &why)
{
    const qsizetype tab = line.indexOf('\t');
    if (tab < 0) {
        why = QStringLiteral("нет TAB между началом и концом");
        return std::nullopt;
    }
    try {
        return SegmentSpan{toInt32(QByteArrayView(line).first(tab)), toInt32(QByteArrayView(line).sliced(tab + 1))};
    } catch (const CourseError &error) {
        why = error.message();
        return std::nullopt;
    }
}

QString spanProblem(const SegmentSpan &span)
{
    if (span.startMs < 0 || span.endMs < 0)
        return QStringLiteral("отрицательное время");
    if (span.endMs < span.startMs)
        return QStringLiteral("конец (%1 мс) раньше начала (%2 мс)").arg(span.endMs).arg(span.startMs);
    return {};
}

bool BeyondSound::take(const SegmentSpan &span, int line)
{
    if (!soundMs_ || span.endMs <= *soundMs_)
        return false;
    if (count_++ == 0) {
        firstLine_ = line;
        firstEndMs_ = span.endMs;
    }
    return true;
}

void BeyondSound::report(CheckContext &context, const QString &file) const
{
    if (count_ == 0)
        return;
    QString message = QStringLiteral("конец %1 мс дальше конца звука %2 (%3 мс)").arg(firstEndMs_).arg(soundName_).arg(*soundMs_);
    if (count_ > 1)
        message += QStringLiteral("; всего таких строк: %1").arg(count_);
    context.report(file, firstLine_, message);
}

std::vector<std::optional<SegmentSpan>> checkSegmentLines(CheckContext &context, const QString &file,
                                                         const QList<QByteArray> &lines,
                                                         std::optional<qint32> soundMs, const QString &soundName)
{
    std::vector<std::optional<SegmentSpan>> spans;
    BeyondSound beyond(soundMs, soundName);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineNumber = int(i + 1);
        QString why;
        std::optional<SegmentSpan> span = parseSegmentLine(lines[i], why);
        if (!span) {
            context.report(file, lineNumber, QStringLiteral("строка не читается как «начало TAB конец»: %1").arg(why));
        } else if (const QString problem = spanProblem(*span); !problem.isEmpty()) {
            context.report(file, lineNumber, problem);
        } else {
            beyond.take(*span, lineNumber);
        }
        spans.push_back(span);
    }
    beyond.report(context, file);
    return spans;
}
