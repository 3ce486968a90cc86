#pragma once

#include "CueFileWriter.h"
#include "ScrollingText.h"
#include "TextWorkFiles.h"

#include <QObject>
#include <QSize>
#include <QString>

class SoundDevice;

// What the dispatcher hands the listening window for one exercise.
struct ListenTranslateSettings {
    QString courseSound;
    QString recordingName; // empty: the learner only listens
    QString textFile;
    QString translationFile;
    QString timingFile;
    QString pictureListFile;
    bool textAllowed = false;
    bool translationAllowed = false;
    bool waitOffered = false; // the "Подождать" button, and the cue file
    QString pictureFolder;
    int helpTopic = 0;

    bool recording() const { return !recordingName.isEmpty(); }
};

// The rules of the listening window, apart from its widgets: the course sound plays from
// beginning to end while a second device records the learner; the text and translation
// scroll with the sound, the current syntagm highlighted; the learner may pause, and in the
// wait kind hold the text while speaking, and the cue file times every syntagm in the
// recording.
//
// The window calls tick() on its 50 ms timer while timerActive(), the action methods from
// its buttons, and forwards the two devices' notifications; stateChanged() tells it to
// read the state back. Syntagms and lines count from 1.
class ListenTranslateSession : public QObject {
    Q_OBJECT
public:
    static constexpr qint32 NotEnded = 2000000000;
    // Recording goes on this long after the text has ended.
    static constexpr qint32 TailMs = 10000;
    // A wait ends by itself after the syntagm's own length and this much more.
    static constexpr qint32 WaitAllowanceMs = 20000;
    static constexpr qint32 RecordingMsPerLine = 10000;
    static inline const QString Template = QStringLiteral("TSBegin.wav");

    struct Controls {
        bool start = true;
        bool pause = false;
        bool stop = false;
        bool wait = false;
        bool exit = true;
        bool textBox = false;        // "Показывать текст"
        bool translationBox = false; // "Показывать перевод"
        friend bool operator==(const Controls &, const Controls &) = default;
    };

    // What the window shows in each panel.
    struct Panels {
        bool staticPicture = true; // the picture over the text area
        bool textArea = false;
        bool changingPicture = true; // the story's picture over the translation area
        bool translationArea = false;
        friend bool operator==(const Panels &, const Panels &) = default;
    };

    ListenTranslateSession(SoundDevice &player, SoundDevice &recorder, ListenTranslateSettings settings,
                           QObject *parent = nullptr);

    // Reads the course files; false when one was missing or damaged (the window reports it
    // and goes on with what was read).
    bool load();
    // Wraps both texts for paint areas of `area` and puts the first picture up.
    void prepare(QSize area, const QFont &font = ScrollingText::lineFont());

    // The start button, with the ticks the check boxes have. Opening a sound may raise
    // (CourseError): the start is abandoned there, its controls as they were then.
    void start(bool textTicked, bool translationTicked);
    // One step of the 50 ms timer.
    void tick();
    void pauseClicked();
    void waitClicked();
    // The course sound's speed was changed (on the player): a slower one also moves the first
    // recording's end, which is still running, to what it would have been at that speed.
    void speedChanged();
    // "Стоп", the tail rule, and the end of the text without recording.
    void stop();
    // "Выход": ends a playback that still runs and closes the devices.
    void leave();
    // The devices' end notifications.
    void recorderNotified();
    void playerNotified();
    // A device was lost under its command (after that command's notification): the run
    // stops as "Стоп" stops it, what was recorded is saved, the window goes idle at once and
    // the learner is told, once a run.
    void soundLost(const QString &message);

    const ListenTranslateSettings &settings() const { return settings_; }
    const TextWorkFiles &files() const { return files_; }
    const ScrollingText &text() const { return text_; }
    const ScrollingText &translation() const { return translation_; }
    int lineCount() const { return files_.lineCount(); }

    const Controls &controls() const { return controls_; }
    const Panels &panels() const { return panels_; }
    QString startLabel() const;
    QString pauseLabel() const;
    QString waitLabel() const;
    bool timerActive() const { return timerActive_; }
    int progressMax() const { return progressMax_; }
    int progressPosition() const { return progressPosition_; }

    bool playing() const { return playing_; }
    bool paused() const { return paused_; }
    bool waiting() const { return waiting_; }
    bool stopped() const { return stopped_; }
    bool textShown() const { return textShown_; }
    bool translationShown() const { return translationShown_; }
    int currentIndex() const { return currentIndex_; }
    int currentPicture() const { return currentPicture_; }
    qint32 playEndRec() const { return playEndRec_; }
    // How long the last recording was when it stopped, in ms.
    qint32 recordedMs() const { return recordedMs_; }
    // The end position of the first Record: twice the sound and 10 s per display line.
    qint32 firstRecordingLimit() const;
    // The picture shown when the window opens and after every stop.
    QString firstPicture() const;

signals:
    void stateChanged();
    // Draw the images again (text(), translation()).
    void repaintWanted();
    void pictureChanged(const QString &path);
    // A message for the learner, as the message window shows it.
    void messageWanted(const QString &text, const QString &caption, int icon);

private:
    Segment timing(int line) const;
    bool isSeparator(int line) const;
    void skipSeparators();
    void changePicture();
    void showFirstPicture();
    void setIdle();
    void finishRecording();
    bool saveRecording();
    qint32 recorderPosition();

    SoundDevice &player_;
    SoundDevice &recorder_;
    ListenTranslateSettings settings_;
    TextWorkFiles files_;
    ScrollingText text_;
    ScrollingText translation_;
    CueFileWriter cue_;
    Controls controls_;
    Panels panels_;
    bool timerActive_ = false;
    int progressMax_ = 0;
    int progressPosition_ = 0;
    qint32 soundLength_ = 0;
    bool playing_ = false;
    bool paused_ = false;
    bool waiting_ = false;
    bool stopped_ = false;
    bool textShown_ = false;
    bool translationShown_ = false;
    bool saveReported_ = false;
    bool lossTold_ = false;
    int currentIndex_ = 2;
    int currentPicture_ = 0;
    qint32 playEndRec_ = NotEnded;
    qint32 recordingEnd_ = NotEnded; // of the first recording, while it runs
    qint32 waitStartRec_ = 0;
    qint32 recordedMs_ = 0;
};
