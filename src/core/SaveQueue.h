#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// Saves that run on a thread of their own, one after another in the order they were
// queued, so that the interface thread never waits for the disk (a progress file of a
// large course is tens of megabytes, and its sync may take long on a slow disk). A save
// is a function that writes its files whole or throws CourseError; its failure text is
// handed to the failure handler on the interface thread, or to wait(), whichever comes first.
// wait() is called on the interface thread too.
class SaveQueue : public QObject {
    Q_OBJECT
public:
    explicit SaveQueue(QObject *parent = nullptr);
    ~SaveQueue() override; // runs what is queued before it ends

    // `file` names the save for saved(); `save` runs after every save queued before it.
    // When it fails, `undo` runs on the interface thread before its failure is handed out,
    // so that what the save was to keep is still known to the next one.
    void queue(const QString &file, std::function<void()> save, std::function<void()> undo = {});
    // Other file work that must not hold the interface thread up (a network folder may stop
    // answering): `work` runs after everything queued before it, then `then` on the
    // interface thread. It is no save: saved() does not tell it.
    void queueWork(std::function<void()> work, std::function<void()> then);
    // Returns once every save queued so far has run, with the failures not yet handed out.
    QStringList wait();

signals:
    // On the interface thread, as each save ends.
    void saved(const QString &file);
    void failed(const QString &text);

private:
    struct Job {
        QString file;
        std::function<void()> save;
        std::function<void()> undo;
        std::function<void()> then; // set for work that is no save
    };
    struct Failure {
        QString text;
        std::function<void()> undo;
    };
    void push(Job job);
    void run();
    // Takes the failures not yet handed out and runs their undos; on the interface thread.
    QStringList takeFailures();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    std::deque<Job> jobs_;
    QList<Failure> failures_;
    quint64 queued_ = 0;
    quint64 finished_ = 0;
    bool closing_ = false;
    std::thread worker_;
};
