#pragma once

#include <QByteArrayView>
#include <QtGlobal>

#include <optional>

// Decimal integers of course files. Leading spaces and one sign are allowed (as the
// old runtime's conversion allowed them); anything else that is not a decimal digit,
// an empty text, hexadecimal forms and trailing characters are rejected.
std::optional<qint64> parseDecimal(QByteArrayView text);

// The conversions the loaders use; they throw CourseError with the offending text.
qint32 toInt32(QByteArrayView text);
quint8 toByte(QByteArrayView text); // 0 to 255
