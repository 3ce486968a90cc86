#pragma once

#include "support/ModalAnswer.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <memory>

// Answers the windows a vocabulary run opens. The answer dialogs and the message window are
// noted and confirmed. Any other modal window is the exercise window: it is handed once to
// `drive`, which works through it; should it still be open after that, it is closed with an
// unknown result, so that a failing test ends instead of waiting.
class VocabularyRunAnswers {
public:
    VocabularyRunAnswers();
    ~VocabularyRunAnswers();

    std::function<void(QDialog &)> drive;
    int errorDoShown = 0;
    QStringList lexicErrorShown;
    QStringList doubleErrorShown;
    QStringList messages; // caption, a bar, then the text as the message window shows it

private:
    void answer(QWidget *modal);

    bool driven_ = false;
    bool driving_ = false;
    std::unique_ptr<ModalAnswerer> answerer_;
};
