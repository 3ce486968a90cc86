#include "SaveQueue.h"

#include "CourseError.h"

#include <utility>

SaveQueue::SaveQueue(QObject *parent) : QObject(parent), worker_([this] { run(); }) {}

SaveQueue::~SaveQueue()
{
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

void SaveQueue::queue(const QString &file, std::function<void()> save, std::function<void()> undo)
{
    push({file, std::move(save), std::move(undo), {}});
}

void SaveQueue::queueWork(std::function<void()> work, std::function<void()> then)
{
    push({QString(), std::move(work), {}, std::move(then)});
}

void SaveQueue::push(Job job)
{
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
        ++queued_;
    }
    wake_.notify_one();
}

QStringList SaveQueue::wait()
{
    {
        std::unique_lock lock(mutex_);
        done_.wait(lock, [this] { return finished_ == queued_; });
    }
    return takeFailures();
}

QStringList SaveQueue::takeFailures()
{
    QList<Failure> failures;
    {
        std::lock_guard lock(mutex_);
        failures = std::exchange(failures_, {});
    }
    // The undos run unlocked, as they may queue a save of their own.
    QStringList texts;
    for (const Failure &failure : failures) {
        if (failure.undo)
            failure.undo();
        texts << failure.text;
    }
    return texts;
}

void SaveQueue::run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return closing_ || !jobs_.empty(); });
        if (jobs_.empty())
            return;
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        lock.unlock();
        QString failure;
        try {
            job.save();
        } catch (const CourseError &error) {
            failure = error.userText();
        } catch (const std::exception &error) {
            failure = QString::fromUtf8(error.what());
        }
        lock.lock();
        if (!failure.isEmpty())
            failures_.append({failure, std::move(job.undo)});
        ++finished_;
        done_.notify_all();
        // Told on the interface thread; a failure that wait() has taken meanwhile is not told twice.
        QMetaObject::invokeMethod(
            this,
            [this, file = job.file, then = std::move(job.then)] {
                for (const QString &text : takeFailures())
                    emit failed(text);
                if (then)
                    then();
                else
                    emit saved(file);
            },
            Qt::QueuedConnection);
    }
}
