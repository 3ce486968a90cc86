#pragma once

#include "UserRecord.h"

#include <QList>
#include <QString>

// The learners of this course folder, in the order of "Users.eng", and who is current.
struct UserRegistry {
    QList<UserRecord> Users;
    qint32 CurUser = -1; // -1: the anonymous user
    bool CurrentUserValid = false;
    // "Users.eng" exists but could not be read: it is never written, so no learner in it is lost.
    bool ListUnread = false;
    // The list as this copy last read or wrote "Users.eng": what differs from it in Users is
    // this copy's own change, which a save applies to the file as it is then.
    QList<UserRecord> Base;

    // Index of the last user; -1 when there are none.
    qint32 LastUser() const { return qint32(Users.size()) - 1; }
    const UserRecord *current() const;
    UserRecord *current();
};

inline const QString UsersFileName = QStringLiteral("Users.eng");
inline const QString DamagedUsersFileName = QStringLiteral("Users.eng.damaged");
inline constexpr qint64 MaxUsersFileBytes = 64 * 1024 * 1024;

// The whole records of a user list file; false when a damaged tail (a part of a record)
// followed them.
bool usersFromBytes(QByteArrayView bytes, QList<UserRecord> &users);

// Reads "Users.eng" of the working directory; no file or an empty one means no users.
// Clears CurrentUserValid. A file whose size is not a whole number of records keeps the
// whole records and throws CourseError about the damaged tail afterwards; an unreadable file (too big, not a file) leaves the list empty, sets
// ListUnread and throws.
void loadUsers(UserRegistry &registry);

// Applies this copy's changes (Users against Base) to "Users.eng" as it is now and replaces
// it in one step, under the list's lock; Users and Base become the list written, with the
// same learner current. Nothing when the list was not read; a file with a damaged tail is
// copied to "Users.eng.damaged" first. Throws CourseError.
void saveUsers(UserRegistry &registry);
// The writing part of saveUsers, for a save that runs apart from the registry: applies the
// changes from `base` to `users` to the file and returns the list written.
QList<UserRecord> writeUserChanges(const QList<UserRecord> &base, const QList<UserRecord> &users);

// The bytes of "Users.eng"; none when there is no such file. Throws CourseError.
QByteArray usersFileBytes();

// The progress file of a new user: the working folder, \Report\, the name, a backslash,
// the name again and .rep.
QString newUserFileName(const QString &workingFolder, const QString &name);

// The working folder as the records store it: the current directory.
QString workingFolder();

// Appends a new user record (zero bytes after its texts) and returns its index; Dir is the file
// name up to its last backslash. Clears CurrentUserValid. The progress file is not
// touched here (see createUserProgress).
int addUser(UserRegistry &registry, const QString &name, const QString &password, QChar mode, const QString &fileName);

// A name a learner's folder may be made of: not empty, no ".", "/", "\", ":" nor control characters.
bool isSafeUserName(const QString &name);

// The progress file to read and write for a user. The stored path is used when it lies
// inside the course folder's Report tree, through no link (see confinedPath). Otherwise (a copied course, a path
// from another machine, a folder name cp1251 could not hold) Report\<name>\<name>.rep of
// the course folder is used; when it does not exist yet, the stored file's content is
// copied there first. Empty when there is no such file to use (a name unfit for a folder,
// a copy that failed): nothing of the user may then be written.
QString userProgressFile(const UserRecord &user);

// The file userProgressFile would read, found without copying or writing anything: the
// stored path inside Report, else the local copy when there is one, else the stored path.
QString progressFileToRead(const UserRecord &user);

// The user's own folder under the working directory's Report folder, as a local path, or
// an empty string when the folder that would be used, the stored Dir or its
// Report\<name>\ fallback, names a way up (".."), does not lie directly inside Report or
// is (or lies in) a symbolic link: such a user's files are never deleted.
QString confinedUserFolder(const UserRecord &user);

// Deletes user k: the plain files of the user's folder, its empty subfolders and the folder
// itself when empty (only inside Report and never the folder of another user in the list;
// failures ignored), then the record. Keeps the
// same person current: CurUser follows a shift, and deleting the current user makes the
// anonymous user current and clears CurrentUserValid.
void deleteUser(UserRegistry &registry, int k);
