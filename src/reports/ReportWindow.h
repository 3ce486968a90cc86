#pragma once

#include "ReportSession.h"

#include <QDialog>
#include <QListWidget>

#include <memory>

class PictureButton;

// "Отчет": the learner's report, done exercises in bold, with deletion of a recording.
class ReportWindow : public QDialog {
    Q_OBJECT
public:
    explicit ReportWindow(QWidget *parent = nullptr);
    ~ReportWindow() override;

    // Refills the list from the learner's mode catalogue and in-memory progress; with
    // `recordingOf`, interrupted recordings kept beside the learner's are offered too.
    void fill(const Catalogue &catalogue, ProgressState &progress, ReportSession::RecordingOf recordingOf = {});

    QListWidget *reportList;
    PictureButton *deleteSoundButton;
    PictureButton *closeButton;
    PictureButton *helpButton;

    void showSelectedLine();
    void deleteSelectedSound();

signals:
    // A recording was deleted and its mark taken: the progress is to be saved at once.
    void progressChanged();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showLine(int line);

    std::unique_ptr<ReportSession> session_;
};
