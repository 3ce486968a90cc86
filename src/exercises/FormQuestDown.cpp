#include "FormQuestDown.h"

#include "SharedDialogs.h"

#include "controls/BtnImgTransD1KL.h"
#include "controls/ChBxImgTransD1KL.h"
#include "controls/ModalResult.h"
#include "ui/DialogFrame.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

#include <exception>

namespace {

constexpr int PanelLeft = 15;
constexpr int PanelWidth = 575;
constexpr int RowTop = 190;
constexpr int RowPitch = 58;

} // namespace

TFormQuestDown::TFormQuestDown(const ExerciseContext &context, QWidget *parent)
    : QDialog(parent), context_(context)
{
    setObjectName("FormQuestDown");
    setupExerciseWindow(*this, QSize(605, 507), QStringLiteral("Послетекстовые вопросы"), 120);

    Label1 = new QLabel(QStringLiteral("Выберите правильный вариант"), this);
    Label1->setObjectName("Label1");
    Label1->setFont(arialFont(18, true));
    Label1->setGeometry(PanelLeft, 8, PanelWidth, 26);

    // "OK" lies under the question panel: not seen, but Enter triggers it.
    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(PanelLeft + 20, 60, 75, 25);
    BitBtn1->setDefault(true);
    BitBtn1->setFocusPolicy(Qt::NoFocus);

    PanelQuest = new FramedPanel(this);
    PanelQuest->setObjectName("PanelQuest");
    PanelQuest->setGeometry(PanelLeft, 40, PanelWidth, 140);
    MemoQuest = addQuestMemo(PanelQuest, QRect(12, 10, PanelWidth - 24, 120), QStringLiteral("Вопрос"), 17);
    MemoQuest->setObjectName("MemoQuest");

    for (int slot = 1; slot <= 4; ++slot) {
        const int i = slot - 1;
        PanelQ[i] = new FramedPanel(this);
        PanelQ[i]->setObjectName(QStringLiteral("PanelQ%1").arg(slot));
        PanelQ[i]->setGeometry(PanelLeft, RowTop + i * RowPitch, PanelWidth, 50);

        RadioButton[i] = new TChBxImgTransD1KL(PanelQ[i]);
        RadioButton[i]->setObjectName(QStringLiteral("RadioButton%1").arg(slot));
        SkinArt::applyAnswerMarkerPictures(*RadioButton[i]);
        RadioButton[i]->setGeometry(12, 12, 26, 26);
        connect(RadioButton[i], &TChBxImgTransD1KL::OnClick, this, [this, slot] { RadioButtonClick(slot); });

        Memo[i] = addQuestMemo(PanelQ[i], QRect(48, 5, PanelWidth - 60, 40), QStringLiteral("Ответ %1").arg(slot), 15);
        Memo[i]->setObjectName(QStringLiteral("Memo%1").arg(slot));
    }

    constexpr int RowY = 430;
    LabelSelect = addCounter(this, QPoint(25, RowY), QStringLiteral("Осталось"), 70);
    LabelSelect->setObjectName("LabelSelect");
    LabelCount = addCounter(this, QPoint(105, RowY), QStringLiteral("Всего"), 70);
    LabelCount->setObjectName("LabelCount");
    LabelError = addCounter(this, QPoint(185, RowY), QStringLiteral("Ошибок"), 70);
    LabelError->setObjectName("LabelError");

    BtnImgTransD1KL1 =
        addPictureButton(this, QPoint(345, RowY), QStringLiteral("Подтверждение"), SkinArt::ButtonSymbol::Confirm);
    BtnImgTransD1KL1->setObjectName("BtnImgTransD1KL1");
    BtnImgTransD1KL2 =
        addPictureButton(this, QPoint(445, RowY), QStringLiteral("Помощь"), SkinArt::ButtonSymbol::Help);
    BtnImgTransD1KL2->setObjectName("BtnImgTransD1KL2");
    BtnImgTransD1KL3 =
        addPictureButton(this, QPoint(535, RowY), QStringLiteral("Выход"), SkinArt::ButtonSymbol::Exit);
    BtnImgTransD1KL3->setObjectName("BtnImgTransD1KL3");

    connect(BitBtn1, &QPushButton::clicked, this, &TFormQuestDown::BitBtn1Click);
    connect(BtnImgTransD1KL1, &TBtnImgTransD1KL::OnClick, this, &TFormQuestDown::BitBtn1Click);
    connect(BtnImgTransD1KL2, &TBtnImgTransD1KL::OnClick, this, &TFormQuestDown::BitBtn3Click);
    connect(BtnImgTransD1KL3, &TBtnImgTransD1KL::OnClick, this, &TFormQuestDown::BtnImgTransD1KL3Click);
}

