#include "LexicRunAnswers.h"

#include "controls/BtnImgD1KL.h"
#include "exercises/SharedDialogs.h"
#include "ui/DlgMessage.h"

#include <QTextEdit>

LexicRunAnswers::LexicRunAnswers()
    : answerer_(std::make_unique<ModalAnswerer>([this](QWidget *modal) { answer(modal); }))
{
}

LexicRunAnswers::~LexicRunAnswers() = default;

void LexicRunAnswers::answer(QWidget *modal)
{
    if (auto *lexicError = qobject_cast<TDlgLexicError *>(modal)) {
        lexicErrorShown << lexicError->MemoTrueQuest->toPlainText();
        lexicError->BtnImgD1KL1->click();
    } else if (auto *doubleError = qobject_cast<TDlgDoubleError *>(modal)) {
        doubleErrorShown << doubleError->MemoTrueQuest->toPlainText();
        doubleError->BtnImgD1KL1->click();
    } else if (auto *errorDo = qobject_cast<TDlgErrorDo *>(modal)) {
        ++errorDoShown;
        errorDo->BtnImgD1KL1->click();
    } else if (auto *message = qobject_cast<TDlgxMessage *>(modal)) {
        messages << message->windowTitle() + u'|' + message->shownText();
        message->BtnOk->click();
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
