#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGHUP and SIGINT (a desktop session ending, a terminal closing) into a
// Qt signal delivered on the user-interface thread, so that the program ends through its
// ordinary shutdown sequence and the learner's work is saved.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested();

private:
    QSocketNotifier *notifier_ = nullptr;
};
