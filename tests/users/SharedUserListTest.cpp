#include "core/LocalProcess.h"
#include "support/ChildProcess.h"
#include "support/TempCourse.h"
#include "users/SharedUserList.h"
#include "users/UserList.h"

#include <QStringList>


#include <thread>

#include <gtest/gtest.h>

namespace {

UserRecord learner(const QString &name, QChar mode = u'A')
{
    UserRecord user;
    user.setName(name);
    user.setReg(mode);
    return user;
}

QList<UserRecord> learners(const QString &names)
{
    QList<UserRecord> list;
    for (const QString &name : names.split(u' ', Qt::SkipEmptyParts))
        list.append(learner(name));
    return list;
}

QString namesOf(const QList<UserRecord> &users)
{
    QStringList names;
    for (const UserRecord &user : users)
        names << user.Name() + (user.Reg() == u'A' ? QString() : QStringLiteral(":") + user.Reg());
    return names.join(u' ');
}

QString namesOnDisk(const TempCourse &course)
{
    QList<UserRecord> users;
    usersFromBytes(course.readBytes("Users.eng"), users);
    return namesOf(users);
}

TEST(SharedUserList, OnlyThisCopysChangesAreAppliedToTheListOnDisk)
{
    struct Case {
        const char *base, *mine, *theirs, *merged;
    };
    const Case cases[] = {
        {"Ann", "Ann Bob", "Ann Cid", "Ann Cid Bob"}, // both added one
        {"Ann Bob", "Bob", "Ann Bob Cid", "Bob Cid"}, // deleted here, added there
        {"Ann Bob", "Ann Bob", "Bob", "Bob"},         // deleted there, nothing here
        {"Ann", "Ann Bob", "Ann Bob", "Ann Bob"},     // the same name made at once: one learner
        {"Ann Bob", "Ann", "Ann", "Ann"},             // deleted in both
    };
    for (const Case &c : cases) {
        EXPECT_EQ(namesOf(mergeUserLists(learners(c.base), learners(c.mine), learners(c.theirs))), c.merged)
            << c.base << " / " << c.mine << " / " << c.theirs;
    }
    // A new mode given here replaces the record there; one given to a learner deleted there is dropped.
    QList<UserRecord> mine = learners("Ann Bob");
    mine[0].setReg(u'C');
    mine[1].setReg(u'B');
    EXPECT_EQ(namesOf(mergeUserLists(learners("Ann Bob"), mine, learners("Cid Ann"))), "Cid Ann:C");
}

TEST(SharedUserList, TwoCopiesCreatingLearnersAtOnceBothKeepTheirs)
{
    TempCourse course;
    constexpr int Each = 25;
    auto copy = [](const QString &prefix) {
        UserRegistry registry;
        loadUsers(registry);
        for (int i = 0; i < Each; ++i) {
            addUser(registry, prefix + QString::number(i), QString(), u'A', QString());
            saveUsers(registry);
        }
    };
    std::thread first(copy, QStringLiteral("first"));
    std::thread second(copy, QStringLiteral("second"));
    first.join();
    second.join();
    UserRegistry reader;
    loadUsers(reader);
    EXPECT_EQ(reader.Users.size(), 2 * Each) << namesOnDisk(course).toStdString();
    EXPECT_FALSE(QFile::exists("Users.eng.lock"));
}

TEST(SharedUserList, AStaleListLockOfAKilledCopyIsTakenOver)
{
    TempCourse course;
    // A copy killed while it held the list's lock.
    WaitingChild killed;
    course.writeBytes("Users.eng.lock", LocalProcess::hostName().toUtf8() + '\n' + QByteArray::number(killed.pid()) + "\n\n");
    killed.end();

    UserRegistry registry;
    loadUsers(registry);
    addUser(registry, QStringLiteral("Ann"), QString(), u'A', QString());
    ASSERT_NO_THROW(saveUsers(registry));
    EXPECT_EQ(namesOnDisk(course), "Ann");
    EXPECT_FALSE(QFile::exists("Users.eng.lock"));
}

TEST(SharedUserList, ACopySeesOthersChangesBeforeItShowsTheListAndKeepsItsLearner)
{
    TempCourse course;
    UserRegistry here;
    UserRegistry there;
    loadUsers(here);
    addUser(here, QStringLiteral("Ann"), QString(), u'A', QString());
    addUser(here, QStringLiteral("Bob"), QString(), u'A', QString());
    saveUsers(here);
    here.CurUser = 1; // Bob
    here.CurrentUserValid = true;

    loadUsers(there);
    deleteUser(there, 0);
    addUser(there, QStringLiteral("Cid"), QString(), u'A', QString());
    saveUsers(there);

    refreshUsers(here);
    EXPECT_EQ(namesOf(here.Users), "Bob Cid");
    EXPECT_EQ(here.CurUser, 0) << "Bob stays current";
    EXPECT_TRUE(here.CurrentUserValid);

    deleteUser(there, 0);
    saveUsers(there);
    refreshUsers(here);
    EXPECT_EQ(here.CurUser, -1) << "Bob was deleted by the other copy";
    EXPECT_FALSE(here.CurrentUserValid);
}

} // namespace
