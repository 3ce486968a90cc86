#pragma once

#include "TextWorkFiles.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>
#include <optional>

class SoundDevice;
struct SoundData;

// The rules of one text-work run, apart from its widgets: which line is current while the
// sound plays, the four ways of playing, the marked fragment and its loop, the pictures
// that change with the story and the comments of a line.
//
// The window calls tick() on its 50 ms timer, the action methods from its buttons, and
// reads the state back (controls(), currentIndex(), markedRange(), scrollSpeed(), …);
// stateChanged() tells it that something it shows may have changed. The device's end
// notification is handled here.
//
// The course sound and the learner's recording play on devices of their own, each reading its
// file once: the speed slows only the course sound, and both sounds' frames stay at hand for
// the waveform of the current line.
//
// Lines are numbered from 1 as in the course files; a text control's Position is
// currentIndex() − 1.
class TextWorkSession : public QObject {
    Q_OBJECT
public:
    // Scrolling slowness of the text controls while idle and while following the sound.
    static constexpr int IdleScrollSpeed = 30000;
    static constexpr int FollowScrollSpeed = 100000;

    // Enabled state of the window's controls.
    struct Controls {
        bool slider = true;
        bool playAll = true;       // "С начала"
        bool playFromLine = true;  // "С фрагмента"
        bool playLine = true;      // "Фрагмент"
        bool stop = false;         // "Стоп"
        bool loop = true;          // "Цикл"
        bool marker = true;        // "Начало" / "Окончание", and the Space key
        bool comment = false;      // "Комментарий"
        bool learnerSound = false; // "Перевод пользователя"
        bool compare = false;      // "Сравнить"
        friend bool operator==(const Controls &, const Controls &) = default;
    };

    // The pause between the course's line and the learner's in a comparison.
    static constexpr int ComparePauseMs = 300;

    TextWorkSession(SoundDevice &courseDevice, SoundDevice &learnerDevice, TextWorkSources sources,
                    QObject *parent = nullptr);

    // Reads the course files, then the sounds. False when a course file was missing or
    // damaged: the window then reports it (reportTextWorkReadError) and goes on with what was
    // read. A sound that cannot be read is reported by the play action that opens it.
    bool load();
    const TextWorkFiles &files() const { return files_; }
    const TextWorkSources &sources() const { return sources_; }

    // One step of the 50 ms timer: moves the current line after the sound (at most two lines),
    // enables "Комментарий" for a line with comments and, while the translation is hidden,
    // changes the picture.
    void tick();

    // The play actions. Opening the sound may raise (CourseError); nothing has changed then.
    void playAll();           // "С начала"
    void playFromLine();      // "С фрагмента"
    void playLine();          // "Фрагмент"
    void playLoop();          // "Цикл"
    // "Сравнить": the current line of the course sound, a pause, then the same line of the
    // learner's recording by its cue file; the current line stays.
    void compare();
    void stop();              // "Стоп"
    // The marker button or Space: sets the fragment's beginning, then its end.
    void mark();
    // The slider moved (by the learner or by the window after a tick).
    void setCurrentIndex(int line);
    // The check boxes report their click with the state from before it.
    void textBoxClicked(bool wasChecked);
    void translationBoxClicked(bool wasChecked);
    void learnerBoxClicked(bool wasChecked);
    // "Комментарий": ends a playback and returns the comments of the current line, in file order.
    QStringList openComments();

    int currentIndex() const { return currentIndex_; }
    int lineCount() const { return files_.lineCount(); }
    const Controls &controls() const { return controls_; }
    bool following() const { return following_; }
    bool playing() const { return playing_; }
    bool textShown() const { return textShown_; }
    bool translationShown() const { return translationShown_; }
    bool learnerSoundChosen() const { return learnerChosen_; }
    QString currentSound() const { return learnerChosen_ ? sources_.learnerRecording : sources_.courseSound; }
    bool comparing() const { return comparePhase_ != ComparePhase::None; }

    // For the waveform: the frames of the two sounds (null when not read) and each one's span
    // of the current line in milliseconds (empty when it has none).
    std::shared_ptr<const SoundData> courseFrames() const;
    std::shared_ptr<const SoundData> learnerFrames() const;
    Segment courseLine() const;
    Segment learnerLine() const;
    // What is heard now: the learner's recording (else the course sound) and its position in
    // milliseconds; no position while nothing sounds.
    bool learnerHeard() const { return playing_ && active_ == &learner_; }
    std::optional<qint32> heardPosition();
    int scrollSpeed() const { return scrollSpeed_; }

    QString markerLabel() const;
    int selectionBegin() const { return selectionBegin_; }
    int selectionEnd() const { return selectionEnd_; }
    bool loopSelection() const { return loopSelection_; }
    // The marked fragment as the text controls take it (0-based, first <= last), once marked.
    std::optional<std::pair<int, int>> markedRange() const;

    // The picture on show: index into files().pictures (0 = the one shown at the start) and
    // the file of the picture shown at the start.
    int currentPicture() const { return currentPicture_; }
    QString startPicture() const;

    QString helpKey() const;
    int helpContext() const;

signals:
    // Controls, current line, marker, fragment or scroll speed may have changed.
    void stateChanged();
    // Show this picture file in the changing picture.
    void pictureChanged(const QString &path);
    // A playback ended without a loop to follow: the slider gets the focus back.
    void sliderFocusWanted();
    // The sound could not go on (the next round of the loop could not open it, or the device
    // was lost during a playback, which then ended): the window reports the text, as it
    // reports an open that fails on a button.
    void soundFailed(const QString &message);

private:
    enum class ComparePhase { None, Course, Pause, Learner };

    void playbackEnded();
    void playLearnerLine();
    bool compareAllowed() const;
    void setCompareControl();
    const QList<Segment> &followedTable() const;
    SoundDevice &chosenDevice();
    void openSound(SoundDevice &device);
    std::optional<Segment> openForLine(SoundDevice &device, Segment line);
    std::optional<Segment> openAtCurrentLine();
    void startPlayback(std::optional<qint32> from, std::optional<qint32> to, bool follow);
    void setIdleControls();
    void haltPlayback();

    SoundDevice &course_;
    SoundDevice &learner_;
    SoundDevice *active_ = nullptr; // the device of the playback, or of the last one
    TextWorkSources sources_;
    TextWorkFiles files_;
    Controls controls_;
    int currentIndex_ = 1;
    bool following_ = false;
    bool playing_ = false;
    bool textShown_ = false;
    bool translationShown_ = false;
    bool learnerChosen_ = false;
    int scrollSpeed_ = IdleScrollSpeed;
    bool markerSetsEnd_ = false;
    int selectionBegin_ = 0;
    int selectionEnd_ = 0;
    bool fragmentShown_ = false;
    bool loopSelection_ = false;
    int currentPicture_ = 0;
    ComparePhase comparePhase_ = ComparePhase::None;
    QTimer comparePause_;
};
