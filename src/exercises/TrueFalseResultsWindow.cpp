#include "TrueFalseResultsWindow.h"

#include "controls/CounterLabel.h"
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

TrueFalseResultsWindow::TrueFalseResultsWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName("trueFalseResultsWindow");
    setWindowTitle(QStringLiteral("Результаты упражнения"));
    setFixedSize(553, 234);

    resultsTable = new QTableWidget(DataRows, 3, this);
    resultsTable->setObjectName("resultsTable");
    resultsTable->setGeometry(8, 8, 537, 162);
    resultsTable->setHorizontalHeaderLabels(
        {QStringLiteral("Вопрос"), QStringLiteral("Ответ"), QStringLiteral("Ваш ответ")});
    resultsTable->verticalHeader()->hide();
    // The design's widths (504, 58, 80) are wider than the grid: the answer columns keep
    // theirs and the statements take the rest, so all three show without scrolling sideways.
    resultsTable->setColumnWidth(1, 58);
    resultsTable->setColumnWidth(2, 80);
    resultsTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    resultsTable->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
    resultsTable->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Fixed);
    resultsTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    resultsTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    resultsTable->setAccessibleName(QStringLiteral("Результаты"));

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::Panel);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(8, 174, 537, 24);
    addLineLabel(line, QStringLiteral("Всего вопросов:"), 6, 110);
    totalCounter = new CounterLabel(QStringLiteral("Всего вопросов"), line);
    totalCounter->setGeometry(118, 2, 40, 20);
    totalCounter->setObjectName("totalCounter");
    addLineLabel(line, QStringLiteral("Неправильных ответов:"), 170, 160);
    errorCounter = new CounterLabel(QStringLiteral("Неправильных ответов"), line);
    errorCounter->setGeometry(332, 2, 40, 20);
    errorCounter->setObjectName("errorCounter");
    commentLabel = addLineLabel(line, QString(), 384, 148);
    commentLabel->setObjectName("commentLabel");

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName("okButton");
    okButton->setGeometry(236, 204, 80, 25);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TrueFalseResultsWindow::fill(int count, int errors, const QList<TrueFalseResultRow> &rows)
{
    totalCounter->setNum(count);
    errorCounter->setNum(errors);
    commentLabel->setText(QStringLiteral("Комментарий"));
    resultsTable->clearContents();
    for (int row = 0; row < rows.size() && row < DataRows; ++row) {
        auto *statement = new QTableWidgetItem(rows[row].statement);
        statement->setToolTip(rows[row].statement);
        resultsTable->setItem(row, 0, statement);
        resultsTable->setItem(row, 1, new QTableWidgetItem(rows[row].rightAnswer));
        resultsTable->setItem(row, 2, new QTableWidgetItem(rows[row].answeredRight));
    }
    resultsTable->scrollToTop();
}

void TrueFalseResultsWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
}
