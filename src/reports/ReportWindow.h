#pragma once

#include "ReportSession.h"

#include <QDialog>
#include <QListWidget>

#include <memory>

class AudioBackend;
class PictureButton;
class QLabel;
class SoundDevice;

// "Отчет": the learner's report, done exercises in bold, with the learner's recording of a
// done exercise to listen to or delete.
class ReportWindow : public QDialog {
    Q_OBJECT
public:
    explicit ReportWindow(AudioBackend &audio, QWidget *parent = nullptr);
    ~ReportWindow() override;

    // Refills the list from the learner's mode catalogue and in-memory progress; with
    // `recordingOf`, interrupted recordings kept beside the learner's are offered too.
    void fill(const Catalogue &catalogue, ProgressState &progress, ReportSession::RecordingOf recordingOf = {});

    QListWidget *reportList;
    PictureButton *listenButton;
    PictureButton *deleteSoundButton;
    PictureButton *closeButton;
    PictureButton *helpButton;
    SoundDevice *player;

    void showSelectedLine();
    void deleteSelectedSound();
    // "Прослушать" plays the selected line's recording; while it plays, the same button
    // ("Остановить") stops it.
    void listenOrStop();
    void stopListening();

    // However the window is left, its sound stops and the device is closed.
    void done(int result) override;

signals:
    // A recording was deleted and its mark taken: the progress is to be saved at once.
    void progressChanged();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showLine(int line);
    void showListening(bool playing);

    std::unique_ptr<ReportSession> session_;
    QLabel *listenCaption_;
    int listenedLine_ = -1; // the line whose recording plays
};
