#pragma once

#include "ListenTranslateSession.h"
#include "MicrophoneMeter.h"

#include <QDialog>
#include <QRect>

class AudioBackend;
class FlatPictureButton;
class ListeningPaintArea;
class PictureCheckBox;
class PictureProgressBar;
class QLabel;
class QProgressBar;
class QTimer;
class SpeedBox;

// The listening window: the learner listens to a lesson's text from beginning to end and,
// in the recording kinds, translates aloud into a recording of his own. The text and the
// translation hide behind pictures unless the exercise lets the learner show them; a
// progress bar counts the seconds played. Closes with Cancel on "Выход".
class ListenTranslateWindow : public QDialog {
    Q_OBJECT
public:
    // Size of the design and height of its bottom bar.
    static constexpr int DesignWidth = 722;
    static constexpr int DesignHeight = 332;
    static constexpr int BarHeight = 77;

    ListenTranslateWindow(AudioBackend &audio, const ListenTranslateSettings &settings, QWidget *parent = nullptr);
    ~ListenTranslateWindow() override;

    // Where the window goes in the main window's client area (screen coordinates): as large as
    // the area allows at the design's proportions, centred across the other way.
    static QRect fittedGeometry(const QRect &area);
    void fitInto(const QRect &area);
    // Reads the course files (reporting damaged ones) and wraps the texts for the paint areas.
    void prepareText();

    ListenTranslateSession &session() { return *session_; }
    int helpTopic() const { return session_->settings().helpTopic; }

    // The handlers.
    void startPlayback();
    void followSound();
    void togglePause();
    void toggleWait();
    void stopPlayback();
    void showHelp();
    void leave();
    // One look at the microphone (a timer's, ten times a second and more): while the learner
    // is recorded, the mark, the meter and a warning when nothing is heard.
    void showMicrophone();

    SoundDevice *player;
    SoundDevice *recorder;
    QTimer *soundFollowTimer;
    QWidget *textPanel;
    QWidget *translationPanel;
    QLabel *staticPicture;
    QLabel *changingPicture;
    ListeningPaintArea *textArea;
    ListeningPaintArea *translationArea;
    QWidget *navigationBar;
    PictureProgressBar *progressBar;
    SpeedBox *speedBox;
    QTimer *microphoneTimer;
    QLabel *recordingMark;
    QProgressBar *levelMeter;
    QLabel *unheardWarning;
    PictureCheckBox *textBox;
    PictureCheckBox *translationBox;
    FlatPictureButton *startButton;
    QLabel *startCaption;
    FlatPictureButton *pauseButton;
    QLabel *pauseCaption;
    FlatPictureButton *stopButton;
    FlatPictureButton *waitButton;
    QLabel *waitCaption;
    FlatPictureButton *helpButton;
    FlatPictureButton *exitButton;

    void reject() override; // Esc leaves as "Выход" does

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void showState();
    void showPicture(const QString &path);
    void repaintAreas();
    void placeChildren();

    ListenTranslateSession *session_;
    QList<QPair<FlatPictureButton *, QLabel *>> barButtons_; // in their order along the bar
    QImage changingImage_;
    MicrophoneMeter meter_;
    bool metering_ = false;
};

// One run of the listening window in the main window's client `area`: shows it modally and,
// after it closed, recovers a recording that could not be saved from the sound device's
// safety copy. Always 0.
int runListenTranslate(AudioBackend &audio, const QRect &area, const ListenTranslateSettings &settings);
