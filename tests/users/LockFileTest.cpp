#include "core/LocalProcess.h"
#include "core/SaveQueue.h"
#include "support/ChildProcess.h"
#include "support/TempCourse.h"
#include "users/LearnerLock.h"
#include "users/LockFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QThread>
#include <QCoreApplication>

#include <unistd.h>

#include <gtest/gtest.h>

namespace {

constexpr qint64 Stale = 600;

// A lock as another copy left it: its computer, its process, the time it wrote, and the
// file's own time `fileAgeSeconds` ago.
void writeLock(const TempCourse &course, const QString &host, qint64 pid, qint64 writtenAgoSeconds,
               qint64 fileAgeSeconds, const QByteArray &boot)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    course.writeBytes("x.lock", host.toUtf8() + '\n' + QByteArray::number(pid) + '\n' +
                                    now.addSecs(-writtenAgoSeconds).toString(Qt::ISODate).toLatin1() + '\n' + boot);
    QFile file("x.lock");
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(now.addSecs(-fileAgeSeconds), QFileDevice::FileModificationTime));
}

TEST(LockFile, IsHeldOnceAndFreedOnUnlock)
{
    TempCourse course;
    LockFile first("x.lock", Stale);
    LockFile second("x.lock", Stale);
    EXPECT_EQ(first.tryLock(), LockFile::Result::Taken);
    EXPECT_EQ(second.tryLock(), LockFile::Result::Held) << "this process still runs";
    ASSERT_TRUE(second.holder().has_value());
    EXPECT_EQ(second.holder()->host, LocalProcess::hostName());
    EXPECT_EQ(second.holder()->pid, qint64(::getpid()));
    first.unlock();
    EXPECT_EQ(second.tryLock(), LockFile::Result::Taken);
    EXPECT_EQ(QDir(".").entryList(QDir::Files | QDir::Hidden), QStringList{"x.lock"}) << "no temporary file is left";
    second.unlock();
    EXPECT_FALSE(QFile::exists("x.lock"));

    LockFile nowhere("missing/x.lock", Stale);
    EXPECT_EQ(nowhere.tryLock(), LockFile::Result::Impossible);
}

TEST(LockFile, StaleLocksAreTakenOverAndLiveOnesAreNot)
{
    const qint64 dead = endedProcess();
    struct Case {
        const char *what;
        QString host;
        qint64 pid;
        qint64 writtenAgo;
        qint64 fileAge;
        QByteArray boot;
        LockFile::Result result;
    };
    const Case cases[] = {
        {"a process of this computer that has ended", LocalProcess::hostName(), dead, 0, 0, "", LockFile::Result::Taken},
        {"a running process of this computer, however old", LocalProcess::hostName(), ::getpid(), 99999, 99999, "",
         LockFile::Result::Held},
        {"a process id of this computer from before a restart", LocalProcess::hostName(), ::getpid(), 0, 0,
         "another-boot\n", LockFile::Result::Taken},
        {"another computer's, not renewed for longer than the stated time", "elsewhere", 1, Stale + 60, Stale + 60,
         "", LockFile::Result::Taken},
        {"another computer's, recent", "elsewhere", 1, 10, 10, "", LockFile::Result::Held},
        {"another computer's, renewed in place (the file is new)", "elsewhere", 1, Stale + 60, 10, "",
         LockFile::Result::Held},
        {"another computer's, its time new though the file is old", "elsewhere", 1, 10, Stale + 60, "",
         LockFile::Result::Held},
    };
    for (const Case &c : cases) {
        TempCourse course;
        writeLock(course, c.host, c.pid, c.writtenAgo, c.fileAge, c.boot);
        LockFile lock("x.lock", Stale);
        EXPECT_EQ(lock.tryLock(), c.result) << c.what;
        if (c.result == LockFile::Result::Taken) {
            EXPECT_EQ(lock.holder()->pid, qint64(::getpid())) << c.what;
        }
    }
    // Not a lock that can be read: its file's time alone says whether it is stale.
    TempCourse course;
    course.writeBytes("x.lock", "");
    LockFile fresh("x.lock", Stale);
    EXPECT_EQ(fresh.tryLock(), LockFile::Result::Held);
}

