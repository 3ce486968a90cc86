#include "FormExecLexicDemo.h"

#include "LexicWindowParts.h"
#include "controls/BtnImgD1KL.h"
#include "controls/BtnImgTransD1KL.h"
#include "controls/ModalResult.h"
#include "sound/SoundDevice.h"
#include "ui/DialogFrame.h"
#include "ui/DlgMessage.h"

#include <QScopeGuard>

using namespace LexicWindow;

TFormExecLexicDemo::TFormExecLexicDemo(AudioBackend &audio, QWidget *parent) : QDialog(parent)
{
    setObjectName("FormExecLexicDemo");
    setupExerciseWindow(*this, QSize(550, 246), QStringLiteral("Лексика урока"), 80);

    MediaPlayerPlay = new SoundDevice(audio, this);
    MediaPlayerPlay->setObjectName("MediaPlayerPlay");
    connect(MediaPlayerPlay, &SoundDevice::OnNotify, this, &TFormExecLexicDemo::MediaPlayerPlayNotify);

    auto *expressionPanel = new FramedPanel(this);
    expressionPanel->setGeometry(10, 8, 530, 80);
    auto *label1 = new QLabel(QStringLiteral("Исходное выражение"), expressionPanel);
    label1->setObjectName("Label1");
    label1->setGeometry(16, 8, 400, 20);
    label1->setFont(arialFont(15, true));
    EditText = addTextField(expressionPanel, QRect(16, 32, 430, 30), QStringLiteral("Исходное выражение"));
    EditText->setObjectName("EditText");
    label1->setBuddy(EditText);
    BitBtnPlay = addPushButton(expressionPanel, QPoint(468, 12), QStringLiteral("Проиграть"),
                               SkinArt::ButtonSymbol::Play);
    BitBtnPlay->setObjectName("BitBtnPlay");

    auto *translationPanel = new FramedPanel(this);
    translationPanel->setGeometry(10, 94, 530, 74);
    auto *label2 = new QLabel(QStringLiteral("Перевод"), translationPanel);
    label2->setObjectName("Label2");
    label2->setGeometry(16, 8, 400, 20);
    label2->setFont(arialFont(15, true));
    EditTranslate = addTextField(translationPanel, QRect(16, 32, 498, 30), QStringLiteral("Перевод"));
    EditTranslate->setObjectName("EditTranslate");
    label2->setBuddy(EditTranslate);

    BtnImgD1KL1 = addPushButton(this, QPoint(60, 176), QStringLiteral("Далее"), SkinArt::ButtonSymbol::Next);
    BtnImgD1KL1->setObjectName("BtnImgD1KL1");
    BtnImgD1KL1->setDefault(true);
    LabelSelect = addCounter(this, QPoint(180, 174), QStringLiteral("Осталось:"));
    LabelSelect->setObjectName("LabelSelect");
    LabelCount = addCounter(this, QPoint(270, 174), QStringLiteral("Всего:"));
    LabelCount->setObjectName("LabelCount");
    BtnImgTransD1KL1 = addPictureButton(this, QPoint(400, 178), QStringLiteral("Помощь"), SkinArt::ButtonSymbol::Help);
    BtnImgTransD1KL1->setObjectName("BtnImgTransD1KL1");
    BtnImgTransD1KL2 = addPictureButton(this, QPoint(480, 178), QStringLiteral("Выход"), SkinArt::ButtonSymbol::Exit);
    BtnImgTransD1KL2->setObjectName("BtnImgTransD1KL2");

    BitBtn1 = addHiddenButton(this, QStringLiteral("Далее"));
    BitBtn1->setObjectName("BitBtn1");
    BitBtn2 = addHiddenButton(this, QStringLiteral("Помощь"));
    BitBtn2->setObjectName("BitBtn2");
    BitBtnClose = addHiddenButton(this, QStringLiteral("Выход"));
    BitBtnClose->setObjectName("BitBtnClose");
    BitBtnClose->setModalResult(mrCancel);

    connect(BtnImgD1KL1, &QAbstractButton::clicked, this, &TFormExecLexicDemo::BitBtn1Click);
    connect(BitBtn1, &QAbstractButton::clicked, this, &TFormExecLexicDemo::BitBtn1Click);
    connect(BitBtnPlay, &QAbstractButton::clicked, this, &TFormExecLexicDemo::BitBtnPlayClick);
    connect(BitBtn2, &QAbstractButton::clicked, this, &TFormExecLexicDemo::BitBtn2Click);
    connect(BtnImgTransD1KL1, &TBtnImgTransD1KL::OnClick, this, &TFormExecLexicDemo::BitBtn2Click);
    connect(BtnImgTransD1KL2, &TBtnImgTransD1KL::OnClick, this, &TFormExecLexicDemo::ImageButton3Click);

    BtnImgD1KL1->setFocus();
}

