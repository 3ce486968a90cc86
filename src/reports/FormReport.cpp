#include "FormReport.h"

#include "controls/BtnImgD1KL.h"
#include "controls/FramedPanel.h"
#include "controls/SkinArt.h"
#include "ui/DialogFrame.h"

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

TFormReport::TFormReport(QWidget *parent) : QDialog(parent)
{
    setObjectName("FormReport");
    setupDialogFrame(*this, QSize(640, 441), QStringLiteral("Отчет"));
    setProperty("helpContext", 70);

    auto *panel = new FramedPanel(this);
    panel->setGeometry(12, 12, 616, 340);
    ListBoxReport = new QListWidget(panel);
    ListBoxReport->setObjectName("ListBoxReport");
    ListBoxReport->setGeometry(10, 10, 596, 320);
    ListBoxReport->setFont(arialFont(16));
    ListBoxReport->setFrameShape(QFrame::NoFrame);
    ListBoxReport->setUniformItemSizes(true);
    ListBoxReport->setItemDelegate(new ReportLineDelegate(ListBoxReport));
    ListBoxReport->setAccessibleName(QStringLiteral("Отчет"));

    BtnImgDeleteFile = addCaptionedButton(this, QPoint(200, 364), QStringLiteral("Удалить звуковой файл"),
                                          SkinArt::ButtonSymbol::Stop, 170)
                           .button;
    BtnImgDeleteFile->setObjectName("BtnImgDeleteFile");
    BtnImgDeleteFile->setEnabled(false);
    BtnImgClose =
        addCaptionedButton(this, QPoint(400, 364), QStringLiteral("Закрыть"), SkinArt::ButtonSymbol::Exit).button;
    BtnImgClose->setObjectName("BtnImgClose");
    BtnImgClose->setCancel(true);
    BtnImgClose->setModalResult(QDialog::Accepted);

    connect(ListBoxReport, &QListWidget::itemClicked, this, &TFormReport::ListBoxReportClick);
    connect(BtnImgDeleteFile, &QPushButton::clicked, this, &TFormReport::BtnImgDeleteFileClick);
}

TFormReport::~TFormReport() = default;

void TFormReport::fill(const Catalogue &catalogue, ProgressState &progress)
{
    session_ = std::make_unique<ReportSession>(catalogue, progress);
    ListBoxReport->clear();
    for (int line = 0; line < session_->lines().size(); ++line) {
        ListBoxReport->addItem(QString());
        showLine(line);
    }
}

void TFormReport::showLine(int line)
{
    QListWidgetItem *item = ListBoxReport->item(line);
    item->setText(session_->lines()[line].text);
    item->setData(Qt::UserRole, session_->lineDone(line));
    item->setData(Qt::AccessibleDescriptionRole,
                  session_->lineDone(line) ? QStringLiteral("выполнено") : QString());
}

void TFormReport::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
    ListBoxReport->viewport()->update();
}

void TFormReport::ListBoxReportClick()
{
    if (session_)
        BtnImgDeleteFile->setEnabled(session_->canDeleteSound(ListBoxReport->currentRow()));
}

// The button keeps its state after a deletion until the next click on a line.
void TFormReport::BtnImgDeleteFileClick()
{
    const int line = ListBoxReport->currentRow();
    if (session_ && session_->deleteSound(line))
        showLine(line);
}
