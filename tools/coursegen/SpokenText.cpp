#include "SpokenText.h"

#include <QStringList>

SpokenText parseSpokenText(const QString &source, const SourcePos &pos)
{
    SpokenText text;
    qsizetype i = 0;
    while (i < source.size()) {
        const qsizetype open = source.indexOf(QLatin1Char('{'), i);
        const qsizetype stray = source.indexOf(QLatin1Char('}'), i);
        if (stray >= 0 && (open < 0 || stray < open))
            throw SourceError(pos, QStringLiteral("\"}\" without \"{\""));
        if (open < 0) {
            text.shown += source.mid(i);
            text.spoken += source.mid(i);
            break;
        }
        const qsizetype close = source.indexOf(QLatin1Char('}'), open);
        if (close < 0)
            throw SourceError(pos, QStringLiteral("\"{\" without \"}\""));
        const QString inside = source.mid(open + 1, close - open - 1);
        const QStringList parts = inside.split(QLatin1Char('|'));
        if (parts.size() != 2 || inside.contains(QLatin1Char('{')))
            throw SourceError(pos, QStringLiteral("\"{%1}\": write {shown|spoken}").arg(inside));
        text.shown += source.mid(i, open - i) + parts[0];
        text.spoken += source.mid(i, open - i) + parts[1];
        i = close + 1;
    }
    return text;
}

QStringList spokenPieces(const QString &spoken)
{
    QStringList pieces = spoken.split(QStringLiteral(" / "));
    for (QString &piece : pieces)
        piece = piece.trimmed();
    return pieces;
}
