#include "ProgramOutput.h"

void print(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

void printProblem(const QString &text)
{
    print(stderr, QStringLiteral("vestoria: ") + QString(text).replace(u'\r', u' ') + u'\n');
}
