#include "FormExecLexic.h"

#include "LexicWindowParts.h"
#include "SharedDialogs.h"
#include "controls/BtnImgD1KL.h"
#include "controls/BtnImgTransD1KL.h"
#include "controls/ModalResult.h"
#include "sound/SoundDevice.h"
#include "ui/DialogFrame.h"
#include "ui/DlgMessage.h"

#include <QListWidget>
#include <QScopeGuard>
#include <QShowEvent>

#include <random>

using namespace LexicWindow;

TFormExecLexic::TFormExecLexic(const ExerciseContext &context, QWidget *parent)
    : QDialog(parent), context_(context)
{
    setObjectName("FormExecLexic");
    setupExerciseWindow(*this, QSize(680, 471), QStringLiteral("Лексика урока"), 90);

    MediaPlayerPlay = new SoundDevice(context.audio, this);
    MediaPlayerPlay->setObjectName("MediaPlayerPlay");
    connect(MediaPlayerPlay, &SoundDevice::OnNotify, this, &TFormExecLexic::MediaPlayerPlayNotify);

    // "ОК" is the default button but lies under the list's panel: made first, it is covered
    // by it, and Enter still reaches it.
    BitBtnNext = new TBtnImgD1KL(this);
    BitBtnNext->setObjectName("BitBtnNext");
    BitBtnNext->setGeometry(320, 250, 41, 36);
    BitBtnNext->setText(QStringLiteral("ОК"));
    BitBtnNext->setFocusPolicy(Qt::NoFocus);
    BitBtnNext->setDefault(true);

    auto *expressionPanel = new FramedPanel(this);
    expressionPanel->setGeometry(12, 10, 656, 104);
    BitBtnPlay = addPushButton(expressionPanel, QPoint(22, 22), QStringLiteral("Play"), SkinArt::ButtonSymbol::Play);
    BitBtnPlay->setObjectName("BitBtnPlay");
    auto *label3 = new QLabel(QStringLiteral("Исходное выражение"), expressionPanel);
    label3->setObjectName("Label3");
    label3->setGeometry(86, 16, 400, 20);
    label3->setFont(arialFont(15, true));
    EditText = addTextField(expressionPanel, QRect(86, 42, 554, 32), QStringLiteral("Исходное выражение"));
    EditText->setObjectName("EditText");
    label3->setBuddy(EditText);

    auto *listPanel = new FramedPanel(this);
    listPanel->setGeometry(12, 122, 656, 264);
    auto *label1 = new QLabel(QStringLiteral("Выберите правильный перевод"), listPanel);
    label1->setObjectName("Label1");
    label1->setGeometry(16, 10, 400, 20);
    label1->setFont(arialFont(15, true));
    ListBoxTrans = new QListWidget(listPanel);
    ListBoxTrans->setObjectName("ListBoxTrans");
    ListBoxTrans->setGeometry(14, 36, 628, 214);
    ListBoxTrans->setFont(arialFont(15));
    ListBoxTrans->setAccessibleName(QStringLiteral("Выберите правильный перевод"));
    // Two columns of 18 px items, filled top to bottom and then the next column.
    ListBoxTrans->setFlow(QListView::TopToBottom);
    ListBoxTrans->setWrapping(true);
    ListBoxTrans->setResizeMode(QListView::Adjust);
    ListBoxTrans->setUniformItemSizes(true);
    ListBoxTrans->setGridSize(QSize((ListBoxTrans->width() - 2 * ListBoxTrans->frameWidth()) / 2, 18));
    ListBoxTrans->setTextElideMode(Qt::ElideRight);
    label1->setBuddy(ListBoxTrans);

    BtnImgTransD1KL1 =
        addPictureButton(this, QPoint(70, 398), QStringLiteral("Подтверждение"), SkinArt::ButtonSymbol::Confirm);
    BtnImgTransD1KL1->setObjectName("BtnImgTransD1KL1");
    LabelSelect = addCounter(this, QPoint(230, 396), QStringLiteral("Осталось"));
    LabelSelect->setObjectName("LabelSelect");
    LabelCount = addCounter(this, QPoint(320, 396), QStringLiteral("Всего"));
    LabelCount->setObjectName("LabelCount");
    LabelError = addCounter(this, QPoint(410, 396), QStringLiteral("Ошибок"));
    LabelError->setObjectName("LabelError");
    BtnImgTransD1KL2 = addPictureButton(this, QPoint(530, 398), QStringLiteral("Помощь"), SkinArt::ButtonSymbol::Help);
    BtnImgTransD1KL2->setObjectName("BtnImgTransD1KL2");
    BtnImgTransD1KL3 = addPictureButton(this, QPoint(610, 398), QStringLiteral("Выход"), SkinArt::ButtonSymbol::Exit);
    BtnImgTransD1KL3->setObjectName("BtnImgTransD1KL3");

    BitBtnStepOver = addHiddenButton(this, QStringLiteral("Пропустить"));
    BitBtnStepOver->setObjectName("BitBtnStepOver");
    BitBtn1 = addHiddenButton(this, QStringLiteral("Помощь"));
    BitBtn1->setObjectName("BitBtn1");
    BitBtn4 = addHiddenButton(this, QStringLiteral("Выход"));
    BitBtn4->setObjectName("BitBtn4");
    BitBtn4->setModalResult(mrCancel);

    connect(BitBtnNext, &QAbstractButton::clicked, this, &TFormExecLexic::BitBtnNextClick);
    connect(BtnImgTransD1KL1, &TBtnImgTransD1KL::OnClick, this, &TFormExecLexic::BitBtnNextClick);
    connect(ListBoxTrans, &QListWidget::itemDoubleClicked, this, &TFormExecLexic::BitBtnNextClick);
    connect(BitBtnStepOver, &QAbstractButton::clicked, this, &TFormExecLexic::BitBtnStepOverClick);
    connect(BitBtnPlay, &QAbstractButton::clicked, this, &TFormExecLexic::BitBtnPlayClick);
    connect(BitBtn1, &QAbstractButton::clicked, this, &TFormExecLexic::BitBtn1Click);
    connect(BtnImgTransD1KL2, &TBtnImgTransD1KL::OnClick, this, &TFormExecLexic::BitBtn1Click);
    connect(BtnImgTransD1KL3, &TBtnImgTransD1KL::OnClick, this, &TFormExecLexic::ImageButton3Click);

    ListBoxTrans->setFocus();
}

