#include "TimingImport.h"

#include "LessonText.h"

#include "core/CourseError.h"
#include "core/FileSystem.h"
#include "core/LineReader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

const QByteArray Utf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");

QByteArrayView withoutBom(const QByteArray &bytes)
{
    return bytes.startsWith(Utf8Bom) ? QByteArrayView(bytes).sliced(Utf8Bom.size()) : QByteArrayView(bytes);
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Decimal seconds ("12.5", "3,250000" as Audacity writes under a locale with a decimal
// comma) to milliseconds, rounded; empty for anything else or beyond the timing's range.
std::optional<qint32> secondsToMs(QByteArrayView text)
{
    text = text.trimmed();
    qsizetype i = 0;
    double whole = 0;
    while (i < text.size() && isDigit(text[i]))
        whole = whole * 10 + (text[i++] - '0');
    const qsizetype wholeDigits = i;
    double fraction = 0, scale = 1;
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        for (++i; i < text.size() && isDigit(text[i]); ++i) {
            scale /= 10;
            fraction += (text[i] - '0') * scale;
        }
    }
    if (i != text.size() || (wholeDigits == 0 && scale == 1))
        return std::nullopt;
    const double ms = std::round((whole + fraction) * 1000);
    if (ms > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(ms);
}

// A cue time: [hours:]minutes:seconds with a decimal fraction after "," (SubRip) or ".".
std::optional<qint32> cueTimeToMs(QByteArrayView text)
{
    const QList<QByteArray> parts = text.trimmed().toByteArray().split(':');
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    qint64 minutes = 0;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        if (parts[i].isEmpty() || parts[i].size() > 6 || !std::all_of(parts[i].begin(), parts[i].end(), isDigit))
            return std::nullopt;
        const qint64 value = parts[i].toLongLong();
        if (i > 0 && value >= 60)
            return std::nullopt; // minutes after hours
        minutes = minutes * 60 + value;
    }
    const double ms = minutes * 60000.0;
    const std::optional<qint32> seconds = secondsToMs(parts.last());
    if (!seconds || *seconds >= 60000 || ms + *seconds > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(ms + *seconds);
}

Segment checkedSpan(std::optional<qint32> start, std::optional<qint32> end, const QString &form)
{
    if (!start || !end)
        throw CourseError(QStringLiteral("строка не читается как %1").arg(form));
    if (*end < *start)
        throw CourseError(QStringLiteral("конец (%1 мс) раньше начала (%2 мс)").arg(*end).arg(*start));
    return {*start, *end};
}

// Audacity's label track: one label a line; a line that begins with "\" carries the
// frequency range of the label above it.
std::optional<Segment> audacityLabel(QByteArrayView line)
{
    if (line.trimmed().isEmpty() || line.startsWith('\\'))
        return std::nullopt;
    const QList<QByteArray> fields = line.toByteArray().split('\t');
    return checkedSpan(secondsToMs(fields.value(0)), fields.size() >= 2 ? secondsToMs(fields[1]) : std::nullopt,
                       QStringLiteral("«начало TAB конец TAB метка» в секундах"));
}

// SubRip and WebVTT: the cues' timing lines "start --> end", anything after the end (a
// WebVTT cue's settings) left aside; numbers, texts, headers and notes are not timings.
std::optional<Segment> cueTiming(QByteArrayView line)
{
    const qsizetype arrow = line.indexOf("-->");
    if (arrow < 0)
        return std::nullopt;
    QByteArrayView after = line.sliced(arrow + 3).trimmed();
    for (qsizetype i = 0; i < after.size(); ++i) {
        if (after[i] == ' ' || after[i] == '\t') {
            after = after.first(i);
            break;
        }
    }
    return checkedSpan(cueTimeToMs(line.first(arrow)), cueTimeToMs(after), QStringLiteral("«начало --> конец»"));
}

// The spans of a file of one timing a line, in file order; a line `spanOf` cannot read is
// reported at its number.
std::vector<Segment> spansByLine(QByteArrayView bytes, const QString &name,
                                 std::optional<Segment> (*spanOf)(QByteArrayView line))
{
    std::vector<Segment> spans;
    int lineNumber = 0;
    for (LineReader lines(bytes); !lines.atEnd();) {
        const QByteArrayView line = lines.next();
        ++lineNumber;
        try {
            if (const std::optional<Segment> span = spanOf(line))
                spans.push_back(*span);
        } catch (const CourseError &error) {
            throw error.at(name, lineNumber);
        }
    }
    return spans;
}

int lineOfOffset(QByteArrayView bytes, qsizetype offset)
{
    return int(bytes.first(std::clamp<qsizetype>(offset, 0, bytes.size())).count('\n')) + 1;
}

std::optional<qint32> jsonSeconds(const QJsonValue &value)
{
    if (value.isString())
        return secondsToMs(value.toString().toLatin1());
    if (value.isDouble() && value.toDouble() >= 0 && value.toDouble() * 1000 <= std::numeric_limits<qint32>::max())
        return qint32(std::lround(value.toDouble() * 1000));
    return std::nullopt;
}

// aeneas's sync map: {"fragments": [{"begin": "0.000", "end": "1.640", "id": ...}, ...]};
// the head and tail fragments it may add around the text are not lines of it.
std::vector<Segment> aeneasFragments(QByteArrayView bytes, const QString &name)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError)
        throw CourseError(QStringLiteral("JSON не читается: %1").arg(error.errorString()), name, lineOfOffset(bytes, error.offset));
    const QJsonValue fragments = document.object().value(QStringLiteral("fragments"));
    if (!fragments.isArray())
        throw CourseError(QStringLiteral("нет списка «fragments» карты синхронизации aeneas"), name);
    std::vector<Segment> spans;
    int number = 0;
    for (const QJsonValue &value : fragments.toArray()) {
        ++number;
        const QJsonObject fragment = value.toObject();
        const QString id = fragment.value(QStringLiteral("id")).toString();
        if (id == QStringLiteral("HEAD") || id == QStringLiteral("TAIL"))
            continue;
        try {
            spans.push_back(checkedSpan(jsonSeconds(fragment.value(QStringLiteral("begin"))),
                                        jsonSeconds(fragment.value(QStringLiteral("end"))),
                                        QStringLiteral("фрагмент с «begin» и «end» в секундах")));
        } catch (const CourseError &e) {
            throw CourseError(QStringLiteral("фрагмент %1: %2").arg(number).arg(e.message()), name);
        }
    }
    return spans;
}

} // namespace

