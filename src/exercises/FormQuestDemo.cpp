#include "FormQuestDemo.h"

#include "controls/BtnImgD1KL.h"
#include "controls/BtnImgTransD1KL.h"
#include "controls/ModalResult.h"
#include "ui/DialogFrame.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTextEdit>

#include <exception>

TFormQuestDemo::TFormQuestDemo(QWidget *parent) : QDialog(parent)
{
    setObjectName("FormQuestDemo");
    setupExerciseWindow(*this, QSize(555, 251), QStringLiteral("Вопросы к тексту"), 100);

    PanelQuest = new FramedPanel(this);
    PanelQuest->setObjectName("PanelQuest");
    PanelQuest->setGeometry(15, 15, 525, 140);
    MemoQuest = addQuestMemo(PanelQuest, QRect(12, 10, 501, 120), QStringLiteral("Вопрос"), 17);
    MemoQuest->setObjectName("MemoQuest");

    constexpr int RowY = 172;
    LabelSelect = addCounter(this, QPoint(25, RowY), QStringLiteral("Осталось"), 70);
    LabelSelect->setObjectName("LabelSelect");
    LabelCount = addCounter(this, QPoint(105, RowY), QStringLiteral("Всего"), 70);
    LabelCount->setObjectName("LabelCount");

    BtnImgD1KL1 = addCaptionedButton(this, QPoint(290, RowY - 2), QStringLiteral("Далее"), SkinArt::ButtonSymbol::Next,
                                     80)
                      .button;
    BtnImgD1KL1->setObjectName("BtnImgD1KL1");
    BtnImgD1KL1->setDefault(true);
    BtnImgTransD1KL1 =
        addPictureButton(this, QPoint(395, RowY), QStringLiteral("Помощь"), SkinArt::ButtonSymbol::Help);
    BtnImgTransD1KL1->setObjectName("BtnImgTransD1KL1");
    BtnImgTransD1KL2 =
        addPictureButton(this, QPoint(485, RowY), QStringLiteral("Выход"), SkinArt::ButtonSymbol::Exit);
    BtnImgTransD1KL2->setObjectName("BtnImgTransD1KL2");

    connect(BtnImgD1KL1, &QPushButton::clicked, this, &TFormQuestDemo::BitBtn1Click);
    connect(BtnImgTransD1KL1, &TBtnImgTransD1KL::OnClick, this, &TFormQuestDemo::BitBtn2Click);
    connect(BtnImgTransD1KL2, &TBtnImgTransD1KL::OnClick, this, &TFormQuestDemo::BtnImgTransD1KL2Click);
}

void TFormQuestDemo::setFiles(const QString &questionFile, const QString &answerFile, const QString &segmentFile,
                              const QString &soundFile)
{
    files_ = {questionFile, answerFile, segmentFile, soundFile};
}

void TFormQuestDemo::Load()
{
    try {
        presentation_.load(files_.first, files_.segment);
    } catch (const std::exception &) {
        reportQuestReadError();
    }
}

void TFormQuestDemo::startRun()
{
    presentation_.start();
    showQuestion();
}

void TFormQuestDemo::showQuestion()
{
    showMemoLine(*MemoQuest, presentation_.question());
    LabelSelect->setNum(presentation_.questionsLeft());
    LabelCount->setNum(presentation_.questionCount());
}

void TFormQuestDemo::BitBtn1Click()
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

void TFormQuestDemo::BitBtn2Click()
{
    emit helpRequested(QStringLiteral("QuestDemo"));
}

void TFormQuestDemo::BtnImgTransD1KL2Click()
{
    done(mrCancel);
}

// The window has no Cancel button: Esc does not leave the presentation.
void TFormQuestDemo::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

int RunQuestDemo(const ExerciseContext &, QPoint centre, const QString &questionFile, const QString &answerFile,
                 const QString &segmentFile, const QString &soundFile)
{
    TFormQuestDemo form;
    centreOnPoint(form, centre);
    form.setFiles(questionFile, answerFile, segmentFile, soundFile);
    form.Load();
    form.startRun();
    return questRunResult(form.exec());
}
