#include "NewUserChecks.h"

#include "Progress.h"

#include "core/Cp1251.h"
#include "core/FileSystem.h"

namespace {

bool nameTaken(const UserRegistry &registry, const QString &name)
{
    for (const UserRecord &user : registry.Users) {
        if (user.Name() == name)
            return true;
    }
    return false;
}

bool fileTaken(const UserRegistry &registry, const QString &fileName)
{
    for (const UserRecord &user : registry.Users) {
        if (user.FileName() == fileName)
            return true;
    }
    return false;
}

// The first character the record's code page (cp1251) cannot hold, or a null character.
// Such a character would be stored as "?", and a password with one would never match.
QChar firstUnstorable(const QString &text)
{
    for (QChar c : text) {
        if (c != u'?' && toCp1251(QStringView(&c, 1)) == "?")
            return c;
    }
    return {};
}

} // namespace

QString checkNewUser(const UserRegistry &registry, const NewUserInput &input)
{
    const QString &name = input.name;
    if (nameTaken(registry, name))
        return QStringLiteral("Такое имя уже есть.");
    if (name.contains(u'.'))
        return QStringLiteral("Имя пользователя не может содержать точку.");
    if (name.contains(u'/'))
        return QStringLiteral("Имя пользователя не может содержать \"/\".");
    if (name.contains(u'\\'))
        return QStringLiteral("Имя пользователя не может содержать \"\\\".");
    if (name.contains(u':'))
        return QStringLiteral("Имя пользователя не может содержать \":\".");
    // A name of spaces only shows as nothing in every list, and makes a folder of blanks.
    if (name.trimmed().isEmpty())
        return QStringLiteral("Не введено имя пользователя");
    if (name.size() > UserRecord::MaxName)
        return QStringLiteral("Имя пользователя не может превышать 30 символов");
    if (const QChar c = firstUnstorable(name); !c.isNull())
        return QStringLiteral("Имя пользователя не может содержать знак «%1».").arg(c);
    if (input.password != input.passwordAgain)
        return QStringLiteral("Не подтвержден пароль");
    if (input.password.size() > UserRecord::MaxPassword)
        return QStringLiteral("Длина пароля не может превышать 10 символов");
    if (const QChar c = firstUnstorable(input.password); !c.isNull())
        return QStringLiteral("Пароль не может содержать знак «%1»: используйте русские или латинские буквы, цифры "
                              "и знаки препинания.")
            .arg(c);
    if (fileTaken(registry, input.fileName))
        return QStringLiteral("Этот файл используется другим пользователем");
    if (pathExists(input.fileName) && !hasProgressSignature(input.fileName))
        return QStringLiteral("Файл не является файлом отчета для данного приложения");
    return {};
}

bool nameFieldAccepts(QChar c)
{
    const char16_t code = c.unicode();
    return (code >= 31 && code <= 127) || code == 8;
}

QString filterNameText(const QString &text)
{
    QString kept;
    for (QChar c : text) {
        if (nameFieldAccepts(c) && c.unicode() != 8)
            kept += c;
    }
    return kept;
}
