#include "SourceText.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

QString readUtf8File(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw SourceError({path}, QStringLiteral("cannot read: ") + file.errorString());
    const QByteArray bytes = file.readAll();

    QStringDecoder decoder(QStringConverter::Utf8);
    QString text = decoder(bytes);
    if (decoder.hasError())
        throw SourceError({path}, QStringLiteral("not valid UTF-8; course sources are kept in UTF-8"));
    return text;
}

QStringList splitLines(const QString &text)
{
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines;
}

namespace {

QStringEncoder cp1251Encoder()
{
    QStringEncoder encoder("windows-1251");
    if (!encoder.isValid())
        throw SourceError(QStringLiteral("this Qt build has no windows-1251 encoder"));
    return encoder;
}

// Finds the character that made the encoding fail, to name it in the message.
QString describeUnencodable(const QString &text)
{
    int column = 1;
    for (qsizetype i = 0; i < text.size(); ++column) {
        const qsizetype width = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, width);
        QStringEncoder encoder = cp1251Encoder();
        // encode() converts lazily; only taking the bytes runs the conversion.
        const QByteArray bytes = encoder.encode(character);
        if (encoder.hasError()) {
            const QString code = QString::number(character.toUcs4().value(0), 16).toUpper();
            return QStringLiteral("character %1, U+%2 \"%3\", has no cp1251 code")
                .arg(column)
                .arg(code.rightJustified(4, QLatin1Char('0')), character);
        }
        i += width;
    }
    return QStringLiteral("text has no cp1251 encoding");
}

} // namespace

QByteArray encodeCp1251(const QString &text, const SourcePos &pos)
{
    QStringEncoder encoder = cp1251Encoder();
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        throw SourceError(pos, describeUnencodable(text));
    return bytes;
}

QByteArray toCourseText(const QStringList &lines, const QString &file)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        bytes += encodeCp1251(lines.at(i), {file, int(i + 1)});
        bytes += "\r\n";
    }
    return bytes;
}
