#pragma once

#include <QString>

class CheckContext;

// Parallel files: line i of one belongs to line i of the other. Reports a shorter file
// at the first line of the main file left without a partner, and a longer one at its
// first extra line. `what` names the partner's line in the genitive ("перевода").
void checkSameLength(CheckContext &context, const QString &mainFile, qsizetype mainLines, const QString &partnerFile,
                     qsizetype partnerLines, const QString &what);
