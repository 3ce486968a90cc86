#include "ReportWindow.h"

#include "controls/FramedPanel.h"
#include "controls/PictureButton.h"
#include "controls/SkinArt.h"
#include "ui/DialogFrame.h"
#include "ui/MessageWindow.h"
#include "ui/Mnemonics.h"

#include "core/CourseError.h"
#include "sound/SoundDevice.h"

#include <QPainter>
#include <QStyledItemDelegate>

namespace {

// Lines 18 px high, text 2 px from the left at the top; done exercises in bold.
class ReportLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(option.rect, selected ? option.palette.highlight() : QBrush(Qt::white));
        QFont font = option.font;
        font.setBold(index.data(Qt::UserRole).toBool());
        painter->setFont(font);
        painter->setPen(selected ? option.palette.highlightedText().color() : QColor(Qt::black));
        painter->drawText(option.rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
    }
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), 18};
    }
};

} // namespace

ReportWindow::ReportWindow(AudioBackend &audio, QWidget *parent) : QDialog(parent)
{
    setObjectName("reportWindow");
    setupDialogFrame(*this, QSize(640, 441), QStringLiteral("Отчет"));
    setProperty("helpContext", 70);

    auto *panel = new FramedPanel(this);
    panel->setGeometry(12, 12, 616, 340);
    reportList = new QListWidget(panel);
    reportList->setObjectName("reportList");
    reportList->setGeometry(10, 10, 596, 320);
    reportList->setFont(arialFont(16));
    reportList->setFrameShape(QFrame::NoFrame);
    reportList->setUniformItemSizes(true);
    reportList->setItemDelegate(new ReportLineDelegate(reportList));
    reportList->setAccessibleName(QStringLiteral("Отчет"));

    deleteSoundButton = addCaptionedButton(this, QPoint(235, 364), QStringLiteral("Удалить звуковой файл"),
                                          SkinArt::ButtonSymbol::DeleteRecording, 170)
                           .button;
    deleteSoundButton->setObjectName("deleteSoundButton");
    deleteSoundButton->setEnabled(false);
    closeButton =
        addCaptionedButton(this, QPoint(495, 364), QStringLiteral("Закрыть"), SkinArt::ButtonSymbol::Exit).button;
    closeButton->setObjectName("closeButton");
    closeButton->setCancel(true);
    closeButton->setModalResult(QDialog::Accepted);

    helpButton = addHelpButton(this, QPoint(365, 364), QStringLiteral("Report"));

    // Made after the others, so that their Alt letters stay what they were.
    const CaptionedButton listen =
        addCaptionedButton(this, QPoint(105, 364), QStringLiteral("Прослушать"), SkinArt::ButtonSymbol::Play);
    listenButton = listen.button;
    listenButton->setObjectName("listenButton");
    listenButton->setEnabled(false);
    listenCaption_ = listen.caption;
    setTabOrder(reportList, listenButton);
    setTabOrder(listenButton, deleteSoundButton);

    player = new SoundDevice(audio, this);
    player->setObjectName("player");

    // The buttons follow the selected line, chosen by the mouse or the arrow keys.
    connect(reportList, &QListWidget::itemClicked, this, &ReportWindow::showSelectedLine);
    connect(reportList, &QListWidget::currentRowChanged, this, &ReportWindow::showSelectedLine);
    connect(deleteSoundButton, &QPushButton::clicked, this, &ReportWindow::deleteSelectedSound);
    connect(listenButton, &QPushButton::clicked, this, &ReportWindow::listenOrStop);
    // The recording played to its end, or its device went away.
    connect(player, &SoundDevice::OnNotify, this, &ReportWindow::stopListening);
    connect(player, &SoundDevice::soundLost, this, &showErrorMessage);
    assignMnemonics(*this);
}

ReportWindow::~ReportWindow() = default;

void ReportWindow::fill(const Catalogue &catalogue, ProgressState &progress, ReportSession::RecordingOf recordingOf)
{
    session_ = std::make_unique<ReportSession>(catalogue, progress, std::move(recordingOf));
    reportList->clear();
    for (int line = 0; line < session_->lines().size(); ++line) {
        reportList->addItem(QString());
        showLine(line);
    }
}

void ReportWindow::showLine(int line)
{
    QListWidgetItem *item = reportList->item(line);
    item->setText(session_->lines()[line].text);
    item->setData(Qt::UserRole, session_->lineDone(line));
    item->setData(Qt::AccessibleDescriptionRole,
                  session_->lineDone(line) ? QStringLiteral("выполнено") : QString());
}

void ReportWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
    reportList->viewport()->update();
}

void ReportWindow::showSelectedLine()
{
    // A click on the line that plays leaves it playing.
    if (reportList->currentRow() != listenedLine_)
        stopListening();
    if (!session_)
        return;
    const int line = reportList->currentRow();
    deleteSoundButton->setEnabled(session_->canDeleteSound(line));
    listenButton->setEnabled(!session_->recordingToPlay(line).isEmpty());
}

void ReportWindow::listenOrStop()
{
    if (player->opened()) {
        stopListening();
        return;
    }
    const QString recording = session_ ? session_->recordingToPlay(reportList->currentRow()) : QString();
    if (recording.isEmpty())
        return;
    player->FileName = recording;
    try {
        player->Open();
    } catch (const CourseError &error) {
        showErrorMessage(error.userText());
        return;
    }
    listenedLine_ = reportList->currentRow();
    showListening(true);
    player->Play();
}

void ReportWindow::stopListening()
{
    // Closing the device also drops the notification of the playback it ends.
    player->Close();
    listenedLine_ = -1;
    showListening(false);
}

void ReportWindow::showListening(bool playing)
{
    const QString caption = playing ? QStringLiteral("Остановить") : QStringLiteral("Прослушать");
    if (listenButton->text() == caption)
        return;
    listenButton->setText(caption);
    SkinArt::applyPushButtonGlyphs(*listenButton, playing ? SkinArt::ButtonSymbol::Stop : SkinArt::ButtonSymbol::Play);
    listenCaption_->setText(caption);
    // The new caption gets an Alt letter of its own, as every caption has one.
    assignMnemonics(*this);
}

void ReportWindow::done(int result)
{
    stopListening();
    QDialog::done(result);
}

// The button keeps its state after a deletion until the next click on a line.
void ReportWindow::deleteSelectedSound()
{
    // A recording that plays is let go before its file is deleted.
    stopListening();
    const int line = reportList->currentRow();
    QString problem;
    if (session_ && session_->deleteSound(line, &problem)) {
        showLine(line);
        listenButton->setEnabled(!session_->recordingToPlay(line).isEmpty());
        emit progressChanged();
    }
    if (!problem.isEmpty())
        showMessageBox(problem, QStringLiteral("Внимание"), 48);
}
