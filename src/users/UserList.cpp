#include "UserList.h"

#include "LockFile.h"
#include "Progress.h"
#include "SharedUserList.h"

#include "core/ConfinedPath.h"
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

bool usersFromBytes(QByteArrayView bytes, QList<UserRecord> &users)
{
    const qsizetype whole = bytes.size() / UserRecord::Size;
    users.clear();
    users.reserve(whole);
    for (qsizetype i = 0; i < whole; ++i)
        users.append(UserRecord(bytes.sliced(i * UserRecord::Size, UserRecord::Size).toByteArray()));
    return bytes.size() % UserRecord::Size == 0;
}

void loadUsers(UserRegistry &registry)
{
    registry.Users.clear();
    registry.CurrentUserValid = false;
    registry.ListUnread = false;
    registry.Base.clear();
    if (!pathExists(UsersFileName))
        return;
    QByteArray bytes;
    try {
        bytes = readFileBytes(UsersFileName, MaxUsersFileBytes);
    } catch (const CourseError &error) {
        registry.ListUnread = true;
        throw CourseError(error.message() + QStringLiteral(
                                                ".\rСписок пользователей не прочитан и при выходе не будет записан: "
                                                "файл останется как есть."),
                          UsersFileName);
    }
    const bool whole = usersFromBytes(bytes, registry.Users);
    registry.Base = registry.Users;
    if (whole)
        return;
    const qsizetype tail = bytes.size() % UserRecord::Size;
    const bool oneByte = tail % 10 == 1 && tail % 100 != 11;
    throw CourseError(QStringLiteral("Файл поврежден: после %1 %2 %3. Целые записи прочитаны; копия файла "
                                     "будет сохранена как «%4».")
                          .arg(russianCount(registry.Users.size(), QStringLiteral("записи"), QStringLiteral("записей"),
                                            QStringLiteral("записей")),
                               oneByte ? QStringLiteral("остался") : QStringLiteral("осталось"),
                               russianCount(tail, QStringLiteral("лишний байт"), QStringLiteral("лишних байта"),
                                            QStringLiteral("лишних байт")),
                               DamagedUsersFileName),
                      UsersFileName);
}

QByteArray usersFileBytes()
{
    return pathExists(UsersFileName) ? readFileBytes(UsersFileName, MaxUsersFileBytes) : QByteArray();
}

QList<UserRecord> writeUserChanges(const QList<UserRecord> &base, const QList<UserRecord> &users)
{
    // A folder that cannot hold the lock cannot take the list either: the write says why.
    LockFile lock(UsersFileName + QStringLiteral(".lock"), UserListLockStaleSeconds);
    if (lock.lockWithin(UserListLockWaitMs) == LockFile::Result::Held)
        throw CourseError(QStringLiteral("Список учеников занят другой копией программы; изменение не сохранено"),
                          UsersFileName);
    QList<UserRecord> disk;
    const QByteArray onDisk = usersFileBytes();
    if (!usersFromBytes(onDisk, disk))
        replaceFileAtomically(DamagedUsersFileName, onDisk);
    const QList<UserRecord> merged = mergeUserLists(base, users, disk);
    QByteArray bytes;
    bytes.reserve(merged.size() * UserRecord::Size);
    for (const UserRecord &user : merged)
        bytes += user.bytes();
    replaceFileAtomically(UsersFileName, bytes);
    return merged;
}

void saveUsers(UserRegistry &registry)
{
    if (registry.ListUnread)
        return;
    const QList<UserRecord> merged = writeUserChanges(registry.Base, registry.Users);
    replaceUsers(registry, merged);
    registry.Base = merged;
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

bool isSafeUserName(const QString &name)
{
    if (name.isEmpty())
        return false;
    for (QChar c : name) {
        if (c == u'.' || c == u'/' || c == u'\\' || c == u':' || c.unicode() < 32)
            return false;
    }
    return true;
}

namespace {

QString reportFallback(const UserRecord &user, const QString &tail)
{
    return QStringLiteral("Report\\") + user.Name() + u'\\' + tail;
}

// Report\<name>\<name>.rep of this course folder; empty when the name is unfit for a folder
// or the path would lead out of Report.
QString localProgressFile(const UserRecord &user)
{
    if (!isSafeUserName(user.Name()))
        return {};
    const QString local = reportFallback(user, user.Name() + QStringLiteral(".rep"));
    return insideReportFolder(local) ? local : QString();
}

} // namespace

QString userProgressFile(const UserRecord &user)
{
    const QString stored = user.FileName();
    if (insideReportFolder(stored))
        return stored;
    const QString local = localProgressFile(user);
    if (local.isEmpty())
        return {};
    if (pathExists(local) || !fileExists(stored))
        return local;
    // The learner's file of the course this one was copied from: its marks come along, and
    // from now on only the copy is written.
    try {
        const QByteArray bytes = readFileBytes(stored, MaxProgressFileBytes);
        createFolders(reportFallback(user, QString()));
        replaceFileAtomically(local, bytes);
    } catch (const CourseError &) {
        return {};
    }
    return local;
}

QString progressFileToRead(const UserRecord &user)
{
    const QString stored = user.FileName();
    if (insideReportFolder(stored))
        return stored;
    const QString local = localProgressFile(user);
    return !local.isEmpty() && fileExists(local) ? local : stored;
}

QString confinedUserFolder(const UserRecord &user)
{
    QString dir = user.Dir();
    if (dir.isEmpty())
        return {};
    if (!pathExists(dir)) {
        if (!isSafeUserName(user.Name()))
            return {};
        dir = reportFallback(user, QString());
    }
    if (dir.contains(QStringLiteral("..")))
        return {};
    // Neither Report nor the learner's folder may be a link: the deletion would follow it.
    QString folder;
    try {
        folder = confinedPath(dir, ConfinedKind::Folder);
    } catch (const CourseError &) {
        return {};
    }
    if (!QFileInfo(folder).isDir() || QFileInfo(folder).path() != reportFolderPath())
        return {};
    return folder;
}

namespace {

void deleteUserFiles(const UserRegistry &registry, int k)
{
    const QString folder = confinedUserFolder(registry.Users[k]);
    if (folder.isEmpty())
        return;
    for (int other = 0; other < registry.Users.size(); ++other) {
        if (other != k && confinedUserFolder(registry.Users[other]) == folder)
            return;
    }
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
    deleteUserFiles(registry, k);
    registry.Users.removeAt(k);
    if (k == registry.CurUser) {
        registry.CurUser = -1;
        registry.CurrentUserValid = false;
    } else if (k < registry.CurUser) {
        --registry.CurUser;
    }
}
