#pragma once

#include "ReportSession.h"

#include <QDialog>
#include <QListWidget>

#include <memory>

class TBtnImgD1KL;

// "Отчет": the learner's report, done exercises in bold, with deletion of a recording.
class TFormReport : public QDialog {
    Q_OBJECT
public:
    explicit TFormReport(QWidget *parent = nullptr);
    ~TFormReport() override;

    // Refills the list from the learner's mode catalogue and in-memory progress.
    void fill(const Catalogue &catalogue, ProgressState &progress);

    QListWidget *ListBoxReport;
    TBtnImgD1KL *BtnImgDeleteFile;
    TBtnImgD1KL *BtnImgClose;

    void ListBoxReportClick();
    void BtnImgDeleteFileClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showLine(int line);

    std::unique_ptr<ReportSession> session_;
};
