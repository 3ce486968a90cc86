#pragma once

#include <QLockFile>
#include <QString>

// Keeps a second copy of the program off a course folder one copy is working in. Each
// copy writes the user list and the learners' files from what it read at its start, so
// the copy that ends later would undo the other's new learners and marks. The lock is the
// file "Users.eng.lock" beside the user list; it names the process that holds it, and a
// lock left behind by a process that no longer runs on this computer is taken over.
class CourseLock {
public:
    CourseLock();

    // True when this copy may work in the course folder: the lock is now held, or the
    // folder cannot hold a lock file at all (read-only or full: nothing is written there;
    // a lock left there by a copy that died is ignored then). False also when something
    // that is not a file (a folder, a link) has the lock's name.
    bool acquire();
    // Why the course cannot be opened, for the learner, after acquire() refused.
    QString problem() const { return problem_; }

private:
    QLockFile lock_;
    QString problem_;
};
