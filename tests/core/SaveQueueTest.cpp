#include "core/CourseError.h"
#include "core/SaveQueue.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <thread>

#include <gtest/gtest.h>

namespace {

TEST(SaveQueue, RunsSavesInTheirOrderOffTheCallingThreadAndWaitsForThemAll)
{
    SaveQueue queue;
    QStringList done;
    bool otherThread = true;
    const auto caller = std::this_thread::get_id();
    for (const QString file : {"a", "b", "c"}) {
        queue.queue(file, [&, file] {
            otherThread = otherThread && std::this_thread::get_id() != caller;
            std::this_thread::sleep_for(std::chrono::milliseconds(file == "a" ? 30 : 0));
            done << file;
        });
    }
    EXPECT_TRUE(queue.wait().isEmpty());
    EXPECT_EQ(done, (QStringList{"a", "b", "c"}));
    EXPECT_TRUE(otherThread);
}

TEST(SaveQueue, AFailureIsToldOnceOnTheEventLoopOrByWait)
{
    SaveQueue queue;
    QStringList told;
    QStringList saved;
    QStringList undone;
    QObject::connect(&queue, &SaveQueue::failed, [&](const QString &text) { told << text; });
    QObject::connect(&queue, &SaveQueue::saved, [&](const QString &file) { saved << file; });

    // WHEN a failure is taken by wait(), THEN the event loop does not tell it again
    // (each failed save is undone once, before its failure is told)
    queue.queue("a", [] { throw CourseError("disk full", "a"); }, [&] { undone << "a"; });
    const QStringList waited = queue.wait();
    EXPECT_EQ(undone, QStringList{"a"});
    ASSERT_EQ(waited.size(), 1);
    EXPECT_TRUE(waited[0].startsWith("disk full"));

    // WHEN nobody waits, THEN the event loop tells it
    queue.queue("b", [] { throw CourseError("read-only", "b"); }, [&] { undone << QString("b before told %1").arg(told.size()); });
    QElapsedTimer waitedMs;
    waitedMs.start();
    while (saved.size() < 2 && waitedMs.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(saved, (QStringList{"a", "b"}));
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].startsWith("read-only"));
    EXPECT_EQ(undone, (QStringList{"a", "b before told 0"}));
    EXPECT_TRUE(queue.wait().isEmpty());
}

// Work that is no save keeps the queue's order off the calling thread; its sequel runs
// back on the calling thread, and saved() does not tell it.
TEST(SaveQueue, OtherWorkRunsInTurnAndItsSequelOnTheCallingThread)
{
    SaveQueue queue;
    QStringList saved;
    QObject::connect(&queue, &SaveQueue::saved, [&](const QString &file) { saved << file; });
    const auto caller = std::this_thread::get_id();
    bool saveDone = false;
    bool workAfterSave = false;
    bool workOffCaller = false;
    bool sequelOnCaller = false;
    queue.queue("a", [&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        saveDone = true;
    });
    queue.queueWork(
        [&] {
            workAfterSave = saveDone;
            workOffCaller = std::this_thread::get_id() != caller;
        },
        [&] { sequelOnCaller = std::this_thread::get_id() == caller; });
    QElapsedTimer waited;
    waited.start();
    while (!sequelOnCaller && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_TRUE(workAfterSave);
    EXPECT_TRUE(workOffCaller);
    EXPECT_TRUE(sequelOnCaller);
    EXPECT_EQ(saved, QStringList{"a"});
}

} // namespace
