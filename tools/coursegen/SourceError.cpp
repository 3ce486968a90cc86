#include "SourceError.h"

namespace {

std::string located(const SourcePos &pos, const QString &message)
{
    // "file:line: message", the form editors and build logs turn into links.
    QString text = pos.file;
    if (pos.line > 0)
        text += QLatin1Char(':') + QString::number(pos.line);
    return (text + QStringLiteral(": ") + message).toStdString();
}

} // namespace

SourceError::SourceError(const SourcePos &pos, const QString &message)
    : std::runtime_error(located(pos, message))
{
}

SourceError::SourceError(const QString &message)
    : std::runtime_error(message.toStdString())
{
}