void TFormQuestDown::setFiles(const QString &questionFile, const QString &answerFile, const QString &segmentFile,
                              const QString &soundFile)
{
    files_ = {questionFile, answerFile, segmentFile, soundFile};
}

void TFormQuestDown::Load()
{
    try {
        drill_.load(files_.first, files_.second, files_.segment);
    } catch (const std::exception &) {
        reportQuestReadError();
    }
}

void TFormQuestDown::startRun()
{
    drill_.start();
    showQuestion();
}

void TFormQuestDown::showQuestion()
{
    for (int slot = 1; slot <= 4; ++slot) {
        const int i = slot - 1;
        const bool used = slot <= drill_.slotCount();
        showMemoLine(*Memo[i], drill_.slotAnswer(slot));
        // The marker is what the keyboard reaches: it carries its answer for screen readers.
        RadioButton[i]->setAccessibleName(drill_.slotAnswer(slot));
        RadioButton[i]->setChecked(drill_.markedSlot() == slot);
        RadioButton[i]->setVisible(used);
        PanelQ[i]->setVisible(used);
    }
    showMemoLine(*MemoQuest, drill_.question());
    showCounters();
}

void TFormQuestDown::showCounters()
{
    LabelSelect->setNum(drill_.questionsLeft());
    LabelCount->setNum(drill_.questionCount());
    LabelError->setNum(drill_.errors());
}

// The marker toggles itself after this: the others go off here, so at most one answer is
// marked, and a click on the marked one leaves none.
void TFormQuestDown::RadioButtonClick(int slot)
{
    for (int other = 1; other <= 4; ++other) {
        if (other != slot)
            RadioButton[other - 1]->setChecked(false);
    }
    drill_.clickMark(slot);
}

void TFormQuestDown::BitBtn1Click()
{
    const MultipleChoiceDrill::Outcome outcome = drill_.confirm();
    switch (outcome.verdict) {
    case MultipleChoiceDrill::Verdict::Nothing:
        return;
    case MultipleChoiceDrill::Verdict::TryAgain:
        context_.errorDo.exec();
        return;
    case MultipleChoiceDrill::Verdict::Wrong:
        context_.doubleError.ShowMdText(outcome.rightAnswer);
        break;
    case MultipleChoiceDrill::Verdict::Right:
        break;
    }
    if (outcome.finished) {
        showCounters();
        done(mrOk);
    } else {
        showQuestion();
    }
}

void TFormQuestDown::BitBtn3Click()
{
    emit helpRequested(QStringLiteral("QuestEnd"));
}

void TFormQuestDown::BtnImgTransD1KL3Click()
{
    done(mrCancel);
}

// The window has no Cancel button: Esc does not leave the exercise.
void TFormQuestDown::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

int RunQuestDown(const ExerciseContext &context, QPoint centre, const QString &questionFile,
                 const QString &answerFile, const QString &segmentFile, const QString &soundFile,
                 QuestDownCounts &counts)
{
    TFormQuestDown form(context);
    centreOnPoint(form, centre);
    form.setFiles(questionFile, answerFile, segmentFile, soundFile);
    form.Load();
    form.startRun();
    const int modalResult = form.exec();
    counts.questions = form.drill().questionCount();
    counts.errors = form.drill().errors();
    return questRunResult(modalResult);
}
