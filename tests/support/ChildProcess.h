#pragma once

#include <QtGlobal>

// The id of a process of this computer that has ended.
qint64 endedProcess();

// A child process that runs, doing nothing, until end() or the object's end.
class WaitingChild {
public:
    WaitingChild();
    ~WaitingChild();
    WaitingChild(const WaitingChild &) = delete;
    WaitingChild &operator=(const WaitingChild &) = delete;

    qint64 pid() const { return pid_; }
    // Kills it, as a crash would end it, and waits for its end.
    void end();

private:
    qint64 pid_ = 0;
    bool running_ = false;
};
