#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGHUP and SIGINT (a desktop session ending, a terminal closing) into a
// Qt signal delivered on the user-interface thread, so that the program ends through its
// ordinary shutdown sequence and the learner's work is saved.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // Catches the signals from now on, before any object exists (the first line of main):
    // one that comes early is kept and told when the object below is made.
    static void catchEarly();
    // For the runs that open no window (a course check, the help): the signals end the
    // program as usual again, and one that came meanwhile ends it now.
    static void release();

    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested();

private:
    QSocketNotifier *notifier_ = nullptr;
};
