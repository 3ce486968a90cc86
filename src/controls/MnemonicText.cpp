#include "MnemonicText.h"

QString withoutMnemonic(const QString &caption)
{
    QString text;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 < caption.size() && caption[i + 1] == u'&')
                text += caption[++i];
            continue;
        }
        text += caption[i];
    }
    return text;
}
