#include "TrueFalseWindow.h"

#include "TrueFalseResultsWindow.h"

#include "controls/CounterLabel.h"
#include "controls/ModalResult.h"
#include "core/CourseError.h"
#include "sound/SoundDevice.h"
#include "ui/DialogFrame.h"
#include "ui/MessageWindow.h"
#include "ui/Mnemonics.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

#include <exception>

namespace {

QPushButton *addButton(QWidget *parent, const QString &text, const char *name, QRect geometry)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

QLabel *addInfoLine(QGroupBox *box, const QString &caption, const char *name, int top)
{
    auto *label = new QLabel(caption, box);
    label->setGeometry(10, top, 80, 18);
    QString spoken = caption;
    spoken.chop(1); // without its colon
    auto *number = new CounterLabel(spoken, box);
    number->setText(QStringLiteral("0"));
    number->setObjectName(name);
    number->setGeometry(92, top, 50, 18);
    return number;
}

} // namespace

TrueFalseWindow::TrueFalseWindow(AudioBackend &audio, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), player(new SoundDevice(audio, this))
{
    setObjectName("trueFalseWindow");
    setWindowTitle(QStringLiteral("Верно или неверно"));
    setFixedSize(553, 197);
    setFont(arialFont(13));

    instructionLabel = new QLabel(QStringLiteral("Ответе на вопрос"), this);
    instructionLabel->setObjectName("instructionLabel");
    instructionLabel->setGeometry(8, 6, 300, 18);

    questionText = new QTextEdit(this);
    questionText->setObjectName("questionText");
    questionText->setGeometry(8, 26, 537, 62);
    questionText->setReadOnly(true);
    questionText->setFocusPolicy(Qt::NoFocus);
    questionText->setAccessibleName(QStringLiteral("Утверждение"));

    answerGroup = new QGroupBox(QStringLiteral("Варианты ответов"), this);
    answerGroup->setObjectName("answerGroup");
    answerGroup->setGeometry(8, 96, 150, 92);
    yesButton = new QRadioButton(QStringLiteral("Да"), answerGroup);
    yesButton->setObjectName("yesButton");
    yesButton->setGeometry(14, 28, 120, 22);
    yesButton->setChecked(true);
    noButton = new QRadioButton(QStringLiteral("Нет"), answerGroup);
    noButton->setObjectName("noButton");
    noButton->setGeometry(14, 56, 120, 22);

    informationBox = new QGroupBox(QStringLiteral("Информация"), this);
    informationBox->setObjectName("informationBox");
    informationBox->setGeometry(166, 96, 160, 92);
    remainingCounter = addInfoLine(informationBox, QStringLiteral("Осталось:"), "remainingCounter", 24);
    totalCounter = addInfoLine(informationBox, QStringLiteral("Всего:"), "totalCounter", 44);
    errorCounter = addInfoLine(informationBox, QStringLiteral("Ошибок:"), "errorCounter", 64);

    confirmButton = addButton(this, QStringLiteral("OK"), "confirmButton", QRect(336, 100, 100, 26));
    confirmButton->setDefault(true);
    nextButton = addButton(this, QStringLiteral("Пропустить"), "nextButton", QRect(336, 130, 100, 26));
    playButton = addButton(this, QStringLiteral("Проиграть"), "playButton", QRect(336, 160, 100, 26));
    ignoreButton = addButton(this, QStringLiteral("Cancel"), "ignoreButton", QRect(445, 100, 100, 26));
    closeButton = addButton(this, QStringLiteral("&Close"), "closeButton", QRect(445, 130, 100, 26));

    player->setObjectName("player");

    connect(confirmButton, &QPushButton::clicked, this, &TrueFalseWindow::confirmAnswer);
    connect(nextButton, &QPushButton::clicked, this, &TrueFalseWindow::showAnotherStatement);
    connect(playButton, &QPushButton::clicked, this, &TrueFalseWindow::playExpression);
    connect(ignoreButton, &QPushButton::clicked, this, [this] { done(mrIgnore); });
    connect(closeButton, &QPushButton::clicked, this, [this] { done(mrCancel); });
    connect(player, &SoundDevice::OnNotify, this, &TrueFalseWindow::followSound);
    connect(player, &SoundDevice::soundLost, this, &showErrorMessage);
    assignMnemonics(*this);
}

void TrueFalseWindow::setFiles(const QString &statementFile, const QString &secondFile, const QString &segmentFile,
                              const QString &soundFile)
{
    files_ = {statementFile, secondFile, segmentFile, soundFile};
    // Without both a sound and its stretches there is nothing to play.
    playButton->setVisible(!segmentFile.isEmpty() && !soundFile.isEmpty());
}

void TrueFalseWindow::load()
{
    try {
        drill_.load(files_.first, files_.second, files_.segment);
    } catch (const std::exception &error) {
        reportExerciseReadError(error);
    }
}

void TrueFalseWindow::startRun()
{
    drill_.start();
    showStatement();
}

void TrueFalseWindow::selectNext()
{
    drill_.selectNext();
    showStatement();
}

void TrueFalseWindow::showStatement()
{
    showMemoLine(*questionText, drill_.statement());
    remainingCounter->setNum(drill_.statementsLeft());
    totalCounter->setNum(drill_.statementCount());
    errorCounter->setNum(drill_.errors());
}

void TrueFalseWindow::confirmAnswer()
{
    const std::optional<TrueFalseDrill::Outcome> outcome = drill_.answer(yesButton->isChecked());
    if (!outcome)
        return;
    if (outcome->finished)
        done(mrOk);
    else
        showStatement();
}

// The statement on show stays undone and may come again.
void TrueFalseWindow::showAnotherStatement()
{
    selectNext();
}

void TrueFalseWindow::playExpression()
{
    const int current = drill_.currentIndex();
    if (current == 0)
        return;
    player->FileName = files_.sound;
    try {
        player->Open();
    } catch (const CourseError &error) {
        // The sound cannot be opened: the click is abandoned and the window stays usable.
        showErrorMessage(error.userText());
        return;
    }
    playButton->setEnabled(false);
    player->PlayFrom = drill_.entry(current).start;
    player->PlayTo = drill_.entry(current).end;
    player->Play();
    // A stretch the device refuses never ends with a notification.
    if (player->DeviceError() != 0)
        followSound();
}

void TrueFalseWindow::followSound()
{
    player->Close();
    playButton->setEnabled(true);
}

// Esc is the "Cancel" button's key.
void TrueFalseWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        ignoreButton->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

int runTrueFalse(const ExerciseContext &context, QPoint centre, const QString &statementFile,
                 const QString &questionFile, const QString &segmentFile, const QString &soundFile,
                 TrueFalseResultsWindow &results)
{
    TrueFalseWindow form(context.audio);
    centreOnPoint(form, centre);
    form.setFiles(statementFile, questionFile, segmentFile, soundFile);
    form.load();
    form.startRun();
    const int modalResult = form.exec();
    if (modalResult == mrOk) {
        const TrueFalseDrill &drill = form.drill();
        results.fill(drill.statementCount(), drill.errors(), drill.results());
        results.exec();
    }
    return exerciseRunResult(modalResult);
}

int runTrueFalse(const ExerciseContext &context, QPoint centre, const QString &statementFile,
                 const QString &questionFile, const QString &segmentFile, const QString &soundFile)
{
    TrueFalseResultsWindow results;
    return runTrueFalse(context, centre, statementFile, questionFile, segmentFile, soundFile, results);
}
