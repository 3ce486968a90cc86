#include "ReportWindow.h"

#include "controls/FramedPanel.h"
#include "controls/PictureButton.h"
#include "controls/SkinArt.h"
#include "ui/DialogFrame.h"
#include "ui/MessageWindow.h"
#include "ui/Mnemonics.h"

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

ReportWindow::ReportWindow(QWidget *parent) : QDialog(parent)
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

    deleteSoundButton = addCaptionedButton(this, QPoint(160, 364), QStringLiteral("Удалить звуковой файл"),
                                          SkinArt::ButtonSymbol::Stop, 170)
                           .button;
    deleteSoundButton->setObjectName("deleteSoundButton");
    deleteSoundButton->setEnabled(false);
    closeButton =
        addCaptionedButton(this, QPoint(440, 364), QStringLiteral("Закрыть"), SkinArt::ButtonSymbol::Exit).button;
    closeButton->setObjectName("closeButton");
    closeButton->setCancel(true);
    closeButton->setModalResult(QDialog::Accepted);

    helpButton = addHelpButton(this, QPoint(300, 364), QStringLiteral("Report"));

    // The delete button follows the selected line, chosen by the mouse or the arrow keys.
    connect(reportList, &QListWidget::itemClicked, this, &ReportWindow::showSelectedLine);
    connect(reportList, &QListWidget::currentRowChanged, this, &ReportWindow::showSelectedLine);
    connect(deleteSoundButton, &QPushButton::clicked, this, &ReportWindow::deleteSelectedSound);
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
    if (session_)
        deleteSoundButton->setEnabled(session_->canDeleteSound(reportList->currentRow()));
}

// The button keeps its state after a deletion until the next click on a line.
void ReportWindow::deleteSelectedSound()
{
    const int line = reportList->currentRow();
    QString problem;
    if (session_ && session_->deleteSound(line, &problem)) {
        showLine(line);
        emit progressChanged();
    }
    if (!problem.isEmpty())
        showMessageBox(problem, QStringLiteral("Внимание"), 48);
}
