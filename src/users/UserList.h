#pragma once

#include "UserRecord.h"

#include <QList>
#include <QString>

// The learners of this course folder, in the order of "Users.eng", and who is current.
struct UserRegistry {
    QList<UserRecord> Users;
    qint32 CurUser = -1; // -1: the anonymous user
    bool CurrentUserValid = false;

    // Index of the last user; -1 when there are none.
    qint32 LastUser() const { return qint32(Users.size()) - 1; }
    const UserRecord *current() const;
    UserRecord *current();
};

inline const QString UsersFileName = QStringLiteral("Users.eng");

// Reads "Users.eng" of the working directory; no file or an empty one means no users.
// Clears CurrentUserValid. A file whose size is not a whole number of records keeps the
// whole records and throws CourseError about the damaged tail afterwards; an unreadable
// file leaves the list empty and throws.
void loadUsers(UserRegistry &registry);

// Rewrites "Users.eng" with the records in order, in one step. Throws CourseError.
void saveUsers(const UserRegistry &registry);

// The progress file of a new user: the working folder, \Report\, the name, a backslash,
// the name again and .rep.
QString newUserFileName(const QString &workingFolder, const QString &name);

// The working folder as the records store it: the current directory.
QString workingFolder();

// Appends a new user record (zero bytes after its texts) and returns its index; Dir is the file
// name up to its last backslash. Clears CurrentUserValid. The progress file is not
// touched here (see createUserProgress).
int addUser(UserRegistry &registry, const QString &name, const QString &password, QChar mode, const QString &fileName);

// The progress file to open for a user. Stored paths are absolute and may come from
// another machine; when the stored one does not exist but Report\<name>\<name>.rep of the
// working directory does, that one is used.
QString userProgressFile(const UserRecord &user);

// The user's own folder under the working directory's Report folder, as a local path, or
// an empty string when the stored Dir (or its Report\<name>\ fallback) does not lie
// directly inside Report: such a user's files are never deleted.
QString confinedUserFolder(const UserRecord &user);

// Deletes user k: the plain files of the user's folder, its empty subfolders and the folder
// itself when empty (only inside Report; failures ignored), then the record. Keeps the
// same person current: CurUser follows a shift, and deleting the current user makes the
// anonymous user current and clears CurrentUserValid.
void deleteUser(UserRegistry &registry, int k);
