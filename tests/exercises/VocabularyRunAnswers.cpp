#include "VocabularyRunAnswers.h"

#include "controls/PictureButton.h"
#include "exercises/ExerciseEndDialog.h"
#include "exercises/RightAnswerDialog.h"
#include "exercises/TryAgainDialog.h"
#include "ui/MessageWindow.h"

#include <QTextEdit>

VocabularyRunAnswers::VocabularyRunAnswers()
    : answerer_(std::make_unique<ModalAnswerer>([this](QWidget *modal) { answer(modal); }))
{
}

VocabularyRunAnswers::~VocabularyRunAnswers() = default;

void VocabularyRunAnswers::answer(QWidget *modal)
{
    if (auto *rightAnswer = qobject_cast<RightAnswerDialog *>(modal)) {
        const bool russian = rightAnswer->objectName() == QLatin1String("vocabularyRightAnswerDialog");
        (russian ? lexicErrorShown : doubleErrorShown) << rightAnswer->rightAnswerText->toPlainText();
        rightAnswer->okButton->click();
    } else if (auto *tryAgain = qobject_cast<TryAgainDialog *>(modal)) {
        ++errorDoShown;
        tryAgain->okButton->click();
    } else if (auto *message = qobject_cast<MessageWindow *>(modal)) {
        messages << message->windowTitle() + u'|' + message->shownText();
        message->okButton->click();
    } else if (auto *window = qobject_cast<QDialog *>(modal)) {
        // It may be polled again while `drive` works through it; it is driven once.
        if (driving_)
            return;
        if (!driven_) {
            driven_ = driving_ = true;
            if (drive)
                drive(*window);
            driving_ = false;
        } else if (window->isVisible()) {
            window->done(-1);
        }
    } else {
        modal->close();
    }
}
