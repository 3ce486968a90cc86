#include "SharedUserList.h"

#include "UserList.h"

#include "core/CourseError.h"

namespace {

qsizetype indexOfName(const QList<UserRecord> &users, const QString &name)
{
    for (qsizetype i = 0; i < users.size(); ++i) {
        if (users[i].Name() == name)
            return i;
    }
    return -1;
}

} // namespace

QList<UserRecord> mergeUserLists(const QList<UserRecord> &base, const QList<UserRecord> &mine,
                                 const QList<UserRecord> &theirs)
{
    QList<UserRecord> merged = theirs;
    for (const UserRecord &old : base) {
        if (indexOfName(mine, old.Name()) < 0) {
            const qsizetype at = indexOfName(merged, old.Name());
            if (at >= 0)
                merged.removeAt(at);
        }
    }
    for (const UserRecord &user : mine) {
        const qsizetype before = indexOfName(base, user.Name());
        if (before >= 0 && base[before] == user)
            continue;
        const qsizetype at = indexOfName(merged, user.Name());
        if (at >= 0) {
            // Two copies that made a learner of the same name at once share him; a change
            // this copy made to its learner is kept.
            if (before >= 0)
                merged[at] = user;
        } else if (before < 0) {
            merged.append(user);
        }
    }
    return merged;
}

void refreshUsers(UserRegistry &registry)
{
    if (registry.ListUnread)
        return;
    QList<UserRecord> disk;
    try {
        usersFromBytes(usersFileBytes(), disk);
    } catch (const CourseError &) {
        return;
    }
    replaceUsers(registry, mergeUserLists(registry.Base, registry.Users, disk));
    registry.Base = disk;
}

void replaceUsers(UserRegistry &registry, const QList<UserRecord> &users)
{
    const UserRecord *current = registry.current();
    const QString currentName = current ? current->Name() : QString();
    registry.Users = users;
    if (registry.CurUser < 0)
        return;
    registry.CurUser = qint32(indexOfName(registry.Users, currentName));
    if (registry.CurUser < 0)
        registry.CurrentUserValid = false;
}
