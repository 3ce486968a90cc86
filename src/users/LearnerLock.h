#pragma once

#include "LockFile.h"

#include "core/SaveQueue.h"

#include <QString>

#include <functional>
#include <memory>

// The lock a copy of the program holds on the learner it works for, so that two copies on
// one course folder never write one learner's progress. It lies beside the learner's
// progress file ("Ann.rep.lock"). The anonymous learner has none: nothing of his is kept.
class LearnerLock {
public:
    // A lock of another computer not renewed for this long is a dead copy's. The holder
    // renews it every RenewMs; the margin covers clocks that differ by minutes and a
    // network folder that stops answering for a while.
    static constexpr qint64 StaleSeconds = 10 * 60;
    static constexpr int RenewMs = 60 * 1000;

    enum class Choice { Taken, HeldElsewhere };

    // Takes the lock of the learner of that progress file (none for an empty name, the
    // anonymous learner) while the one held now is kept until commit(): a learner whom
    // another copy holds leaves everything as it was. A folder that cannot hold a lock
    // file cannot take the learner's saves either, and is no reason to refuse him.
    Choice prepare(const QString &progressFile);
    // The prepared lock replaces the one held, which is released; nothing after a refusal.
    void commit();
    void release();
    // Renews the lock held now on the queue's thread, since its folder may be a network one
    // that stops answering. `lost` is called on the interface thread when another copy has
    // taken the learner over meanwhile (see LockFile::renew) and that lock is still the one
    // held. A renewal that still waits for its folder is not queued a second time. The
    // queue hands its answer to this object: none may be handled once this object is gone.
    void renewOn(SaveQueue &queue, std::function<void()> lost);
    // The lock file held now; empty when none.
    QString heldFile() const;

    static QString lockFileOf(const QString &progressFile);
    // True when another copy holds that learner now (not this one, not a dead copy).
    static bool heldElsewhere(const QString &progressFile);
    // What the learner is told when he chooses a learner another copy works for.
    static QString heldElsewhereText(const QString &name);

private:
    // Shared with a renewal on its way, which may end after the lock was given up here.
    std::shared_ptr<LockFile> held_;
    std::shared_ptr<LockFile> prepared_;
    bool ready_ = false;
    bool renewing_ = false;
};
