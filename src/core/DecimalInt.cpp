#include "DecimalInt.h"

#include "Cp1251.h"
#include "CourseError.h"

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

    // Accumulate as a negative number so that the lowest value fits; stop well before overflow.
    constexpr qint64 limit = std::numeric_limits<qint64>::min() / 10;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9' || value < limit)
            return std::nullopt;
        const qint64 next = value * 10 - (c - '0');
        if (next > value)
            return std::nullopt;
        value = next;
    }
    if (!negative) {
        if (value == std::numeric_limits<qint64>::min())
            return std::nullopt;
        value = -value;
    }
    return value;
}

namespace {

[[noreturn]] void notAnInteger(QByteArrayView text)
{
    throw CourseError(QStringLiteral("'%1' не является допустимым целым числом").arg(fromCp1251(text)));
}

} // namespace

qint32 toInt32(QByteArrayView text)
{
    const auto value = parseDecimal(text);
    if (!value)
        notAnInteger(text);
    if (*value < std::numeric_limits<qint32>::min() || *value > std::numeric_limits<qint32>::max())
        throw CourseError(QStringLiteral("Число %1 вне допустимого диапазона").arg(fromCp1251(text)));
    return qint32(*value);
}

quint8 toByte(QByteArrayView text)
{
    const auto value = parseDecimal(text);
    if (!value)
        notAnInteger(text);
    if (*value < 0 || *value > 255)
        throw CourseError(QStringLiteral("Число %1 вне диапазона от 0 до 255").arg(fromCp1251(text)));
    return quint8(*value);
}
