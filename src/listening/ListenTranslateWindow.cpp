#include "ListenTranslateWindow.h"

#include "controls/FlatPictureButton.h"
#include "controls/MnemonicText.h"
#include "controls/ModalResult.h"
#include "controls/PictureCheckBox.h"
#include "controls/PictureProgressBar.h"
#include "controls/SkinArt.h"
#include "core/CourseError.h"
#include "core/CoursePicture.h"
#include "ListeningPaintArea.h"
#include "RecordingLeftovers.h"
#include "SpeedBox.h"
#include "sound/SoundDevice.h"
#include "ui/DialogFrame.h"
#include "ui/HelpDesk.h"
#include "ui/Mnemonics.h"
#include "ui/MessageWindow.h"

#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QTimer>

#include <cmath>

namespace {

// Round to nearest, halves to even, as the fitting rules ask.
int roundEven(double value)
{
    return int(std::nearbyint(value));
}

struct CaptionedPictureButton {
    FlatPictureButton *button;
    QLabel *caption;
};

CaptionedPictureButton addBarButton(QWidget *parent, const QString &caption, SkinArt::ButtonSymbol symbol)
{
    auto *button = new FlatPictureButton(parent);
    SkinArt::applyButtonPictures(*button, symbol);
    button->setText(caption);
    button->setToolTip(caption);
    auto *label = new QLabel(caption, parent);
    label->setFont(arialFont(13));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setBuddy(button);
    return {button, label};
}

// True when the caption changed: it then needs an Alt letter again.
bool setCaption(FlatPictureButton &button, QLabel &caption, const QString &text)
{
    if (withoutMnemonic(caption.text()) == text)
        return false;
    caption.setText(text);
    button.setText(text);
    button.setToolTip(text);
    return true;
}

// The picture over the hidden text: a page of grey lines, so that the panel shows there is a
// text behind it without giving it away.
QPixmap hiddenTextPicture(QSize size)
{
    QPixmap picture(size.expandedTo(QSize(1, 1)));
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(214, 230, 243));
    const int lines = size.height() / 28;
    for (int k = 1; k < lines; ++k) {
        const int width = (size.width() - 40) * (k % 4 == 0 ? 60 : 100 - (k * 7) % 20) / 100;
        painter.drawRoundedRect(QRectF(20, k * 28, width, 10), 5, 5);
    }
    return picture;
}

