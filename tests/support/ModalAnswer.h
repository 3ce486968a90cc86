#pragma once

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
