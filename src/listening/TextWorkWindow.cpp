#include "TextWorkWindow.h"

#include "SpeedBox.h"
#include "SyntagmTextView.h"
#include "TextWorkReadError.h"
#include "WaveformStrip.h"

#include "controls/DesignColour.h"
#include "controls/FlatPictureButton.h"
#include "controls/FramedPanel.h"
#include "controls/MnemonicText.h"
#include "controls/ModalResult.h"
#include "controls/PictureCheckBox.h"
#include "core/CourseError.h"
#include "core/CoursePicture.h"
#include "sound/SoundDevice.h"
#include "ui/DialogFrame.h"
#include "ui/HelpDesk.h"
#include "ui/Mnemonics.h"
#include "ui/MessageWindow.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTextEdit>

#include <algorithm>
#include <cmath>

namespace {

// The design: 825 × 369, of which the bottom bar takes 116; each text panel has the
// proportions 260 × 280. The waveform strip under the slider adds its height to the bar.
constexpr int StripHeight = 40;
constexpr int DesignWidth = 825;
constexpr int DesignHeight = 369 + StripHeight;
constexpr int BarHeight = 116 + StripHeight;
constexpr int SliderHeight = 34;
constexpr int SwitchTop = SliderHeight + StripHeight;
constexpr int PanelInset = 9; // inside the panel's frame
constexpr QSize CommentPanelSize(461, 246);

int roundEven(double value)
{
    return int(std::nearbyint(value));
}

QFont tahomaFont(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void fill(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// The picture the text panel shows while the text is hidden: an open book.
QImage bookPicture(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const double side = std::min(size.width(), size.height()) * 0.5;
    if (side < 8)
        return image;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(size.width() / 2.0, size.height() / 2.0);
    const QColor ink(52, 102, 160);
    const QColor page(222, 236, 248);
    painter.setPen(QPen(ink, std::max(1.5, side / 60)));
    for (const int direction : {-1, 1}) {
        QPainterPath leaf;
        const QPointF spine = centre + QPointF(0, side * 0.32);
        leaf.moveTo(spine);
        leaf.lineTo(centre + QPointF(0, -side * 0.3));
        leaf.cubicTo(centre + QPointF(direction * side * 0.25, -side * 0.42),
                     centre + QPointF(direction * side * 0.55, -side * 0.4),
                     centre + QPointF(direction * side * 0.8, -side * 0.3));
        leaf.lineTo(centre + QPointF(direction * side * 0.8, side * 0.42));
        leaf.cubicTo(centre + QPointF(direction * side * 0.55, side * 0.32),
                     centre + QPointF(direction * side * 0.25, side * 0.3), spine);
        painter.setBrush(page);
        painter.drawPath(leaf);
        for (int row = 0; row < 5; ++row) {
            const double y = -side * 0.16 + row * side * 0.1;
            painter.drawLine(centre + QPointF(direction * side * 0.14, y),
                             centre + QPointF(direction * side * 0.66, y - side * 0.03));
        }
    }
    return image;
}

} // namespace

TextWorkWindow::TextWorkWindow(AudioBackend &audio, TextWorkSources sources, QWidget *parent)
    : QDialog(parent), courseDevice_(new SoundDevice(audio, this)), learnerDevice_(new SoundDevice(audio, this)),
      session_(new TextWorkSession(*courseDevice_, *learnerDevice_, std::move(sources), this))
{
    setObjectName("textWorkWindow");
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Работа с текстом"));
    setAccessibleName(windowTitle());
    fill(this, QColor::fromRgb(rgbFromDesignColour(13421772)));
    setFont(arialFont(15));
    setProperty("helpContext", session_->helpContext());

    textPanel = new FramedPanel(this);
    textPanel->setObjectName("textPanel");
    translationPanel = new FramedPanel(this);
    translationPanel->setObjectName("translationPanel");

    staticPicture = new QLabel(textPanel);
    staticPicture->setObjectName("staticPicture");
    changingPicture = new QLabel(translationPanel);
    changingPicture->setObjectName("changingPicture");
    changingPicture->setAccessibleName(QStringLiteral("Рисунок"));
    for (QLabel *picture : {staticPicture, changingPicture})
        picture->setAlignment(Qt::AlignCenter);

    textView = new SyntagmTextView(textPanel);
    textView->setObjectName("textView");
    textView->setAccessibleName(QStringLiteral("Текст"));
    translationView = new SyntagmTextView(translationPanel);
    translationView->setObjectName("translationView");
    translationView->setAccessibleName(QStringLiteral("Перевод"));
    QFont textFont(QStringLiteral("Arial"));
    textFont.setPixelSize(16);
    for (SyntagmTextView *view : {textView, translationView}) {
        view->setFont(textFont);
        view->setHeightIntervString(SyntagmTextView::LineSpacing::is1_25);
        view->setPosScreen(33);
        view->setCurrentSyntagmStyle({SyntagmStyle::Underline, qRgb(255, 0, 0)});
        view->setMarkedRangeStyle({0, qRgb(0, 0, 255)});
        view->setMargins({});
        view->setKSpeed(TextWorkSession::IdleScrollSpeed);
        view->hide();
    }

    bottomBar = new QWidget(this);
    bottomBar->setObjectName("bottomBar");
    fill(bottomBar, SkinArt::dialogBackground());

    // Marks the bar's control that has the keyboard focus; the picture controls draw none.
    focusMark_ = new QWidget(bottomBar);
    focusMark_->setObjectName("focusMark");
    focusMark_->setAttribute(Qt::WA_TransparentForMouseEvents);
    fill(focusMark_, QColor(255, 255, 255, 150));
    focusMark_->hide();

    lineSlider = new QSlider(Qt::Horizontal, bottomBar);
    lineSlider->setObjectName("lineSlider");
    lineSlider->setAccessibleName(QStringLiteral("Строка текста"));
    lineSlider->setRange(1, 1);
    lineSlider->setPageStep(5);
    waveformStrip = new WaveformStrip(bottomBar);

    textBox = addSwitch(QStringLiteral("Показывать текст"), Qt::Key_F2);
    textBox->setObjectName("textBox");
    translationBox = addSwitch(QStringLiteral("Показывать перевод"), Qt::Key_F3);
    translationBox->setObjectName("translationBox");
    learnerBox = addSwitch(QStringLiteral("Перевод пользователя"), Qt::Key_F4);
    learnerBox->setObjectName("learnerBox");
    speedBox = new SpeedBox(bottomBar);
    speedBox->setFont(arialFont(13));
    speedBox->spinBox->installEventFilter(this);

    using Symbol = SkinArt::ButtonSymbol;
    playAllButton = addBarButton(QStringLiteral("С начала"), Symbol::PlayFromStart, Qt::Key_F5);
    playAllButton->setObjectName("playAllButton");
    playFromLineButton = addBarButton(QStringLiteral("С фрагмента"), Symbol::PlayFromHere, Qt::Key_F6);
    playFromLineButton->setObjectName("playFromLineButton");
    playLineButton = addBarButton(QStringLiteral("Фрагмент"), Symbol::PlayFragment, Qt::Key_F7);
    playLineButton->setObjectName("playLineButton");
    stopButton = addBarButton(QStringLiteral("Стоп"), Symbol::Stop, Qt::Key_F8);
    stopButton->setObjectName("stopButton");
    // Its key is Space, which the window takes (keyPressEvent).
    markerButton = addBarButton(QStringLiteral("Начало"), Symbol::Mark, QKeySequence());
    markerButton->setObjectName("markerButton");
    markerButton->setToolTip(QStringLiteral("Начало (Пробел)"));
    markerCaption = barButtons_.last().second;
    markerCaption->setObjectName("markerCaption");
    loopButton = addBarButton(QStringLiteral("Цикл"), Symbol::Repeat, Qt::Key_F9);
    loopButton->setObjectName("loopButton");
    compareButton = addBarButton(QStringLiteral("Сравнить"), Symbol::Compare, Qt::Key_F11);
    compareButton->setObjectName("compareButton");
    commentButton = addBarButton(QStringLiteral("Комментарий"), Symbol::Comment, Qt::Key_F10);
    commentButton->setObjectName("commentButton");
    helpButton = addBarButton(QStringLiteral("Помощь"), Symbol::Help, QKeySequence());
    helpButton->setObjectName("helpButton");
    exitButton = addBarButton(QStringLiteral("Выход"), Symbol::Exit, QKeySequence());
    exitButton->setObjectName("exitButton");
    exitButton->setToolTip(QStringLiteral("Выход (Esc)"));

    commentPanel = new FramedPanel(this);
    commentPanel->setObjectName("commentPanel");
    commentPanel->setAccessibleName(QStringLiteral("Комментарий"));
    commentPanel->resize(CommentPanelSize);
    auto *commentTitle = new QLabel(QStringLiteral("Комментарий"), commentPanel);
    commentTitle->setFont(tahomaFont(13, true));
    commentTitle->setGeometry(4, 4, CommentPanelSize.width() - 8, 24);
    commentTitle->setIndent(8);
    fill(commentTitle, SkinArt::dialogBackground().darker(125));
    QPalette titlePalette = commentTitle->palette();
    titlePalette.setColor(QPalette::WindowText, Qt::white);
    commentTitle->setPalette(titlePalette);
    commentCloseButton = new QPushButton(QStringLiteral("×"), commentPanel);
    commentCloseButton->setObjectName("commentCloseButton");
    commentCloseButton->setAccessibleName(QStringLiteral("Закрыть комментарий"));
    commentCloseButton->setToolTip(QStringLiteral("Закрыть (Esc)"));
    commentCloseButton->setFlat(true);
    commentCloseButton->setAutoDefault(false);
    commentCloseButton->setFont(tahomaFont(16, true));
    commentCloseButton->setPalette(titlePalette);
    commentCloseButton->setGeometry(CommentPanelSize.width() - 30, 5, 24, 22);
    commentText = new QTextEdit(commentPanel);
    commentText->setObjectName("commentText");
    commentText->setAccessibleName(QStringLiteral("Комментарий"));
    commentText->setReadOnly(true);
    commentText->setFont(arialFont(16));
    commentText->setFrameShape(QFrame::NoFrame);
    commentText->setGeometry(10, 34, CommentPanelSize.width() - 20, CommentPanelSize.height() - 42);
    commentPanel->hide();

    connect(textBox, &PictureCheckBox::activated, this, [this] { session_->textBoxClicked(textBox->isChecked()); });
    connect(translationBox, &PictureCheckBox::activated, this,
            [this] { session_->translationBoxClicked(translationBox->isChecked()); });
    connect(learnerBox, &PictureCheckBox::activated, this,
            [this] { session_->learnerBoxClicked(learnerBox->isChecked()); });
    connect(playAllButton, &FlatPictureButton::activated, this, [this] { act(&TextWorkSession::playAll); });
    connect(playFromLineButton, &FlatPictureButton::activated, this, [this] { act(&TextWorkSession::playFromLine); });
    connect(playLineButton, &FlatPictureButton::activated, this, [this] { act(&TextWorkSession::playLine); });
    connect(stopButton, &FlatPictureButton::activated, this, [this] { act(&TextWorkSession::stop); });
    connect(markerButton, &FlatPictureButton::activated, this, [this] { act(&TextWorkSession::mark); });
    connect(loopButton, &FlatPictureButton::activated, this, [this] { act(&TextWorkSession::playLoop); });
    connect(compareButton, &FlatPictureButton::activated, this, [this] { act(&TextWorkSession::compare); });
    connect(commentButton, &FlatPictureButton::activated, this, &TextWorkWindow::showComments);
    connect(helpButton, &FlatPictureButton::activated, this, &TextWorkWindow::showHelp);
    connect(exitButton, &FlatPictureButton::activated, this, &TextWorkWindow::leave);
    connect(commentCloseButton, &QPushButton::clicked, this, &TextWorkWindow::closeComments);
    connect(lineSlider, &QSlider::valueChanged, session_, &TextWorkSession::setCurrentIndex);
    connect(speedBox, &SpeedBox::percentChanged, courseDevice_, &SoundDevice::setSpeedPercent);

    connect(session_, &TextWorkSession::stateChanged, this, &TextWorkWindow::showState);
    connect(session_, &TextWorkSession::pictureChanged, this, &TextWorkWindow::showChangingPicture);
    connect(session_, &TextWorkSession::sliderFocusWanted, lineSlider, [this] { lineSlider->setFocus(); });
    connect(session_, &TextWorkSession::soundFailed, this, &showErrorMessage);

    soundFollowTimer_.setInterval(50);
    connect(&soundFollowTimer_, &QTimer::timeout, this, &TextWorkWindow::followSound);

    resize(DesignWidth, DesignHeight);
    arrange();
    assignMnemonics(*this);
}

TextWorkWindow::~TextWorkWindow()
{
    soundFollowTimer_.stop();
    // The session goes before the device it listens to.
    delete session_;
}

FlatPictureButton *TextWorkWindow::addBarButton(const QString &caption, SkinArt::ButtonSymbol symbol,
                                                const QKeySequence &key)
{
    auto *button = new FlatPictureButton(bottomBar);
    SkinArt::applyButtonPictures(*button, symbol);
    button->setText(caption);
    button->setShortcut(key);
    button->setToolTip(key.isEmpty() ? caption : caption + QStringLiteral(" (") + key.toString() + u')');
    // Tab reaches it; a click leaves the focus where it was, so Space keeps marking.
    button->setFocusPolicy(Qt::TabFocus);
    button->installEventFilter(this);
    auto *label = new QLabel(caption, bottomBar);
    label->setFont(arialFont(13));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setBuddy(button);
    barButtons_.append({button, label});
    return button;
}

PictureCheckBox *TextWorkWindow::addSwitch(const QString &caption, const QKeySequence &key)
{
    auto *box = new PictureCheckBox(bottomBar);
    SkinArt::applySwitchPictures(*box);
    box->setCaption(caption);
    box->setFont(arialFont(13));
    box->setKey(key);
    box->setToolTip(caption + QStringLiteral(" (") + key.toString() + u')');
    box->setFocusPolicy(Qt::TabFocus);
    box->installEventFilter(this);
    box->setChecked(true);
    return box;
}

QRect TextWorkWindow::fittedGeometry(const QRect &area)
{
    const double sw = double(area.width()) / DesignWidth;
    const double sh = double(area.height()) / DesignHeight;
    // As wide as the area, unless the panels' proportions then make the window higher than
    // the area: then as high as the area.
    if (sw <= sh) {
        const int width = roundEven(sw * DesignWidth);
        const int height = roundEven(width * 280.0 / 520.0) + BarHeight;
        if (height <= area.height())
            return {area.left(), area.top() + (area.height() - height) / 2, width, height};
    }
    const int height = roundEven(sh * DesignHeight);
    const int width = std::max(roundEven((height - BarHeight) * 2.0 * 260.0 / 280.0), 0);
    return {area.left() + (area.width() - width) / 2, area.top(), width, height};
}

void TextWorkWindow::fitInto(const QRect &area)
{
    const QRect geometry = fittedGeometry(area);
    setFixedSize(geometry.size());
    move(geometry.topLeft());
    arrange();
}

void TextWorkWindow::arrange()
{
    const int w = width();
    const int panelHeight = std::max(height() - BarHeight, 0);
    const int textWidth = std::min(roundEven(panelHeight * 260.0 / 280.0), w);
    textPanel->setGeometry(0, 0, textWidth, panelHeight);
    translationPanel->setGeometry(textWidth, 0, w - textWidth, panelHeight);
    const QRect textInside = textPanel->rect().adjusted(PanelInset, PanelInset, -PanelInset, -PanelInset);
    const QRect translationInside =
        translationPanel->rect().adjusted(PanelInset, PanelInset, -PanelInset, -PanelInset);
    textView->setGeometry(textInside);
    staticPicture->setGeometry(textInside);
    translationView->setGeometry(translationInside);
    changingPicture->setGeometry(translationInside);
    showPicture(staticPicture, bookPicture(textInside.size()));
    showPicture(changingPicture, changingImage_);

    bottomBar->setGeometry(0, panelHeight, w, BarHeight);
    lineSlider->setGeometry(10, 4, w - 20, SliderHeight - 8);
    waveformStrip->setGeometry(12, SliderHeight - 2, w - 24, StripHeight - 4);

    // Under the slider the three switches in a row, then the buttons, which share the
    // bar's width evenly, each centred in its share above its caption.
    int x = 12;
    for (PictureCheckBox *box : {textBox, translationBox, learnerBox}) {
        const QSize size = box->sizeHint();
        box->setGeometry(x, SwitchTop + 2, size.width(), std::max(size.height(), 18));
        x += size.width() + 28;
    }
    const QSize speedSize = speedBox->sizeHint();
    speedBox->setGeometry(std::max(x, w - speedSize.width() - 12), SwitchTop, speedSize.width(), speedSize.height());
    constexpr int ButtonTop = SwitchTop + 28;
    const double share = double(w - 8) / barButtons_.size();
    // A narrow window writes the captions smaller rather than cutting them; the marker's
    // caption may become "Окончание".
    QStringList captions{QStringLiteral("Окончание")};
    for (const auto &entry : std::as_const(barButtons_))
        captions.append(withoutMnemonic(entry.second->text()));
    int captionSize = 13;
    for (; captionSize > 9; --captionSize) {
        const QFontMetrics metrics(arialFont(captionSize));
        if (std::all_of(captions.cbegin(), captions.cend(),
                        [&](const QString &caption) { return metrics.horizontalAdvance(caption) <= int(share) - 4; }))
            break;
    }
    for (int i = 0; i < barButtons_.size(); ++i) {
        auto [button, label] = barButtons_[i];
        if (label->font().pixelSize() != captionSize)
            label->setFont(arialFont(captionSize));
        const int middle = 4 + int(share * i + share / 2);
        button->move(middle - button->width() / 2, ButtonTop);
        const int labelWidth = int(share);
        label->setGeometry(middle - labelWidth / 2, ButtonTop + button->height() + 2, labelWidth, 18);
    }

    commentPanel->move(w / 2 - commentPanel->width() / 2, height() / 2 - commentPanel->height() / 2);
}

void TextWorkWindow::startRun()
{
    const bool complete = session_->load();
    textView->editText() = session_->files().text;
    translationView->editText() = session_->files().translation;
    if (!complete)
        QTimer::singleShot(0, this, [problem = session_->files().loadProblem] { reportTextWorkReadError(problem); });

    lineSlider->setRange(1, std::max(session_->lineCount(), 1));
    lineSlider->setValue(1);
    showChangingPicture(session_->startPicture());
    showState();
    lineSlider->setFocus();
    soundFollowTimer_.start();
}

int TextWorkWindow::helpContext() const
{
    return property("helpContext").toInt();
}

void TextWorkWindow::followSound()
{
    session_->tick();
    const int position = session_->currentIndex() - 1;
    for (SyntagmTextView *view : {textView, translationView}) {
        if (view->isHidden())
            continue;
        view->setKSpeed(session_->scrollSpeed());
        view->setPosition(position);
        view->scrollStep();
    }
    showWaveform();
}

void TextWorkWindow::showWaveform()
{
    waveformStrip->showLines(session_->courseFrames(), session_->courseLine(), session_->learnerFrames(),
                             session_->learnerLine());
    waveformStrip->showMark(session_->learnerHeard(), session_->heardPosition());
}

void TextWorkWindow::showState()
{
    const TextWorkSession::Controls &c = session_->controls();
    // While a playback holds the slider, the keyboard is with "Стоп": Space stops.
    stopButton->setEnabled(c.stop);
    if (c.stop && !c.slider && lineSlider->hasFocus())
        stopButton->setFocus();
    lineSlider->setEnabled(c.slider);
    playAllButton->setEnabled(c.playAll);
    playFromLineButton->setEnabled(c.playFromLine);
    playLineButton->setEnabled(c.playLine);
    loopButton->setEnabled(c.loop);
    compareButton->setEnabled(c.compare);
    markerButton->setEnabled(c.marker);
    commentButton->setEnabled(c.comment);
    learnerBox->setOwnEnabled(c.learnerSound);
    learnerBox->setEnabled(c.learnerSound);

    const QString marker = session_->markerLabel();
    if (withoutMnemonic(markerCaption->text()) != marker) {
        markerCaption->setText(marker);
        // The new caption gets an Alt letter of its own, as every caption has one.
        assignMnemonics(*this);
        markerButton->setText(marker);
        markerButton->setToolTip(marker + QStringLiteral(" (Пробел)"));
    }
    if (lineSlider->value() != session_->currentIndex())
        lineSlider->setValue(session_->currentIndex());
    showWaveform();

    const std::optional<std::pair<int, int>> range = session_->markedRange();
    const bool rangeChanged = range != shownRange_;
    shownRange_ = range;
    const auto showText = [&](SyntagmTextView *view, QLabel *picture, bool shown) {
        if (range && rangeChanged) {
            view->setMarkedRange(range->first, range->second);
            view->setMarkedRangeShown(true);
        }
        if (shown == !view->isHidden())
            return;
        if (shown) {
            view->setKSpeed(session_->scrollSpeed());
            view->setPosition(session_->currentIndex() - 1);
        }
        view->setVisible(shown);
        picture->setVisible(!shown);
    };
    showText(textView, staticPicture, session_->textShown());
    showText(translationView, changingPicture, session_->translationShown());
}

void TextWorkWindow::showPicture(QLabel *label, const QImage &picture)
{
    if (picture.isNull() || label->width() <= 0 || label->height() <= 0) {
        label->clear();
        return;
    }
    label->setPixmap(QPixmap::fromImage(
        picture.scaled(label->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

// A picture that does not load leaves the place empty: the story goes on without it.
void TextWorkWindow::showChangingPicture(const QString &file)
{
    changingImage_ = loadCoursePictureOrNothing(file);
    changingPicture->setAccessibleDescription(coursePictureDescription(file));
    showPicture(changingPicture, changingImage_);
}

void TextWorkWindow::act(void (TextWorkSession::*action)())
{
    try {
        (session_->*action)();
    } catch (const CourseError &error) {
        // The sound could not be opened: nothing started, the window stays as it was.
        showErrorMessage(error.userText());
    }
}

void TextWorkWindow::showComments()
{
    const QStringList comments = session_->openComments();
    commentText->clear();
    if (comments.isEmpty())
        return;
    for (const QString &comment : comments)
        commentText->append(comment);
    commentText->moveCursor(QTextCursor::Start);
    commentPanel->move(width() / 2 - commentPanel->width() / 2, height() / 2 - commentPanel->height() / 2);
    commentPanel->show();
    commentPanel->raise();
    commentText->setFocus();
}

void TextWorkWindow::closeComments()
{
    commentPanel->hide();
    lineSlider->setFocus();
}

void TextWorkWindow::showHelp()
{
    helpByKey(session_->helpKey());
}

void TextWorkWindow::leave()
{
    done(mrCancel);
}

void TextWorkWindow::reject()
{
    leave();
}

void TextWorkWindow::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        event->accept();
        if (commentPanel->isVisible())
            closeComments();
        else
            exitButton->click();
        return;
    case Qt::Key_Space:
        // Space marks from the window and the slider; a focused button or box takes its own Space.
        event->accept();
        if (!event->isAutoRepeat() && markerButton->isEnabled())
            act(&TextWorkSession::mark);
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

bool TextWorkWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        auto *widget = static_cast<QWidget *>(watched);
        if (event->type() == QEvent::FocusIn) {
            // The speed's spin box sits inside its own row: the mark goes around it on the bar.
            const QRect area(widget->mapTo(bottomBar, QPoint(0, 0)), widget->size());
            focusMark_->setGeometry(area.adjusted(-3, -3, 3, 3));
            focusMark_->stackUnder(widget->parentWidget() == bottomBar ? widget : widget->parentWidget());
            focusMark_->show();
        } else {
            focusMark_->hide();
        }
    }
    return QDialog::eventFilter(watched, event);
}

int runTextWork(AudioBackend &audio, const QRect &clientArea, const QString &courseSound,
                const QString &learnerRecording, const QString &textFile, const QString &translationFile,
                const QString &timingFile, const QString &pictureListFile, const QString &pictureFolder)
{
    TextWorkWindow form(audio, {courseSound, learnerRecording, textFile, translationFile, timingFile,
                                pictureListFile, pictureFolder});
    form.fitInto(clientArea);
    form.startRun();
    form.exec();
    return 0;
}
