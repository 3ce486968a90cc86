#include "LineCounts.h"

#include "CheckContext.h"

void checkSameLength(CheckContext &context, const QString &mainFile, qsizetype mainLines, const QString &partnerFile,
                     qsizetype partnerLines, const QString &what)
{
    if (partnerLines < mainLines) {
        context.report(mainFile, int(partnerLines + 1),
                       QStringLiteral("нет %1 для этой строки: в %2 строк %3, а здесь %4")
                           .arg(what, partnerFile).arg(partnerLines).arg(mainLines));
    } else if (partnerLines > mainLines) {
        context.report(partnerFile, int(mainLines + 1),
                       QStringLiteral("лишняя строка: в %1 строк только %2").arg(mainFile).arg(mainLines));
    }
}
