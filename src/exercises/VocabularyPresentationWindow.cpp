#include "VocabularyPresentationWindow.h"

#include "controls/FlatPictureButton.h"
#include "controls/ModalResult.h"
#include "controls/PictureButton.h"
#include "sound/SoundDevice.h"
#include "ui/DialogFrame.h"
#include "ui/HelpDesk.h"
#include "ui/MessageWindow.h"
#include "ui/Mnemonics.h"
#include "VocabularyWindowParts.h"

#include <QScopeGuard>

using namespace VocabularyWindow;

VocabularyPresentationWindow::VocabularyPresentationWindow(AudioBackend &audio, QWidget *parent) : QDialog(parent)
{
    setObjectName("vocabularyPresentationWindow");
    setupExerciseWindow(*this, QSize(550, 246), QStringLiteral("Лексика урока"), 80);

    player = new SoundDevice(audio, this);
    player->setObjectName("player");
    connect(player, &SoundDevice::OnNotify, this, &VocabularyPresentationWindow::followSound);
    connect(player, &SoundDevice::soundLost, this, &showErrorMessage);

    auto *expressionPanel = new FramedPanel(this);
    expressionPanel->setGeometry(10, 8, 530, 80);
    auto *label1 = new QLabel(QStringLiteral("Исходное выражение"), expressionPanel);
    label1->setObjectName("expressionLabel");
    label1->setGeometry(16, 8, 400, 20);
    label1->setFont(arialFont(15, true));
    expressionField = addTextField(expressionPanel, QRect(16, 32, 430, 30), QStringLiteral("Исходное выражение"));
    expressionField->setObjectName("expressionField");
    label1->setBuddy(expressionField);
    playButton = addPushButton(expressionPanel, QPoint(468, 12), QStringLiteral("Проиграть"),
                               SkinArt::ButtonSymbol::Play);
    playButton->setObjectName("playButton");

    auto *translationPanel = new FramedPanel(this);
    translationPanel->setGeometry(10, 94, 530, 74);
    auto *label2 = new QLabel(QStringLiteral("Перевод"), translationPanel);
    label2->setObjectName("translationLabel");
    label2->setGeometry(16, 8, 400, 20);
    label2->setFont(arialFont(15, true));
    translationField = addTextField(translationPanel, QRect(16, 32, 498, 30), QStringLiteral("Перевод"));
    translationField->setObjectName("translationField");
    label2->setBuddy(translationField);

    nextPictureButton = addPushButton(this, QPoint(60, 176), QStringLiteral("Далее"), SkinArt::ButtonSymbol::Next);
    nextPictureButton->setObjectName("nextPictureButton");
    nextPictureButton->setDefault(true);
    remainingCounter = addCounter(this, QPoint(180, 174), QStringLiteral("Осталось:"));
    remainingCounter->setObjectName("remainingCounter");
    totalCounter = addCounter(this, QPoint(270, 174), QStringLiteral("Всего:"));
    totalCounter->setObjectName("totalCounter");
    helpPictureButton = addPictureButton(this, QPoint(400, 178), QStringLiteral("Помощь"), SkinArt::ButtonSymbol::Help);
    helpPictureButton->setObjectName("helpPictureButton");
    exitPictureButton = addPictureButton(this, QPoint(480, 178), QStringLiteral("Выход"), SkinArt::ButtonSymbol::Exit);
    exitPictureButton->setObjectName("exitPictureButton");

    nextButton = addHiddenButton(this, QStringLiteral("Далее"));
    nextButton->setObjectName("nextButton");
    helpButton = addHiddenButton(this, QStringLiteral("Помощь"));
    helpButton->setObjectName("helpButton");
    closeButton = addHiddenButton(this, QStringLiteral("Выход"));
    closeButton->setObjectName("closeButton");
    closeButton->setModalResult(mrCancel);

    connect(nextPictureButton, &QAbstractButton::clicked, this, &VocabularyPresentationWindow::showNextExpression);
    connect(nextButton, &QAbstractButton::clicked, this, &VocabularyPresentationWindow::showNextExpression);
    connect(playButton, &QAbstractButton::clicked, this, &VocabularyPresentationWindow::playExpression);
    connect(helpButton, &QAbstractButton::clicked, this, &VocabularyPresentationWindow::showHelp);
    connect(helpPictureButton, &FlatPictureButton::activated, this, &VocabularyPresentationWindow::showHelp);
    connect(exitPictureButton, &FlatPictureButton::activated, this, &QDialog::reject);

    nextPictureButton->setFocus();
    assignMnemonics(*this);
}

VocabularyPresentationWindow::~VocabularyPresentationWindow() = default;

void VocabularyPresentationWindow::setFiles(const VocabularyFiles &files)
{
    files_ = files;
    // A segment file without a sound has nothing to play either.
    if (files_.segments.isEmpty() || files_.sound.isEmpty())
        hideWithCaption(*playButton);
}

void VocabularyPresentationWindow::load()
{
    QList<VocabularyEntry> entries;
    // The window opens with what was read, whatever stopped the reading.
    const auto keep = qScopeGuard([&] { presentation_ = VocabularyPresentation(std::move(entries)); });
    readVocabulary(files_, entries);
}

void VocabularyPresentationWindow::setInitialData()
{
    presentation_.start();
    showCurrent();
    totalCounter->setNum(presentation_.count());
    // An empty lesson has nothing to go through; the learner leaves it by "Выход".
    nextPictureButton->setEnabled(presentation_.count() > 0);
}

void VocabularyPresentationWindow::showCurrent()
{
    const VocabularyEntry *entry = presentation_.currentEntry();
    expressionField->setText(entry ? entry->expression : QString());
    expressionField->setCursorPosition(0);
    translationField->setText(entry ? entry->translation : QString());
    translationField->setCursorPosition(0);
    remainingCounter->setNum(presentation_.remaining());
}

void VocabularyPresentationWindow::showNextExpression()
{
    switch (presentation_.next()) {
    case VocabularyPresentation::Step::NoExpression:
        return;
    case VocabularyPresentation::Step::Shown:
        showCurrent();
        return;
    case VocabularyPresentation::Step::Finished:
        done(mrOk);
        return;
    }
}

// One segment per click; the device is opened for it and closed again at its end.
void VocabularyPresentationWindow::playExpression()
{
    const VocabularyEntry *entry = presentation_.currentEntry();
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

void VocabularyPresentationWindow::followSound()
{
    player->Close();
    playButton->setEnabled(true);
}

void VocabularyPresentationWindow::showHelp()
{
    helpByKey(QStringLiteral("LexicDemo"));
}

void VocabularyPresentationWindow::reject()
{
    done(mrCancel);
}

int runVocabularyPresentation(const ExerciseContext &context, QPoint centre, const QString &expressionFile,
                     const QString &translationFile, const QString &segmentFile, const QString &soundFile)
{
    VocabularyPresentationWindow form(context.audio);
    centreOnPoint(form, centre);
    form.setFiles({expressionFile, translationFile, segmentFile, soundFile});
    try {
        form.load();
    } catch (const std::exception &error) {
        reportExerciseReadError(error, QStringLiteral("Ошибка чтения файла.\rПовреждены текстовые файлы "));
    }
    form.setInitialData();
    return form.exec() == mrOk ? 0 : 1;
}
