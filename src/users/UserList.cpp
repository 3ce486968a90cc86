#include "UserList.h"

#include "core/CourseError.h"
#include "core/CoursePath.h"
#include "core/FileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

const UserRecord *UserRegistry::current() const
{
    return (CurUser >= 0 && CurUser < Users.size()) ? &Users[CurUser] : nullptr;
}

UserRecord *UserRegistry::current()
{
    return (CurUser >= 0 && CurUser < Users.size()) ? &Users[CurUser] : nullptr;
}

void loadUsers(UserRegistry &registry)
{
    registry.Users.clear();
    registry.CurrentUserValid = false;
    if (!pathExists(UsersFileName))
        return;
    const QByteArray bytes = readFileBytes(UsersFileName);
    const qsizetype whole = bytes.size() / UserRecord::Size;
    registry.Users.reserve(whole);
    for (qsizetype i = 0; i < whole; ++i)
        registry.Users.append(UserRecord(bytes.mid(i * UserRecord::Size, UserRecord::Size)));
    if (bytes.size() % UserRecord::Size != 0) {
        throw CourseError(QStringLiteral("Файл поврежден: после %1 записей осталось %2 лишних байт")
                              .arg(whole)
                              .arg(bytes.size() % UserRecord::Size),
                          UsersFileName);
    }
}

void saveUsers(const UserRegistry &registry)
{
    QByteArray bytes;
    bytes.reserve(registry.Users.size() * UserRecord::Size);
    for (const UserRecord &user : registry.Users)
        bytes += user.bytes();
    replaceFileAtomically(UsersFileName, bytes);
}

QString workingFolder()
{
    return QDir::currentPath();
}

QString newUserFileName(const QString &folder, const QString &name)
{
    return folder + QStringLiteral("\\Report\\") + name + u'\\' + name + QStringLiteral(".rep");
}

int addUser(UserRegistry &registry, const QString &name, const QString &password, QChar mode, const QString &fileName)
{
    // Every field is filled in below; starting from zero bytes (rather than the anonymous
    // record's longer name) keeps the bytes after each text zero.
    UserRecord user;
    user.setName(name);
    user.setPassword(password);
    user.setFileName(fileName);
    const QString stored = user.FileName();
    user.setDir(stored.left(stored.lastIndexOf(u'\\') + 1));
    user.setReg(mode);
    registry.Users.append(user);
    registry.CurrentUserValid = false;
    return registry.LastUser();
}

namespace {

QString reportFallback(const UserRecord &user, const QString &tail)
{
    return QStringLiteral("Report\\") + user.Name() + u'\\' + tail;
}

} // namespace

QString userProgressFile(const UserRecord &user)
{
    const QString stored = user.FileName();
    if (pathExists(stored))
        return stored;
    const QString local = reportFallback(user, user.Name() + QStringLiteral(".rep"));
    return (!user.Name().isEmpty() && pathExists(local)) ? local : stored;
}

QString confinedUserFolder(const UserRecord &user)
{
    QString dir = user.Dir();
    if (dir.isEmpty() || dir.contains(QStringLiteral("..")))
        return {};
    if (!pathExists(dir) && !user.Name().isEmpty())
        dir = reportFallback(user, QString());
    const QFileInfo folder(localPath(dir));
    const QFileInfo report(QDir::current().filePath(QStringLiteral("Report")));
    if (!folder.isDir() || !report.isDir())
        return {};
    const QString folderPath = folder.canonicalFilePath();
    const QString reportPath = report.canonicalFilePath();
    if (folderPath.isEmpty() || QFileInfo(folderPath).path() != reportPath)
        return {};
    return folderPath;
}

namespace {

void deleteUserFiles(const UserRecord &user)
{
    const QString folder = confinedUserFolder(user);
    if (folder.isEmpty())
        return;
    QDir dir(folder);
    for (const QString &file : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        dir.remove(file);
    for (const QString &sub : dir.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot))
        dir.rmdir(sub);
    QDir().rmdir(folder);
}

} // namespace

void deleteUser(UserRegistry &registry, int k)
{
    if (k < 0 || k > registry.LastUser())
        return;
    deleteUserFiles(registry.Users[k]);
    registry.Users.removeAt(k);
    if (k == registry.CurUser) {
        registry.CurUser = -1;
        registry.CurrentUserValid = false;
    } else if (k < registry.CurUser) {
        --registry.CurUser;
    }
}
