#pragma once

#include <QList>
#include <QWidget>

#include <functional>
#include <memory>

// Answers the next modal window: once a modal widget is active, `answer` is called with
// it (inspect it, then close it). Polls from the event loop that exec() runs, so the
// test can call the code that opens the window right after this.
void answerNextModal(std::function<void(QWidget *)> answer);

// Answers every modal window that opens until the returned object is destroyed, with
// `answer`; counts how many were answered.
class ModalAnswerer {
public:
    explicit ModalAnswerer(std::function<void(QWidget *)> answer);
    ~ModalAnswerer();
    int answered() const { return *answered_; }

private:
    std::shared_ptr<int> answered_;
    std::shared_ptr<bool> active_;
};

// Answers the modal windows that open, in order, each with the next step of a script;
// counts the steps taken. A window opening after the last step fails the test's check
// of `finished()` and is closed.
class ModalScript {
public:
    explicit ModalScript(QList<std::function<void(QWidget *)>> steps);
    ~ModalScript();
    int taken() const { return *taken_; }
    bool finished() const { return *taken_ == total_; }
    bool overrun() const { return *overrun_; }

private:
    std::shared_ptr<int> taken_;
    std::shared_ptr<bool> overrun_;
    int total_;
    std::unique_ptr<ModalAnswerer> answerer_;
};