TFormExecLexic::~TFormExecLexic() = default;

void TFormExecLexic::setFiles(const VocabularyFiles &files)
{
    files_ = files;
    // A segment file without a sound has nothing to play either.
    if (files_.segments.isEmpty() || files_.sound.isEmpty())
        hideWithCaption(*BitBtnPlay);
}

void TFormExecLexic::Load()
{
    QList<VocabularyEntry> entries;
    // The window opens with what was read, whatever stopped the reading.
    const auto keep = qScopeGuard([&] { drill_ = LexicDrill(std::move(entries), std::random_device{}()); });
    readVocabulary(files_, entries);
}

void TFormExecLexic::fillTranslations()
{
    ListBoxTrans->clear();
    for (const VocabularyEntry &entry : drill_.entries()) {
        auto *item = new QListWidgetItem(entry.translation, ListBoxTrans);
        item->setToolTip(entry.translation);
    }
}

void TFormExecLexic::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFormExecLexic::FormShow()
{
    SetInitialData();
}

void TFormExecLexic::SetInitialData()
{
    drill_.start();
    showCurrent();
    LabelSelect->setNum(drill_.remaining());
    LabelCount->setNum(drill_.count());
    LabelError->setNum(drill_.errors());
    // An empty lesson has nothing to confirm; the learner leaves it by "Выход".
    BtnImgTransD1KL1->setEnabled(drill_.count() > 0);
    BitBtnNext->setEnabled(drill_.count() > 0);
}

// What SelectNextLexic shows of a new draw: the expression, and the list back on its first item.
void TFormExecLexic::showCurrent()
{
    const VocabularyEntry *entry = drill_.currentEntry();
    EditText->setText(entry ? entry->expression : QString());
    EditText->setCursorPosition(0);
    if (ListBoxTrans->count() > 0)
        ListBoxTrans->setCurrentRow(0);
}

void TFormExecLexic::BitBtnNextClick()
{
    const QListWidgetItem *selected = ListBoxTrans->currentItem();
    if (!selected)
        return;
    const LexicDrill::Answer answer = drill_.answer(selected->text());
    switch (answer.verdict) {
    case LexicDrill::Verdict::NoExpression:
        return;
    case LexicDrill::Verdict::Right:
        showCurrent();
        LabelSelect->setNum(drill_.remaining());
        return;
    case LexicDrill::Verdict::Finished:
        done(mrOk);
        return;
    case LexicDrill::Verdict::TryAgain:
        context_.errorDo.exec();
        return;
    case LexicDrill::Verdict::ShowRight:
        context_.lexicError.ShowMdText(answer.rightTranslation);
        showCurrent();
        LabelError->setNum(drill_.errors());
        return;
    }
}

void TFormExecLexic::BitBtnStepOverClick()
{
    drill_.skip();
    showCurrent();
}

// One segment per click; the device is opened for it and closed again at its end.
void TFormExecLexic::BitBtnPlayClick()
{
    const VocabularyEntry *entry = drill_.currentEntry();
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

void TFormExecLexic::MediaPlayerPlayNotify()
{
    MediaPlayerPlay->Close();
    BitBtnPlay->setEnabled(true);
}

// There is no help viewer yet; the topic "Lexic" is what this button will open.
void TFormExecLexic::BitBtn1Click()
{
}

void TFormExecLexic::ImageButton3Click()
{
    done(mrCancel);
}

void TFormExecLexic::reject()
{
    done(mrCancel);
}

int RunExecLexic(const ExerciseContext &context, QPoint centre, const QString &expressionFile,
                 const QString &translationFile, const QString &segmentFile, const QString &soundFile)
{
    TFormExecLexic form(context);
    centreOnPoint(form, centre);
    form.setFiles({expressionFile, translationFile, segmentFile, soundFile});
    try {
        form.Load();
    } catch (const std::exception &) {
        ShowMessageBox(QStringLiteral("Ошибка чтения файла.\rПоврежден файл "), QStringLiteral("Ошибка чтения файла"),
                       16);
    }
    form.fillTranslations();
    switch (form.exec()) {
    case mrOk:
        return 0;
    case mrIgnore:
        return 1;
    default:
        return 2;
    }
}
