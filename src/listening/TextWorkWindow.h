#pragma once

#include "TextWorkSession.h"

#include "controls/SkinArt.h"

#include <QDialog>
#include <QImage>
#include <QKeySequence>
#include <QRect>
#include <QTimer>

#include <optional>
#include <utility>

class AudioBackend;
class FlatPictureButton;
class PictureCheckBox;
class QLabel;
class QPushButton;
class QSlider;
class QTextEdit;
class SoundDevice;
class SpeedBox;
class SyntagmTextView;
class WaveformStrip;

// "Работа с текстом": the English text and its translation side by side, the current line
// following the sound and highlighted in both, a picture that changes with the story,
// comments on lines and a marked fragment played in a loop. The rules live in
// TextWorkSession; this window binds its widgets to it. Made by runTextWork for one run.
class TextWorkWindow : public QDialog {
    Q_OBJECT
public:
    TextWorkWindow(AudioBackend &audio, TextWorkSources sources, QWidget *parent = nullptr);
    ~TextWorkWindow() override;

    // Where the window stands in `area` (the main window's client area): as wide as the area
    // with the height its panels' proportions give, or, when that would not fit, as high as
    // the area with the width the proportions give; centred along the other direction.
    static QRect fittedGeometry(const QRect &area);
    void fitInto(const QRect &area);

    // Reads the course files and shows the start state. A damaged or missing file is
    // reported once the window's event loop runs; the window goes on with what was read.
    void startRun();

    TextWorkSession &session() { return *session_; }
    // The help topic number F1 asks for: 180 with the learner's recording, else 130.
    int helpContext() const;

    QWidget *textPanel;
    QWidget *translationPanel;
    SyntagmTextView *textView;
    SyntagmTextView *translationView;
    QLabel *staticPicture;
    QLabel *changingPicture;
    QWidget *bottomBar;
    QSlider *lineSlider;
    WaveformStrip *waveformStrip;
    PictureCheckBox *textBox;
    PictureCheckBox *translationBox;
    PictureCheckBox *learnerBox;
    SpeedBox *speedBox;
    FlatPictureButton *playAllButton;
    FlatPictureButton *playFromLineButton;
    FlatPictureButton *playLineButton;
    FlatPictureButton *stopButton;
    FlatPictureButton *markerButton;
    FlatPictureButton *loopButton;
    FlatPictureButton *compareButton;
    FlatPictureButton *commentButton;
    FlatPictureButton *helpButton;
    FlatPictureButton *exitButton;
    QLabel *markerCaption;
    QWidget *commentPanel;
    QTextEdit *commentText;
    QPushButton *commentCloseButton;

public slots:
    // One step of the 50 ms timer: the session follows the sound, the shown texts follow it.
    void followSound();
    void showComments();
    void closeComments();
    // "Помощь": the topic "ListenTrans" with the learner's recording, else "WorkText".
    void showHelp();
    void leave();

    // The close box leaves as "Выход" does.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FlatPictureButton *addBarButton(const QString &caption, SkinArt::ButtonSymbol symbol, const QKeySequence &key);
    PictureCheckBox *addSwitch(const QString &caption, const QKeySequence &key);
    void arrange();
    void showState();
    void showChangingPicture(const QString &file);
    void showPicture(QLabel *label, const QImage &picture);
    void act(void (TextWorkSession::*action)());

    void showWaveform();

    SoundDevice *courseDevice_;
    SoundDevice *learnerDevice_;
    TextWorkSession *session_;
    QTimer soundFollowTimer_;
    QList<std::pair<FlatPictureButton *, QLabel *>> barButtons_;
    QWidget *focusMark_;
    QImage changingImage_;
    std::optional<std::pair<int, int>> shownRange_;
};

// The entry routine of the text-work exercise: makes the window for one run, fits it into
// `clientArea`, shows it modally and destroys it. `learnerRecording` is the learner's
// recorded translation to offer instead of the course sound (empty: none); every
// PictureFile of the picture list is taken from `pictureFolder`. Always 0: the
// end-of-exercise dialog follows however the window was left.
int runTextWork(AudioBackend &audio, const QRect &clientArea, const QString &courseSound,
                const QString &learnerRecording, const QString &textFile, const QString &translationFile,
                const QString &timingFile, const QString &pictureListFile, const QString &pictureFolder);
