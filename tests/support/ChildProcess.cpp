#include "ChildProcess.h"

#include <csignal>

#include <sys/wait.h>
#include <unistd.h>

qint64 endedProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

WaitingChild::WaitingChild()
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::pause();
        ::_exit(0);
    }
    pid_ = child;
    running_ = true;
}

WaitingChild::~WaitingChild()
{
    end();
}

void WaitingChild::end()
{
    if (!running_)
        return;
    running_ = false;
    ::kill(pid_t(pid_), SIGKILL);
    ::waitpid(pid_t(pid_), nullptr, 0);
}