TEST(LockFile, RenewingWritesANewTime)
{
    TempCourse course;
    LockFile lock("x.lock", Stale);
    ASSERT_EQ(lock.tryLock(), LockFile::Result::Taken);
    QFile file("x.lock");
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QDateTime old = QDateTime::currentDateTimeUtc().addSecs(-Stale - 60);
    ASSERT_TRUE(file.setFileTime(old, QFileDevice::FileModificationTime));
    file.close();
    lock.renew();
    EXPECT_GT(QFileInfo("x.lock").lastModified().toUTC(), old.addSecs(Stale));
    EXPECT_GT(lock.holder()->renewed, old.addSecs(Stale));

    // Taken over by another computer meanwhile: the renewal says so and leaves its lock.
    const QByteArray other = "elsewhere\n1\n\n";
    course.writeBytes("x.lock", other);
    EXPECT_FALSE(lock.renew());
    EXPECT_FALSE(lock.isLocked());
    lock.unlock();
    EXPECT_EQ(course.readBytes("x.lock"), other);
}

TEST(LearnerLock, AHeldLearnerIsRefusedAndTheCurrentOneKept)
{
    TempCourse course;
    QDir().mkpath("Report/Ann");
    QDir().mkpath("Report/Bob");
    const QString ann = QStringLiteral("Report\\Ann\\Ann.rep");
    const QString bob = QStringLiteral("Report\\Bob\\Bob.rep");
    LearnerLock thisCopy;
    LearnerLock otherCopy;
    ASSERT_EQ(otherCopy.prepare(bob), LearnerLock::Choice::Taken);
    otherCopy.commit();
    EXPECT_TRUE(QFile::exists("Report/Bob/Bob.rep.lock"));

    ASSERT_EQ(thisCopy.prepare(ann), LearnerLock::Choice::Taken);
    thisCopy.commit();
    EXPECT_EQ(thisCopy.prepare(bob), LearnerLock::Choice::HeldElsewhere);
    thisCopy.commit();
    EXPECT_EQ(thisCopy.heldFile(), QStringLiteral("Report/Ann/Ann.rep.lock")) << "Ann stays current";

    // The anonymous learner takes no lock, and Ann's is released then.
    ASSERT_EQ(thisCopy.prepare(QString()), LearnerLock::Choice::Taken);
    thisCopy.commit();
    EXPECT_EQ(thisCopy.heldFile(), QString());
    EXPECT_FALSE(QFile::exists("Report/Ann/Ann.rep.lock"));

    // Deleting a learner asks whether another process holds him: this copy's own does not.
    EXPECT_FALSE(LearnerLock::heldElsewhere(bob)) << "held by this very process";
    otherCopy.release();
    EXPECT_FALSE(QFile::exists("Report/Bob/Bob.rep.lock"));
    for (const qint64 pid : {qint64(1), endedProcess()}) {
        course.writeBytes("Report/Bob/Bob.rep.lock", LocalProcess::hostName().toUtf8() + '\n' + QByteArray::number(pid) + "\n\n");
        EXPECT_EQ(LearnerLock::heldElsewhere(bob), pid == 1) << pid;
    }
}

// The renewal runs on the save queue. A lock another copy took meanwhile is told on the
// interface thread, once, unless this copy has gone over to another learner since.
TEST(LearnerLock, ALockLostMeanwhileIsToldWhileItIsTheOneHeld)
{
    TempCourse course;
    QDir().mkpath("Report/Ann");
    QDir().mkpath("Report/Bob");
    const QString ann = QStringLiteral("Report\\Ann\\Ann.rep");
    SaveQueue queue;
    LearnerLock lock;
    ASSERT_EQ(lock.prepare(ann), LearnerLock::Choice::Taken);
    lock.commit();
    int lost = 0;
    const auto renew = [&] {
        lock.renewOn(queue, [&] {
            EXPECT_EQ(QThread::currentThread(), qApp->thread());
            ++lost;
        });
    };
    const QByteArray other = "elsewhere\n1\n\n";
    course.writeBytes("Report/Ann/Ann.rep.lock", other);
    renew();
    renew(); // while the first is on its way
    queue.wait();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(lost, 1);
    EXPECT_EQ(lock.heldFile(), QString());
    EXPECT_EQ(course.readBytes("Report/Ann/Ann.rep.lock"), other);

    // Taken again once the other copy has ended, lost again, but Bob chosen before the answer.
    QFile::remove("Report/Ann/Ann.rep.lock");
    ASSERT_EQ(lock.prepare(ann), LearnerLock::Choice::Taken);
    lock.commit();
    ASSERT_EQ(lock.heldFile(), QStringLiteral("Report/Ann/Ann.rep.lock"));
    course.writeBytes("Report/Ann/Ann.rep.lock", other);
    renew();
    queue.wait();
    ASSERT_EQ(lock.prepare(QStringLiteral("Report\\Bob\\Bob.rep")), LearnerLock::Choice::Taken);
    lock.commit();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(lost, 1);
    EXPECT_EQ(lock.heldFile(), QStringLiteral("Report/Bob/Bob.rep.lock"));
}

} // namespace
