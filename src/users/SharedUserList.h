#pragma once

#include "UserRecord.h"

#include <QList>

struct UserRegistry;

// "Users.eng" is shared by every copy of the program working in the course folder. A copy
// never writes back the list it read: it applies its own changes (learners it added,
// deleted or gave a new mode since it last read or wrote the file) to the file as it is
// now, under the list's short lock.

// How long the list's lock of another computer may stand before it is taken as a dead
// copy's: it is held only while the file is read and replaced.
inline constexpr qint64 UserListLockStaleSeconds = 30;
inline constexpr int UserListLockWaitMs = 10000;

// `theirs` with the changes that lead from `base` to `mine`: learners (known by name)
// missing from mine are deleted, records that differ from base replace theirs, new ones
// are appended unless theirs already has a learner of that name.
QList<UserRecord> mergeUserLists(const QList<UserRecord> &base, const QList<UserRecord> &mine,
                                 const QList<UserRecord> &theirs);

// Users := users, with the same learner current (the anonymous one, and CurrentUserValid
// cleared, when he is no longer in it).
void replaceUsers(UserRegistry &registry, const QList<UserRecord> &users);

// Takes in what other copies changed in "Users.eng" since this copy last read or wrote it;
// the same learner stays current (see replaceUsers). An unreadable file changes nothing.
void refreshUsers(UserRegistry &registry);