// The picture as large as the label holds, its proportions kept; no picture leaves it empty.
void showFitted(QLabel &label, const QImage &picture)
{
    if (picture.isNull())
        label.clear();
    else
        label.setPixmap(
            QPixmap::fromImage(picture.scaled(label.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

} // namespace

ListenTranslateWindow::ListenTranslateWindow(AudioBackend &audio, const ListenTranslateSettings &settings,
                                             QWidget *parent)
    : QDialog(parent)
{
    setObjectName("listenTranslateWindow");
    const QString title = settings.recording() ? QStringLiteral("Перевод текста") : QStringLiteral("Прослушивание текста");
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setWindowTitle(title);
    setAccessibleName(title);
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, SkinArt::windowBackground());
    setPalette(background);
    setFont(arialFont(15));
    setProperty("helpContext", settings.helpTopic);
    resize(DesignWidth, DesignHeight);

    player = new SoundDevice(audio, this);
    player->setObjectName("player");
    recorder = new SoundDevice(audio, this);
    recorder->setObjectName("recorder");
    session_ = new ListenTranslateSession(*player, *recorder, settings, this);

    soundFollowTimer = new QTimer(this);
    soundFollowTimer->setObjectName("soundFollowTimer");
    soundFollowTimer->setInterval(50);

    QPalette white;
    white.setColor(QPalette::Window, Qt::white);
    textPanel = new QWidget(this);
    textPanel->setObjectName("textPanel");
    translationPanel = new QWidget(this);
    translationPanel->setObjectName("translationPanel");
    for (QWidget *panel : {textPanel, translationPanel}) {
        panel->setAutoFillBackground(true);
        panel->setPalette(white);
    }
    textArea = new ListeningPaintArea(QStringLiteral("Текст"), textPanel);
    textArea->setObjectName("textArea");
    staticPicture = new QLabel(textPanel);
    staticPicture->setObjectName("staticPicture");
    staticPicture->setAccessibleName(QStringLiteral("Текст скрыт"));
    translationArea = new ListeningPaintArea(QStringLiteral("Перевод"), translationPanel);
    translationArea->setObjectName("translationArea");
    changingPicture = new QLabel(translationPanel);
    changingPicture->setObjectName("changingPicture");
    changingPicture->setAccessibleName(QStringLiteral("Рисунок"));
    for (QLabel *picture : {staticPicture, changingPicture})
        picture->setAlignment(Qt::AlignCenter);

    navigationBar = new QWidget(this);
    navigationBar->setObjectName("navigationBar");
    navigationBar->setAutoFillBackground(true);
    QPalette barColour;
    barColour.setColor(QPalette::Window, SkinArt::dialogBackground());
    navigationBar->setPalette(barColour);

    progressBar = new PictureProgressBar(navigationBar);
    progressBar->setObjectName("progressBar");
    SkinArt::applyProgressBarPictures(*progressBar);
    progressBar->setAccessibleName(QStringLiteral("Прослушано, секунд"));
    progressBar->setMin(0);
    progressBar->setMax(0);
    progressBar->setPosition(0);

    // The course sound alone is slowed: the learner's recording is real time.
    speedBox = new SpeedBox(navigationBar);
    speedBox->setFont(arialFont(13));
    connect(speedBox, &SpeedBox::percentChanged, player, &SoundDevice::setSpeedPercent);

    // Seen only while the learner is recorded.
    recordingMark = new QLabel(QStringLiteral("● Запись"), navigationBar);
    recordingMark->setObjectName("recordingMark");
    recordingMark->setAccessibleName(QStringLiteral("Запись"));
    recordingMark->setFont(arialFont(13));
    QPalette red = recordingMark->palette();
    red.setColor(QPalette::WindowText, QColor(210, 0, 0));
    recordingMark->setPalette(red);
    levelMeter = new QProgressBar(navigationBar);
    levelMeter->setObjectName("levelMeter");
    levelMeter->setAccessibleName(QStringLiteral("Уровень записи"));
    levelMeter->setRange(MicrophoneMeter::MeterFloorDb, 0);
    levelMeter->setValue(MicrophoneMeter::MeterFloorDb);
    levelMeter->setTextVisible(false);
    unheardWarning = new QLabel(QStringLiteral("Микрофон не слышен"), navigationBar);
    unheardWarning->setObjectName("unheardWarning");
    unheardWarning->setFont(arialFont(13));
    unheardWarning->setPalette(red);
    for (QWidget *widget : {static_cast<QWidget *>(recordingMark), static_cast<QWidget *>(levelMeter),
                            static_cast<QWidget *>(unheardWarning)})
        widget->hide();
    microphoneTimer = new QTimer(this);
    microphoneTimer->setObjectName("microphoneTimer");
    microphoneTimer->setInterval(50);
    connect(microphoneTimer, &QTimer::timeout, this, &ListenTranslateWindow::showMicrophone);
    if (settings.recording())
        microphoneTimer->start();

    textBox = new PictureCheckBox(navigationBar);
    textBox->setObjectName("textBox");
    textBox->setCaption(QStringLiteral("Показывать текст"));
    translationBox = new PictureCheckBox(navigationBar);
    translationBox->setObjectName("translationBox");
    translationBox->setCaption(QStringLiteral("Показывать перевод"));
    for (PictureCheckBox *box : {textBox, translationBox}) {
        SkinArt::applySwitchPictures(*box);
        box->setFont(arialFont(13));
    }

    const auto add = [this](const QString &caption, SkinArt::ButtonSymbol symbol) {
        const CaptionedPictureButton added = addBarButton(navigationBar, caption, symbol);
        barButtons_.append({added.button, added.caption});
        return added;
    };
    const auto start = add(session_->startLabel(), SkinArt::ButtonSymbol::Translate);
    startButton = start.button;
    startButton->setObjectName("startButton");
    startCaption = start.caption;
    if (!settings.recording())
        SkinArt::applyButtonPictures(*startButton, SkinArt::ButtonSymbol::Play);
    const auto pause = add(session_->pauseLabel(), SkinArt::ButtonSymbol::Pause);
    pauseButton = pause.button;
    pauseButton->setObjectName("pauseButton");
    pauseCaption = pause.caption;
    stopButton = add(QStringLiteral("Стоп"), SkinArt::ButtonSymbol::Stop).button;
    stopButton->setObjectName("stopButton");
    const auto wait = add(session_->waitLabel(), SkinArt::ButtonSymbol::Wait);
    waitButton = wait.button;
    waitButton->setObjectName("waitButton");
    waitCaption = wait.caption;
    helpButton = add(QStringLiteral("Помощь"), SkinArt::ButtonSymbol::Help).button;
    helpButton->setObjectName("helpButton");
    exitButton = add(QStringLiteral("Выход"), SkinArt::ButtonSymbol::Exit).button;
    exitButton->setObjectName("exitButton");

    connect(startButton, &FlatPictureButton::activated, this, &ListenTranslateWindow::startPlayback);
    connect(pauseButton, &FlatPictureButton::activated, this, &ListenTranslateWindow::togglePause);
    connect(stopButton, &FlatPictureButton::activated, this, &ListenTranslateWindow::stopPlayback);
    connect(waitButton, &FlatPictureButton::activated, this, &ListenTranslateWindow::toggleWait);
    connect(helpButton, &FlatPictureButton::activated, this, &ListenTranslateWindow::showHelp);
    connect(exitButton, &FlatPictureButton::activated, this, &ListenTranslateWindow::leave);
    connect(soundFollowTimer, &QTimer::timeout, this, &ListenTranslateWindow::followSound);
    connect(player, &SoundDevice::OnNotify, session_, &ListenTranslateSession::playerNotified);
    connect(speedBox, &SpeedBox::percentChanged, session_, &ListenTranslateSession::speedChanged);
    connect(recorder, &SoundDevice::OnNotify, session_, &ListenTranslateSession::recorderNotified);
    connect(session_, &ListenTranslateSession::stateChanged, this, &ListenTranslateWindow::showState);
    connect(session_, &ListenTranslateSession::repaintWanted, this, &ListenTranslateWindow::repaintAreas);
    connect(session_, &ListenTranslateSession::pictureChanged, this, &ListenTranslateWindow::showPicture);
    connect(session_, &ListenTranslateSession::messageWanted, this, [this](const QString &text, const QString &caption, int icon) {
        const bool ticking = soundFollowTimer->isActive();
        soundFollowTimer->stop(); // no tick runs under the message
        showMessageBox(text, caption, icon);
        if (ticking && session_->timerActive())
            soundFollowTimer->start();
    });

    placeChildren();
    showState();
    assignMnemonics(*this);
}

ListenTranslateWindow::~ListenTranslateWindow() = default;

QRect ListenTranslateWindow::fittedGeometry(const QRect &area)
{
    const double sw = double(area.width()) / DesignWidth;
    const double sh = double(area.height()) / DesignHeight;
    if (sw <= sh) {
        const int width = roundEven(sw * DesignWidth);
        const int height = roundEven(width * 280.0 / 520.0) + BarHeight;
        return {area.left(), area.top() + (area.height() - height) / 2, width, height};
    }
    const int height = roundEven(sh * DesignHeight);
    const int width = roundEven((height - BarHeight) * 2 * 260.0 / 280.0);
    return {area.left() + (area.width() - width) / 2, area.top(), width, height};
}

void ListenTranslateWindow::fitInto(const QRect &area)
{
    const QRect geometry = fittedGeometry(area);
    setFixedSize(geometry.size());
    move(geometry.topLeft());
    placeChildren(); // a hidden window gets its resize event only when shown; the text is wrapped before
}

void ListenTranslateWindow::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    placeChildren();
}

void ListenTranslateWindow::placeChildren()
{
    const int panelHeight = std::max(height() - BarHeight, 40);
    const int textPanelWidth = roundEven(panelHeight * 260.0 / 280.0);
    textPanel->setGeometry(0, 0, textPanelWidth, panelHeight);
    translationPanel->setGeometry(textPanelWidth, 0, std::max(width() - textPanelWidth, 1), panelHeight);
    const QSize area(std::max(roundEven(panelHeight * 260.0 / 280.0 - 50), 1), panelHeight - 30);
    const QRect textRect(QPoint((textPanel->width() - area.width()) / 2, 15), area);
    const QRect translationRect(QPoint((translationPanel->width() - area.width()) / 2, 15), area);
    textArea->setGeometry(textRect);
    staticPicture->setGeometry(textRect);
    translationArea->setGeometry(translationRect);
    changingPicture->setGeometry(translationRect);
    staticPicture->setPixmap(hiddenTextPicture(area));
    showFitted(*changingPicture, changingImage_);

    navigationBar->setGeometry(0, panelHeight, width(), BarHeight);
    const QSize speedSize(speedBox->sizeHint().width(), 20);
    // While recording, the mark, the meter and the warning stand between the two.
    const int meterRoom = session_->settings().recording() ? 330 : 0;
    progressBar->setGeometry(10, 5, std::max(width() - 30 - speedSize.width() - meterRoom, 1), 16);
    const int meterLeft = progressBar->geometry().right() + 10;
    recordingMark->setGeometry(meterLeft, 3, 70, 20);
    levelMeter->setGeometry(meterLeft + 72, 7, 90, 12);
    unheardWarning->setGeometry(meterLeft + 168, 3, 160, 20);
    speedBox->setGeometry(width() - 10 - speedSize.width(), 3, speedSize.width(), speedSize.height());
    textBox->setGeometry(10, 28, 190, 20);
    translationBox->setGeometry(10, 52, 190, 20);
    // The six buttons share the room right of the check boxes.
    const int left = 200;
    const int step = std::max((width() - left - 10) / int(barButtons_.size()), 60);
    for (int i = 0; i < barButtons_.size(); ++i) {
        const auto [button, caption] = barButtons_[i];
        const int centre = left + step * i + step / 2;
        button->move(centre - button->width() / 2, 23);
        caption->setGeometry(centre - 55, 23 + button->height() + 1, 110, 18);
    }
}

void ListenTranslateWindow::showMicrophone()
{
    const bool recording = recorder->recording();
    if (recording && !metering_) {
        meter_.start(recorder->Position());
        recorder->takeRecordedPeak(); // what came before this recording
    }
    metering_ = recording || (metering_ && recorder->recordingPaused());
    if (recording) {
        meter_.update(recorder->takeRecordedPeak(), recorder->Position());
        levelMeter->setValue(meter_.levelDb());
        // The bar's colour changes only when a clip comes or goes, not at every look.
        const QColor bar = meter_.clipping() ? QColor(220, 0, 0) : QColor(40, 170, 60);
        if (levelMeter->palette().color(QPalette::Highlight) != bar) {
            QPalette colours = levelMeter->palette();
            colours.setColor(QPalette::Highlight, bar);
            levelMeter->setPalette(colours);
            levelMeter->setAccessibleDescription(meter_.clipping() ? QStringLiteral("Перегрузка") : QString());
        }
    }
    recordingMark->setVisible(recording);
    levelMeter->setVisible(recording);
    unheardWarning->setVisible(recording && meter_.unheard());
}

void ListenTranslateWindow::prepareText()
{
    if (!session_->load())
        showMessageBox(QStringLiteral("Ошибка чтения файла.\rПовреждены текстовые файлы\r") + session_->files().loadProblem,
                       QStringLiteral("Ошибка чтения файла"), 16);
    session_->prepare(textArea->size());
    textArea->setImage(&session_->text().image());
    translationArea->setImage(&session_->translation().image());
    textArea->setSyntagms(session_->files().text);
    translationArea->setSyntagms(session_->files().translation);
}

void ListenTranslateWindow::showState()
{
    const ListenTranslateSession::Controls &c = session_->controls();
    startButton->setEnabled(c.start);
    pauseButton->setEnabled(c.pause);
    stopButton->setEnabled(c.stop);
    waitButton->setEnabled(c.wait);
    exitButton->setEnabled(c.exit);
    for (const auto &[button, caption] : barButtons_)
        caption->setEnabled(button->isEnabled());
    textBox->setOwnEnabled(c.textBox);
    translationBox->setOwnEnabled(c.translationBox);
    bool relabelled = setCaption(*startButton, *startCaption, session_->startLabel());
    relabelled |= setCaption(*pauseButton, *pauseCaption, session_->pauseLabel());
    relabelled |= setCaption(*waitButton, *waitCaption, session_->waitLabel());
    if (relabelled)
        assignMnemonics(*this);

    const ListenTranslateSession::Panels &p = session_->panels();
    staticPicture->setVisible(p.staticPicture);
    textArea->setVisible(p.textArea);
    changingPicture->setVisible(p.changingPicture);
    translationArea->setVisible(p.translationArea);

    progressBar->setMax(session_->progressMax());
    progressBar->setPosition(session_->progressPosition());
    if (session_->timerActive() != soundFollowTimer->isActive()) {
        if (session_->timerActive())
            soundFollowTimer->start();
        else
            soundFollowTimer->stop();
    }
}

void ListenTranslateWindow::repaintAreas()
{
    if (session_->textShown())
        textArea->setCurrentItem(session_->currentIndex() - 1);
    if (session_->translationShown())
        translationArea->setCurrentItem(session_->currentIndex() - 1);
    textArea->update();
    translationArea->update();
}

void ListenTranslateWindow::showPicture(const QString &path)
{
    // A missing picture leaves the panel white; the text plays on.
    changingImage_ = loadCoursePictureOrNothing(path);
    changingPicture->setAccessibleDescription(coursePictureDescription(path));
    showFitted(*changingPicture, changingImage_);
}

void ListenTranslateWindow::startPlayback()
{
    if (!session_->controls().start)
        return;
    try {
        session_->start(textBox->isChecked(), translationBox->isChecked());
    } catch (const CourseError &error) {
        // As the top level would: the start is abandoned where the sound failed to open.
        showState();
        showErrorMessage(error.userText());
    }
}

void ListenTranslateWindow::followSound()
{
    session_->tick();
}

void ListenTranslateWindow::togglePause()
{
    session_->pauseClicked();
}

void ListenTranslateWindow::toggleWait()
{
    session_->waitClicked();
}

void ListenTranslateWindow::stopPlayback()
{
    if (session_->controls().stop)
        session_->stop();
}

void ListenTranslateWindow::showHelp()
{
    helpByNumber(helpTopic());
}

void ListenTranslateWindow::leave()
{
    session_->leave();
    done(mrCancel);
}

void ListenTranslateWindow::reject()
{
    leave();
}

int runListenTranslate(AudioBackend &audio, const QRect &area, const ListenTranslateSettings &settings)
{
    qint32 recordedMs = 0;
    {
        ListenTranslateWindow window(audio, settings);
        window.fitInto(area);
        window.prepareText();
        window.exec();
        recordedMs = window.session().recordedMs();
    }
    // The window and its devices are gone: every safety copy is complete on disk now.
    const std::optional<double> recovered =
        settings.recording() ? RecordingLeftovers::recoverAfterRun(settings.recordingName) : std::nullopt;
    // A disk that filled up during the recording cut its safety copy short as well.
    if (recovered && *recovered * 1000 + 500 < recordedMs) {
        showMessageBox(QStringLiteral("Запись сохранена не полностью: на диске не хватило места. Сохранено %1 с из %2 с.")
                           .arg(qRound(*recovered))
                           .arg(qRound(recordedMs / 1000.0)),
                       QStringLiteral("Внимание"), 48);
    }
    return 0;
}
