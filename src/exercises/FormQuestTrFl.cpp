#include "FormQuestTrFl.h"

#include "FormQuestEnd.h"

#include "controls/ModalResult.h"
#include "core/CourseError.h"
#include "sound/SoundDevice.h"
#include "ui/DialogFrame.h"
#include "ui/DlgMessage.h"

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
    auto *number = new QLabel(QStringLiteral("0"), box);
    number->setObjectName(name);
    number->setGeometry(92, top, 50, 18);
    number->setAccessibleName(caption);
    return number;
}

} // namespace

TFormQuestTrFl::TFormQuestTrFl(AudioBackend &audio, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), MediaPlayerPlay(new SoundDevice(audio, this))
{
    setObjectName("FormQuestTrFl");
    setWindowTitle(QStringLiteral("Верно или неверно"));
    setFixedSize(553, 197);
    setFont(arialFont(13));

    Label8 = new QLabel(QStringLiteral("Ответе на вопрос"), this);
    Label8->setObjectName("Label8");
    Label8->setGeometry(8, 6, 300, 18);

    MemoQuest = new QTextEdit(this);
    MemoQuest->setObjectName("MemoQuest");
    MemoQuest->setGeometry(8, 26, 537, 62);
    MemoQuest->setReadOnly(true);
    MemoQuest->setFocusPolicy(Qt::NoFocus);
    MemoQuest->setAccessibleName(QStringLiteral("Утверждение"));

    RadioGroup1 = new QGroupBox(QStringLiteral("Варианты ответов"), this);
    RadioGroup1->setObjectName("RadioGroup1");
    RadioGroup1->setGeometry(8, 96, 150, 92);
    RadioButtonYes = new QRadioButton(QStringLiteral("Да"), RadioGroup1);
    RadioButtonYes->setObjectName("RadioButtonYes");
    RadioButtonYes->setGeometry(14, 28, 120, 22);
    RadioButtonYes->setChecked(true);
    RadioButtonNo = new QRadioButton(QStringLiteral("Нет"), RadioGroup1);
    RadioButtonNo->setObjectName("RadioButtonNo");
    RadioButtonNo->setGeometry(14, 56, 120, 22);

    Label1 = new QGroupBox(QStringLiteral("Информация"), this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(166, 96, 160, 92);
    LabelSelect = addInfoLine(Label1, QStringLiteral("Осталось:"), "LabelSelect", 24);
    LabelCount = addInfoLine(Label1, QStringLiteral("Всего:"), "LabelCount", 44);
    LabelError = addInfoLine(Label1, QStringLiteral("Ошибок:"), "LabelError", 64);

    BitBtn1 = addButton(this, QStringLiteral("OK"), "BitBtn1", QRect(336, 100, 100, 26));
    BitBtn1->setDefault(true);
    BitBtnNext = addButton(this, QStringLiteral("Пропустить"), "BitBtnNext", QRect(336, 130, 100, 26));
    BitBtnPlay = addButton(this, QStringLiteral("Проиграть"), "BitBtnPlay", QRect(336, 160, 100, 26));
    BitBtn3 = addButton(this, QStringLiteral("Cancel"), "BitBtn3", QRect(445, 100, 100, 26));
    BitBtn4 = addButton(this, QStringLiteral("&Close"), "BitBtn4", QRect(445, 130, 100, 26));

    MediaPlayerPlay->setObjectName("MediaPlayerPlay");

    connect(BitBtn1, &QPushButton::clicked, this, &TFormQuestTrFl::BitBtn1Click);
    connect(BitBtnNext, &QPushButton::clicked, this, &TFormQuestTrFl::BitBtnNextClick);
    connect(BitBtnPlay, &QPushButton::clicked, this, &TFormQuestTrFl::BitBtnPlayClick);
    connect(BitBtn3, &QPushButton::clicked, this, [this] { done(mrIgnore); });
    connect(BitBtn4, &QPushButton::clicked, this, [this] { done(mrCancel); });
    connect(MediaPlayerPlay, &SoundDevice::OnNotify, this, &TFormQuestTrFl::MediaPlayerPlayNotify);
}

void TFormQuestTrFl::setFiles(const QString &statementFile, const QString &secondFile, const QString &segmentFile,
                              const QString &soundFile)
{
    files_ = {statementFile, secondFile, segmentFile, soundFile};
    // Without both a sound and its stretches there is nothing to play.
    BitBtnPlay->setVisible(!segmentFile.isEmpty() && !soundFile.isEmpty());
}

void TFormQuestTrFl::Load()
{
    try {
        drill_.load(files_.first, files_.second, files_.segment);
    } catch (const std::exception &) {
        reportQuestReadError();
    }
}

void TFormQuestTrFl::startRun()
{
    drill_.start();
    showStatement();
}

void TFormQuestTrFl::SelectNext()
{
    drill_.selectNext();
    showStatement();
}

void TFormQuestTrFl::showStatement()
{
    showMemoLine(*MemoQuest, drill_.statement());
    LabelSelect->setNum(drill_.statementsLeft());
    LabelCount->setNum(drill_.statementCount());
    LabelError->setNum(drill_.errors());
}

void TFormQuestTrFl::BitBtn1Click()
{
    const std::optional<TrueFalseDrill::Outcome> outcome = drill_.answer(RadioButtonYes->isChecked());
    if (!outcome)
        return;
    if (outcome->finished)
        done(mrOk);
    else
        showStatement();
}

// The statement on show stays undone and may come again.
void TFormQuestTrFl::BitBtnNextClick()
{
    SelectNext();
}

void TFormQuestTrFl::BitBtnPlayClick()
{
    const int current = drill_.currentIndex();
    if (current == 0)
        return;
    MediaPlayerPlay->FileName = files_.sound;
    try {
        MediaPlayerPlay->Open();
    } catch (const CourseError &error) {
        // The sound cannot be opened: the click is abandoned and the window stays usable.
        ShowMessageBox(error.userText(), QStringLiteral("Ошибка"), 16);
        return;
    }
    BitBtnPlay->setEnabled(false);
    MediaPlayerPlay->PlayFrom = drill_.entry(current).start;
    MediaPlayerPlay->PlayTo = drill_.entry(current).end;
    MediaPlayerPlay->Play();
    // A stretch the device refuses never ends with a notification.
    if (MediaPlayerPlay->DeviceError() != 0)
        MediaPlayerPlayNotify();
}

void TFormQuestTrFl::MediaPlayerPlayNotify()
{
    MediaPlayerPlay->Close();
    BitBtnPlay->setEnabled(true);
}

// Esc is the "Cancel" button's key.
void TFormQuestTrFl::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        BitBtn3->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

int RunQuestTrFl(const ExerciseContext &context, QPoint centre, const QString &statementFile,
                 const QString &questionFile, const QString &segmentFile, const QString &soundFile,
                 TFormQuestEnd &results)
{
    TFormQuestTrFl form(context.audio);
    centreOnPoint(form, centre);
    form.setFiles(statementFile, questionFile, segmentFile, soundFile);
    form.Load();
    form.startRun();
    const int modalResult = form.exec();
    if (modalResult == mrOk) {
        const TrueFalseDrill &drill = form.drill();
        results.fill(drill.statementCount(), drill.errors(), drill.results());
        results.exec();
    }
    return questRunResult(modalResult);
}

int RunQuestTrFl(const ExerciseContext &context, QPoint centre, const QString &statementFile,
                 const QString &questionFile, const QString &segmentFile, const QString &soundFile)
{
    TFormQuestEnd results;
    return RunQuestTrFl(context, centre, statementFile, questionFile, segmentFile, soundFile, results);
}
