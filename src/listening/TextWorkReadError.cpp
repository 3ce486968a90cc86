#include "TextWorkReadError.h"

#include "ui/MessageWindow.h"

void reportTextWorkReadError()
{
    showMessageBox(QStringLiteral("Повреждены звуковые файлы"), QStringLiteral("Ошибка чтения файла"), 16);
}
