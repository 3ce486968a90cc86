#include "UserRecord.h"

#include "core/Cp1251.h"
#include "core/RecordField.h"

namespace {

constexpr int NameOffset = 0;
constexpr int RegOffset = 31;
constexpr int PasswordOffset = 32;
constexpr int DirOffset = 43;
constexpr int FileNameOffset = 299;

} // namespace

UserRecord::UserRecord() : bytes_(Size, '\0') {}

UserRecord::UserRecord(const QByteArray &bytes) : bytes_(bytes.size() == Size ? bytes : QByteArray(Size, '\0')) {}

QString UserRecord::Name() const
{
    return fromCp1251(readShortString(bytes_, NameOffset, MaxName));
}

void UserRecord::setName(const QString &name)
{
    writeShortString(bytes_, NameOffset, MaxName, toCp1251(name));
}

QChar UserRecord::Reg() const
{
    return fromCp1251(QByteArrayView(bytes_).sliced(RegOffset, 1)).at(0);
}

void UserRecord::setReg(QChar mode)
{
    bytes_[RegOffset] = toCp1251(QString(mode)).at(0);
}

QString UserRecord::Password() const
{
    return fromCp1251(readShortString(bytes_, PasswordOffset, MaxPassword));
}

void UserRecord::setPassword(const QString &password)
{
    writeShortString(bytes_, PasswordOffset, MaxPassword, toCp1251(password));
}

QString UserRecord::Dir() const
{
    return fromCp1251(readShortString(bytes_, DirOffset, MaxPath));
}

void UserRecord::setDir(const QString &dir)
{
    writeShortString(bytes_, DirOffset, MaxPath, toCp1251(dir));
}

QString UserRecord::FileName() const
{
    return fromCp1251(readShortString(bytes_, FileNameOffset, MaxPath));
}

void UserRecord::setFileName(const QString &fileName)
{
    writeShortString(bytes_, FileNameOffset, MaxPath, toCp1251(fileName));
}

const UserRecord &AnonymousUser()
{
    static const UserRecord anonymous = [] {
        UserRecord user;
        user.setName(QStringLiteral("Анонимный пользователь"));
        user.setReg(u'D');
        return user;
    }();
    return anonymous;
}

QString userListLine(const UserRecord &user)
{
    return (user.Name() + QStringLiteral(" - Режим ") + user.Reg()).left(40);
}