TFormExecLexicDemo::~TFormExecLexicDemo() = default;

void TFormExecLexicDemo::setFiles(const VocabularyFiles &files)
{
    files_ = files;
    // A segment file without a sound has nothing to play either.
    if (files_.segments.isEmpty() || files_.sound.isEmpty())
        hideWithCaption(*BitBtnPlay);
}

void TFormExecLexicDemo::Load()
{
    QList<VocabularyEntry> entries;
    // The window opens with what was read, whatever stopped the reading.
    const auto keep = qScopeGuard([&] { presentation_ = LexicPresentation(std::move(entries)); });
    readVocabulary(files_, entries);
}

void TFormExecLexicDemo::SetInitialData()
{
    presentation_.start();
    showCurrent();
    LabelCount->setNum(presentation_.count());
    // An empty lesson has nothing to go through; the learner leaves it by "Выход".
    BtnImgD1KL1->setEnabled(presentation_.count() > 0);
}

void TFormExecLexicDemo::showCurrent()
{
    const VocabularyEntry *entry = presentation_.currentEntry();
    EditText->setText(entry ? entry->expression : QString());
    EditText->setCursorPosition(0);
    EditTranslate->setText(entry ? entry->translation : QString());
    EditTranslate->setCursorPosition(0);
    LabelSelect->setNum(presentation_.remaining());
}

void TFormExecLexicDemo::BitBtn1Click()
{
    switch (presentation_.next()) {
    case LexicPresentation::Step::NoExpression:
        return;
    case LexicPresentation::Step::Shown:
        showCurrent();
        return;
    case LexicPresentation::Step::Finished:
        done(mrOk);
        return;
    }
}

// One segment per click; the device is opened for it and closed again at its end.
void TFormExecLexicDemo::BitBtnPlayClick()
{
    const VocabularyEntry *entry = presentation_.currentEntry();
    if (!entry)
        return;
    MediaPlayerPlay->FileName = files_.sound;
    MediaPlayerPlay->Open(); // an unplayable file raises its message to the top level
    BitBtnPlay->setEnabled(false);
    MediaPlayerPlay->PlayFrom = entry->start;
    MediaPlayerPlay->PlayTo = entry->end;
    MediaPlayerPlay->Play();
    // A stretch the sound does not have starts nothing and so would never notify: end it here,
    // or the button would stay disabled.
    if (MediaPlayerPlay->DeviceError() != 0)
        MediaPlayerPlayNotify();
}

void TFormExecLexicDemo::MediaPlayerPlayNotify()
{
    MediaPlayerPlay->Close();
    BitBtnPlay->setEnabled(true);
}

// There is no help viewer yet; the topic "LexicDemo" is what this button will open.
void TFormExecLexicDemo::BitBtn2Click()
{
}

void TFormExecLexicDemo::ImageButton3Click()
{
    done(mrCancel);
}

void TFormExecLexicDemo::reject()
{
    done(mrCancel);
}

int RunExecLexicDemo(const ExerciseContext &context, QPoint centre, const QString &expressionFile,
                     const QString &translationFile, const QString &segmentFile, const QString &soundFile)
{
    TFormExecLexicDemo form(context.audio);
    centreOnPoint(form, centre);
    form.setFiles({expressionFile, translationFile, segmentFile, soundFile});
    try {
        form.Load();
    } catch (const std::exception &) {
        ShowMessageBox(QStringLiteral("Ошибка чтения файла.\rПовреждены текстовые файлы "),
                       QStringLiteral("Ошибка чтения файла"), 16);
    }
    form.SetInitialData();
    return form.exec() == mrOk ? 0 : 1;
}
