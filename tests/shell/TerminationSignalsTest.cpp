#include "shell/TerminationSignals.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <csignal>

#include <gtest/gtest.h>

namespace {

TEST(TerminationSignals, EachSignalArrivesOnTheEventLoop)
{
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
        TerminationSignals termination;
        int requests = 0;
        QObject::connect(&termination, &TerminationSignals::terminationRequested, [&] { ++requests; });
        ASSERT_EQ(std::raise(signal), 0);
        EXPECT_EQ(requests, 0) << "nothing runs inside the signal handler";
        QElapsedTimer waited;
        waited.start();
        while (requests == 0 && waited.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        EXPECT_EQ(requests, 1) << signal;
    }
}

// A signal that comes before the event loop exists (the course is still being chosen) is
// kept and told once the loop runs.
TEST(TerminationSignals, ASignalCaughtEarlyIsToldLater)
{
    TerminationSignals::catchEarly();
    ASSERT_EQ(std::raise(SIGTERM), 0);
    TerminationSignals termination;
    int requests = 0;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, [&] { ++requests; });
    QElapsedTimer waited;
    waited.start();
    while (requests == 0 && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(requests, 1);
}

} // namespace
