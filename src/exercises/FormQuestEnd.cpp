#include "FormQuestEnd.h"

#include "ui/DialogFrame.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace {

QLabel *addLineLabel(QWidget *parent, const QString &text, int left, int width)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(left, 2, width, 20);
    return label;
}

} // namespace

TFormQuestEnd::TFormQuestEnd(QWidget *parent) : QDialog(parent)
{
    setObjectName("FormQuestEnd");
    setWindowTitle(QStringLiteral("Результаты упражнения"));
    setFixedSize(553, 234);

    StringGridRes = new QTableWidget(DataRows, 3, this);
    StringGridRes->setObjectName("StringGridRes");
    StringGridRes->setGeometry(8, 8, 537, 162);
    StringGridRes->setHorizontalHeaderLabels(
        {QStringLiteral("Вопрос"), QStringLiteral("Ответ"), QStringLiteral("Ваш ответ")});
    StringGridRes->verticalHeader()->hide();
    StringGridRes->setColumnWidth(0, 504);
    StringGridRes->setColumnWidth(1, 58);
    StringGridRes->setColumnWidth(2, 80);
    StringGridRes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGridRes->setAccessibleName(QStringLiteral("Результаты"));

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::Panel);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(8, 174, 537, 24);
    addLineLabel(line, QStringLiteral("Всего вопросов:"), 6, 110);
    LabelCount = addLineLabel(line, QString(), 118, 40);
    LabelCount->setObjectName("LabelCount");
    LabelCount->setAccessibleName(QStringLiteral("Всего вопросов"));
    addLineLabel(line, QStringLiteral("Неправильных ответов:"), 170, 160);
    LabelError = addLineLabel(line, QString(), 332, 40);
    LabelError->setObjectName("LabelError");
    LabelError->setAccessibleName(QStringLiteral("Неправильных ответов"));
    LabelComent = addLineLabel(line, QString(), 384, 148);
    LabelComent->setObjectName("LabelComent");

    BitBtnOk = new QPushButton(QStringLiteral("OK"), this);
    BitBtnOk->setObjectName("BitBtnOk");
    BitBtnOk->setGeometry(236, 204, 80, 25);
    BitBtnOk->setDefault(true);
    connect(BitBtnOk, &QPushButton::clicked, this, &QDialog::accept);
}

void TFormQuestEnd::fill(int count, int errors, const QList<TrueFalseResultRow> &rows)
{
    LabelCount->setNum(count);
    LabelError->setNum(errors);
    LabelComent->setText(QStringLiteral("Комментарий"));
    StringGridRes->clearContents();
    for (int row = 0; row < rows.size() && row < DataRows; ++row) {
        StringGridRes->setItem(row, 0, new QTableWidgetItem(rows[row].statement));
        StringGridRes->setItem(row, 1, new QTableWidgetItem(rows[row].rightAnswer));
        StringGridRes->setItem(row, 2, new QTableWidgetItem(rows[row].answeredRight));
    }
    StringGridRes->scrollToTop();
}

void TFormQuestEnd::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
}
