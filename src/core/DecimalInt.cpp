#include "DecimalInt.h"

#include "CourseError.h"
#include "Cp1251.h"

#include <limits>

std::optional<qint64> parseDecimal(QByteArrayView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;

    // Accumulate as a negative number so that the lowest value fits.
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        if (__builtin_mul_overflow(value, 10, &value) || __builtin_sub_overflow(value, c - '0', &value))
            return std::nullopt;
    }
    if (!negative) {
        if (value == std::numeric_limits<qint64>::min())
            return std::nullopt;
        value = -value;
    }
    return value;
}

namespace {

// At most 80 characters of the text are quoted: a damaged file may hold one line of megabytes.
QString quoted(QByteArrayView text)
{
    constexpr qsizetype Shown = 80;
    return text.size() > Shown ? fromCp1251(text.first(Shown)) + u'…' : fromCp1251(text);
}

[[noreturn]] void notAnInteger(QByteArrayView text)
{
    throw CourseError(QStringLiteral("'%1' не является допустимым целым числом").arg(quoted(text)));
}

} // namespace

qint32 toInt32(QByteArrayView text)
{
    const auto value = parseDecimal(text);
    if (!value)
        notAnInteger(text);
    if (*value < std::numeric_limits<qint32>::min() || *value > std::numeric_limits<qint32>::max())
        throw CourseError(QStringLiteral("Число %1 вне допустимого диапазона").arg(quoted(text)));
    return qint32(*value);
}

quint8 toByte(QByteArrayView text)
{
    const auto value = parseDecimal(text);
    if (!value)
        notAnInteger(text);
    if (*value < 0 || *value > 255)
        throw CourseError(QStringLiteral("Число %1 вне диапазона от 0 до 255").arg(quoted(text)));
    return quint8(*value);
}
