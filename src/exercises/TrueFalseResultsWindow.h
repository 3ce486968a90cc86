#pragma once

#include "TrueFalseDrill.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

// "Результаты упражнения": every statement of a finished true/false run with its right answer
// and whether the learner's answer was right. Lives as long as its owner and is filled anew
// for each run.
class TrueFalseResultsWindow : public QDialog {
    Q_OBJECT
public:
    explicit TrueFalseResultsWindow(QWidget *parent = nullptr);

    // Rows below the header; statements beyond them are not shown.
    static constexpr int DataRows = TrueFalseDrill::MaxResultRows;

    // Fills the window for one run; rows left over from an earlier run are cleared.
    void fill(int count, int errors, const QList<TrueFalseResultRow> &rows);

    QTableWidget *resultsTable;
    QLabel *totalCounter;
    QLabel *errorCounter;
    QLabel *commentLabel;
    QPushButton *okButton;

protected:
    void showEvent(QShowEvent *event) override;
};
