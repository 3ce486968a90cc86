#include "TextWorkReadError.h"

#include "ui/DlgMessage.h"

void reportTextWorkReadError()
{
    ShowMessageBox(QStringLiteral("Повреждены звуковые файлы"), QStringLiteral("Ошибка чтения файла"), 16);
}