ForeignTimingFormat detectTimingFormat(const QByteArray &bytes)
{
    const QByteArrayView text = withoutBom(bytes).trimmed();
    if (text.startsWith('{'))
        return ForeignTimingFormat::AeneasJson;
    if (text.startsWith("WEBVTT"))
        return ForeignTimingFormat::WebVtt;
    if (text.contains("-->"))
        return ForeignTimingFormat::SubRip;
    return ForeignTimingFormat::AudacityLabels;
}

std::vector<Segment> parseForeignTimings(const QByteArray &bytes, const QString &name)
{
    // A byte order mark is not on a line of its own: it is dropped, the line numbers stay.
    const QByteArrayView text = withoutBom(bytes);
    switch (detectTimingFormat(bytes)) {
    case ForeignTimingFormat::AeneasJson:
        return aeneasFragments(text, name);
    case ForeignTimingFormat::WebVtt:
    case ForeignTimingFormat::SubRip:
        return spansByLine(text, name, cueTiming);
    case ForeignTimingFormat::AudacityLabels:
        break;
    }
    return spansByLine(text, name, audacityLabel);
}

QByteArray importTimingFile(const QString &timingsName, const QString &textName)
{
    const std::vector<Segment> spans = parseForeignTimings(readFileBytes(timingsName), timingsName);
    const LessonText text = readLessonText(textName);
    const size_t spoken = text.spokenLines().size();
    if (spans.size() != spoken) {
        throw CourseError(QStringLiteral("в файле %1 %2, а в тексте %3 %4").arg(timingsName)
                              .arg(russianCount(qint64(spans.size()), QStringLiteral("отрезок"), QStringLiteral("отрезка"),
                                                QStringLiteral("отрезков")))
                              .arg(textName)
                              .arg(russianCount(qint64(spoken), QStringLiteral("фраза"), QStringLiteral("фразы"),
                                                QStringLiteral("фраз"))),
                          timingsName);
    }
    return timingFileBytes(text, spans);
}
