#include "TextWorkReadError.h"

#include "ui/MessageWindow.h"

void reportTextWorkReadError(const QString &problem)
{
    showMessageBox(QStringLiteral("Повреждены звуковые файлы\r") + problem, QStringLiteral("Ошибка чтения файла"), 16);
}
