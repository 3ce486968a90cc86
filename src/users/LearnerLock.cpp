#include "LearnerLock.h"

#include "core/CoursePath.h"

QString LearnerLock::lockFileOf(const QString &progressFile)
{
    return localPath(progressFile) + QStringLiteral(".lock");
}

LearnerLock::Choice LearnerLock::prepare(const QString &progressFile)
{
    prepared_.reset();
    ready_ = true;
    if (progressFile.isEmpty())
        return Choice::Taken;
    const QString lock = lockFileOf(progressFile);
    // A lock lost to another copy is tried anew.
    if (held_ && held_->path() == lock && held_->isLocked()) {
        prepared_ = std::move(held_);
        return Choice::Taken;
    }
    auto next = std::make_shared<LockFile>(lock, StaleSeconds);
    if (next->tryLock() == LockFile::Result::Held) {
        ready_ = false;
        return Choice::HeldElsewhere;
    }
    prepared_ = std::move(next);
    return Choice::Taken;
}

void LearnerLock::commit()
{
    if (ready_)
        held_ = std::move(prepared_);
    ready_ = false;
}

void LearnerLock::release()
{
    prepared_.reset();
    held_.reset();
}

void LearnerLock::renewOn(SaveQueue &queue, std::function<void()> lost)
{
    if (!held_ || !held_->isLocked() || renewing_)
        return;
    renewing_ = true;
    // Written on the queue's thread before `then` is posted to this one.
    auto kept = std::make_shared<bool>(true);
    queue.queueWork([lock = held_, kept] { *kept = lock->renew(); },
                    [this, lock = held_, kept, lost = std::move(lost)] {
                        renewing_ = false;
                        if (!*kept && lock == held_)
                            lost();
                    });
}

QString LearnerLock::heldFile() const
{
    return held_ && held_->isLocked() ? held_->path() : QString();
}

bool LearnerLock::heldElsewhere(const QString &progressFile)
{
    LockFile probe(lockFileOf(progressFile), StaleSeconds);
    const std::optional<LockFile::Holder> holder = probe.holder();
    if (!holder || holder->isThisProcess())
        return false;
    return probe.tryLock() == LockFile::Result::Held;
}

QString LearnerLock::heldElsewhereText(const QString &name)
{
    return QStringLiteral("Ученик %1 сейчас работает в другой копии программы.").arg(name);
}
