#include "VocabularyDrillWindow.h"

#include "controls/FlatPictureButton.h"
#include "controls/ModalResult.h"
#include "controls/PictureButton.h"
#include "ExerciseEndDialog.h"
#include "ExerciseWindowParts.h"
#include "RightAnswerDialog.h"
#include "sound/SoundDevice.h"
#include "TryAgainDialog.h"
#include "ui/DialogFrame.h"
#include "ui/HelpDesk.h"
#include "ui/Mnemonics.h"
#include "ui/MessageWindow.h"
#include "VocabularyWindowParts.h"

#include <QListWidget>
#include <QScopeGuard>
#include <QShowEvent>

#include <random>

using namespace VocabularyWindow;

VocabularyDrillWindow::VocabularyDrillWindow(const ExerciseContext &context, QWidget *parent)
    : QDialog(parent), context_(context)
{
    setObjectName("vocabularyDrillWindow");
    setupExerciseWindow(*this, QSize(680, 471), QStringLiteral("Лексика урока"), 90);

    player = new SoundDevice(context.audio, this);
    player->setObjectName("player");
    connect(player, &SoundDevice::OnNotify, this, &VocabularyDrillWindow::followSound);
    connect(player, &SoundDevice::soundLost, this, &showErrorMessage);

    // "ОК" lies under the list's panel, never seen: Enter reaches it through the window.
    nextButton = new PictureButton(this);
    nextButton->setObjectName("nextButton");
    nextButton->setGeometry(320, 250, 41, 36);
    nextButton->setText(QStringLiteral("ОК"));
    nextButton->setFocusPolicy(Qt::NoFocus);
    giveEnterKeyTo(*this, *nextButton);

    auto *expressionPanel = new FramedPanel(this);
    expressionPanel->setGeometry(12, 10, 656, 104);
    playButton = addPushButton(expressionPanel, QPoint(22, 22), QStringLiteral("Play"), SkinArt::ButtonSymbol::Play);
    playButton->setObjectName("playButton");
    auto *label3 = new QLabel(QStringLiteral("Исходное выражение"), expressionPanel);
    label3->setObjectName("expressionLabel");
    label3->setGeometry(86, 16, 400, 20);
    label3->setFont(arialFont(15, true));
    expressionField = addTextField(expressionPanel, QRect(86, 42, 554, 32), QStringLiteral("Исходное выражение"));
    expressionField->setObjectName("expressionField");
    label3->setBuddy(expressionField);

    auto *listPanel = new FramedPanel(this);
    listPanel->setGeometry(12, 122, 656, 264);
    auto *label1 = new QLabel(QStringLiteral("Выберите правильный перевод"), listPanel);
    label1->setObjectName("translationLabel");
    label1->setGeometry(16, 10, 400, 20);
    label1->setFont(arialFont(15, true));
    translationList = new QListWidget(listPanel);
    translationList->setObjectName("translationList");
    translationList->setGeometry(14, 36, 628, 214);
    translationList->setFont(arialFont(15));
    translationList->setAccessibleName(QStringLiteral("Выберите правильный перевод"));
    // Two columns of 18 px items, filled top to bottom and then the next column.
    translationList->setFlow(QListView::TopToBottom);
    translationList->setWrapping(true);
    translationList->setResizeMode(QListView::Adjust);
    translationList->setUniformItemSizes(true);
    translationList->setGridSize(QSize((translationList->width() - 2 * translationList->frameWidth()) / 2, 18));
    translationList->setTextElideMode(Qt::ElideRight);
    label1->setBuddy(translationList);

    confirmButton =
        addPictureButton(this, QPoint(70, 398), QStringLiteral("Подтверждение"), SkinArt::ButtonSymbol::Confirm);
    confirmButton->setObjectName("confirmButton");
    remainingCounter = addCounter(this, QPoint(230, 396), QStringLiteral("Осталось"));
    remainingCounter->setObjectName("remainingCounter");
    totalCounter = addCounter(this, QPoint(320, 396), QStringLiteral("Всего"));
    totalCounter->setObjectName("totalCounter");
    errorCounter = addCounter(this, QPoint(410, 396), QStringLiteral("Ошибок"));
    errorCounter->setObjectName("errorCounter");
    helpPictureButton = addPictureButton(this, QPoint(530, 398), QStringLiteral("Помощь"), SkinArt::ButtonSymbol::Help);
    helpPictureButton->setObjectName("helpPictureButton");
    exitPictureButton = addPictureButton(this, QPoint(610, 398), QStringLiteral("Выход"), SkinArt::ButtonSymbol::Exit);
    exitPictureButton->setObjectName("exitPictureButton");

    skipButton = addHiddenButton(this, QStringLiteral("Пропустить"));
    skipButton->setObjectName("skipButton");
    helpButton = addHiddenButton(this, QStringLiteral("Помощь"));
    helpButton->setObjectName("helpButton");
    exitButton = addHiddenButton(this, QStringLiteral("Выход"));
    exitButton->setObjectName("exitButton");
    exitButton->setModalResult(mrCancel);

    connect(nextButton, &QAbstractButton::clicked, this, &VocabularyDrillWindow::checkAnswer);
    connect(confirmButton, &FlatPictureButton::activated, this, &VocabularyDrillWindow::checkAnswer);
    connect(translationList, &QListWidget::itemDoubleClicked, this, &VocabularyDrillWindow::checkAnswer);
    connect(skipButton, &QAbstractButton::clicked, this, &VocabularyDrillWindow::skipExpression);
    connect(playButton, &QAbstractButton::clicked, this, &VocabularyDrillWindow::playExpression);
    connect(helpButton, &QAbstractButton::clicked, this, &VocabularyDrillWindow::showHelp);
    connect(helpPictureButton, &FlatPictureButton::activated, this, &VocabularyDrillWindow::showHelp);
    connect(exitPictureButton, &FlatPictureButton::activated, this, &QDialog::reject);

    translationList->setFocus();
    assignMnemonics(*this);
}

