#include "QuestionPresentationWindow.h"

#include "controls/FlatPictureButton.h"
#include "controls/ModalResult.h"
#include "controls/PictureButton.h"
#include "ui/DialogFrame.h"
#include "ui/HelpDesk.h"
#include "ui/Mnemonics.h"

#include <QLabel>
#include <QTextEdit>

#include <exception>

QuestionPresentationWindow::QuestionPresentationWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName("questionPresentationWindow");
    setupExerciseWindow(*this, QSize(555, 251), QStringLiteral("Вопросы к тексту"), 100);

    questionPanel = new FramedPanel(this);
    questionPanel->setObjectName("questionPanel");
    questionPanel->setGeometry(15, 15, 525, 140);
    questionText = addQuestionText(questionPanel, QRect(12, 10, 501, 120), QStringLiteral("Вопрос"), 17);
    questionText->setObjectName("questionText");

    constexpr int RowY = 172;
    remainingCounter = addCounter(this, QPoint(25, RowY), QStringLiteral("Осталось"), 70);
    remainingCounter->setObjectName("remainingCounter");
    totalCounter = addCounter(this, QPoint(105, RowY), QStringLiteral("Всего"), 70);
    totalCounter->setObjectName("totalCounter");

    nextButton = addCaptionedButton(this, QPoint(290, RowY - 2), QStringLiteral("Далее"), SkinArt::ButtonSymbol::Next,
                                     80)
                      .button;
    nextButton->setObjectName("nextButton");
    nextButton->setDefault(true);
    helpPictureButton =
        addPictureButton(this, QPoint(395, RowY), QStringLiteral("Помощь"), SkinArt::ButtonSymbol::Help);
    helpPictureButton->setObjectName("helpPictureButton");
    exitPictureButton =
        addPictureButton(this, QPoint(485, RowY), QStringLiteral("Выход"), SkinArt::ButtonSymbol::Exit);
    exitPictureButton->setObjectName("exitPictureButton");

    connect(nextButton, &QPushButton::clicked, this, &QuestionPresentationWindow::showNextQuestion);
    connect(helpPictureButton, &FlatPictureButton::activated, this, &QuestionPresentationWindow::showHelp);
    connect(exitPictureButton, &FlatPictureButton::activated, this, &QDialog::reject);
    assignMnemonics(*this);
}

void QuestionPresentationWindow::setFiles(const QString &questionFile, const QString &answerFile, const QString &segmentFile,
                              const QString &soundFile)
{
    files_ = {questionFile, answerFile, segmentFile, soundFile};
}

void QuestionPresentationWindow::load()
{
    try {
        presentation_.load(files_.first, files_.segment);
    } catch (const std::exception &error) {
        reportExerciseReadError(error);
    }
}

void QuestionPresentationWindow::startRun()
{
    presentation_.start();
    showQuestion();
}

void QuestionPresentationWindow::showQuestion()
{
    showMemoLine(*questionText, presentation_.question());
    remainingCounter->setNum(presentation_.questionsLeft());
    totalCounter->setNum(presentation_.questionCount());
}

void QuestionPresentationWindow::showNextQuestion()
{
    switch (presentation_.next()) {
    case QuestionPresentation::Step::Showing:
        showQuestion();
        break;
    case QuestionPresentation::Step::Finished:
        done(mrOk);
        break;
    case QuestionPresentation::Step::Nothing:
        break;
    }
}

void QuestionPresentationWindow::showHelp()
{
    helpByKey(QStringLiteral("QuestDemo"));
}

void QuestionPresentationWindow::reject()
{
    done(mrCancel);
}

int runQuestionPresentation(const ExerciseContext &, QPoint centre, const QString &questionFile, const QString &answerFile,
                 const QString &segmentFile, const QString &soundFile)
{
    QuestionPresentationWindow form;
    centreOnPoint(form, centre);
    form.setFiles(questionFile, answerFile, segmentFile, soundFile);
    form.load();
    form.startRun();
    return exerciseRunResult(form.exec());
}
