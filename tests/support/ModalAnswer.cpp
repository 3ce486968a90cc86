#include "ModalAnswer.h"

#include <QApplication>
#include <QTimer>

namespace {

constexpr int PollMs = 5;

// An answer closes its window, so a window that is modal and visible at a later poll has
// been opened again (the message window is reused) and is answered again.
void poll(std::function<void(QWidget *)> answer, std::shared_ptr<bool> keepGoing,
          std::shared_ptr<int> answered, bool repeat)
{
    QTimer::singleShot(PollMs, [=] {
        if (!*keepGoing)
            return;
        QWidget *modal = QApplication::activeModalWidget();
        const bool answering = modal && modal->isVisible();
        // The next poll is set up first: an answer may open a window of its own and wait
        // in that window's event loop, where this poll must go on.
        if (repeat || !answering)
            poll(answer, keepGoing, answered, repeat);
        if (answering) {
            ++*answered;
            answer(modal);
        }
    });
}

} // namespace

void answerNextModal(std::function<void(QWidget *)> answer)
{
    poll(std::move(answer), std::make_shared<bool>(true), std::make_shared<int>(0), false);
}

ModalAnswerer::ModalAnswerer(std::function<void(QWidget *)> answer)
    : answered_(std::make_shared<int>(0)), active_(std::make_shared<bool>(true))
{
    poll(std::move(answer), active_, answered_, true);
}

ModalAnswerer::~ModalAnswerer()
{
    *active_ = false;
}

ModalScript::ModalScript(QList<std::function<void(QWidget *)>> steps)
    : taken_(std::make_shared<int>(0)), overrun_(std::make_shared<bool>(false)), total_(int(steps.size()))
{
    auto shared = std::make_shared<QList<std::function<void(QWidget *)>>>(std::move(steps));
    answerer_ = std::make_unique<ModalAnswerer>([shared, taken = taken_, overrun = overrun_](QWidget *modal) {
        if (*taken < shared->size()) {
            (*shared)[(*taken)++](modal);
        } else {
            *overrun = true;
            modal->close();
        }
    });
}

ModalScript::~ModalScript() = default;