VocabularyDrillWindow::~VocabularyDrillWindow() = default;

void VocabularyDrillWindow::setFiles(const VocabularyFiles &files)
{
    files_ = files;
    // A segment file without a sound has nothing to play either.
    if (files_.segments.isEmpty() || files_.sound.isEmpty())
        hideWithCaption(*playButton);
}

void VocabularyDrillWindow::load()
{
    QList<VocabularyEntry> entries;
    // The window opens with what was read, whatever stopped the reading.
    const auto keep = qScopeGuard([&] { drill_ = VocabularyDrill(std::move(entries), std::random_device{}()); });
    readVocabulary(files_, entries);
}

void VocabularyDrillWindow::fillTranslations()
{
    translationList->clear();
    for (const VocabularyEntry &entry : drill_.entries()) {
        auto *item = new QListWidgetItem(entry.translation, translationList);
        item->setToolTip(entry.translation);
    }
}

void VocabularyDrillWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        runStartup();
}

void VocabularyDrillWindow::runStartup()
{
    setInitialData();
}

void VocabularyDrillWindow::setInitialData()
{
    drill_.start();
    showCurrent();
    remainingCounter->setNum(drill_.remaining());
    totalCounter->setNum(drill_.count());
    errorCounter->setNum(drill_.errors());
    // An empty lesson has nothing to confirm; the learner leaves it by "Выход".
    confirmButton->setEnabled(drill_.count() > 0);
    nextButton->setEnabled(drill_.count() > 0);
}

// What a new draw shows: the expression, and the list back on its first item.
void VocabularyDrillWindow::showCurrent()
{
    const VocabularyEntry *entry = drill_.currentEntry();
    expressionField->setText(entry ? entry->expression : QString());
    expressionField->setCursorPosition(0);
    if (translationList->count() > 0)
        translationList->setCurrentRow(0);
}

void VocabularyDrillWindow::checkAnswer()
{
    const QListWidgetItem *selected = translationList->currentItem();
    if (!selected)
        return;
    const VocabularyDrill::Answer answer = drill_.answer(selected->text());
    switch (answer.verdict) {
    case VocabularyDrill::Verdict::NoExpression:
        return;
    case VocabularyDrill::Verdict::Right:
        showCurrent();
        remainingCounter->setNum(drill_.remaining());
        return;
    case VocabularyDrill::Verdict::Finished:
        done(mrOk);
        return;
    case VocabularyDrill::Verdict::TryAgain:
        context_.tryAgain.exec();
        return;
    case VocabularyDrill::Verdict::ShowRight:
        context_.vocabularyRightAnswer.showRightAnswer(answer.rightTranslation);
        showCurrent();
        errorCounter->setNum(drill_.errors());
        return;
    }
}

void VocabularyDrillWindow::skipExpression()
{
    drill_.skip();
    showCurrent();
}

// One segment per click; the device is opened for it and closed again at its end.
void VocabularyDrillWindow::playExpression()
{
    const VocabularyEntry *entry = drill_.currentEntry();
    if (!entry)
        return;
    player->FileName = files_.sound;
    player->Open(); // an unplayable file raises its message to the top level
    playButton->setEnabled(false);
    player->PlayFrom = entry->start;
    player->PlayTo = entry->end;
    player->Play();
    // A stretch the sound does not have starts nothing and so would never notify: end it here,
    // or the button would stay disabled.
    if (player->DeviceError() != 0)
        followSound();
}

void VocabularyDrillWindow::followSound()
{
    player->Close();
    playButton->setEnabled(true);
}

void VocabularyDrillWindow::showHelp()
{
    helpByKey(QStringLiteral("Lexic"));
}

void VocabularyDrillWindow::reject()
{
    done(mrCancel);
}

int runVocabularyDrill(const ExerciseContext &context, QPoint centre, const QString &expressionFile,
                 const QString &translationFile, const QString &segmentFile, const QString &soundFile)
{
    VocabularyDrillWindow form(context);
    centreOnPoint(form, centre);
    form.setFiles({expressionFile, translationFile, segmentFile, soundFile});
    try {
        form.load();
    } catch (const std::exception &error) {
        reportExerciseReadError(error);
    }
    form.fillTranslations();
    return exerciseRunResult(form.exec());
}
