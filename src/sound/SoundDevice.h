#pragma once

#include "SoundTransport.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class AudioBackend;
class AudioInput;
class AudioOutput;
class RecordingSpool;

// The device mode as `Mode` reports it.
enum class SoundMode : int {
    NotReady = 0,
    Stopped = 1,
    Playing = 2,
    Recording = 3,
    Seeking = 4,
    Paused = 5,
    Open = 6,
};

// One sound device of a window, bound to one WAV file: the invisible player of the course's
// windows. All commands run on the user-interface thread and return at once; `Play` and
// `Record` end later, and every one of them that ends (at its end position, stopped, or
// replaced by the next Play or Record, paused or not) is announced by exactly one
// `OnNotify`, queued to the user-interface thread. `Close` ends the device's commands without
// announcing them, also those whose announcement is still queued. Positions and lengths are
// milliseconds; Position is what is being heard.
//
// `Open` raises a CourseError with the platform's text. `Play`, `Record`, `Stop`, `Pause`,
// `Save` and `Length` raise "device not open" on a closed device; every other failure only
// sets `DeviceError` (positions outside the sound: a Play or Record that starts nothing and
// announces nothing). `Position` and `Mode` never raise.
//
// The microphone is open only while a Record runs or is paused.
//
// A device lost under a running command (its sound server died or restarted, a headset went
// away) ends that command with its notification, which finds DeviceError at NoOutputDevice
// (a recording: RecordingInterrupted, what it captured kept), and then `soundLost` carries the
// message for the learner. The next Play or Record opens the platform's device anew; when none
// opens, its command ends at once in the same way.
//
// A recording overwrites the sound from its start position on and extends it; a copy of what
// is captured also goes to a hidden safety file beside FileName (RecordingSpool), removed at
// Close unless a Save failed.
class SoundDevice : public QObject {
    Q_OBJECT
public:
    explicit SoundDevice(AudioBackend &audio, QObject *parent = nullptr);
    ~SoundDevice() override; // a device still open is closed with its window

    QString FileName;
    bool AutoOpen = false;
    bool AutoRewind = true;
    // One-shot positions: they apply to the next Play or Record only, which clears them.
    std::optional<qint32> PlayFrom;
    std::optional<qint32> PlayTo;

    qint32 DeviceError() const { return deviceError_; }
    bool opened() const { return opened_; }

    // The speed of playback, 50–100 %: slower keeps the pitch, and positions, lengths and the
    // end of a command stay in the sound's own milliseconds. A change applies at once, also to
    // a running Play, which goes on from where it is heard. Recordings are always real time.
    int speedPercent() const { return transport_.speed(); }
    // The peak of what was recorded since the last call, 0 to 32768 (full scale); 0 when
    // nothing was.
    int takeRecordedPeak() { return transport_.takeRecordedPeak(); }
    // A recording runs, or is paused; unlike Mode, these leave DeviceError alone.
    bool recording() const { return opened_ && transport_.state() == TransportState::Recording; }
    bool recordingPaused() const { return opened_ && transport_.state() == TransportState::PausedRecording; }

    // Reads FileName now and keeps its frames: every later Open of that file plays them
    // without reading it again, and sound() gives them also while the device is closed. For a
    // device that only plays: a Record lets them go. Raises CourseError as Open does.
    void keepSound();
    // The frames of FileName the device holds (null: none), read-only. Safe to read on this
    // thread while the device plays, and after Close: playing never changes them, and a
    // recording writes into a copy of its own, so the frames handed out stay as they were.
    std::shared_ptr<const SoundData> sound() const;

    // The owning window calls this once it is created: opens FileName when AutoOpen is set.
    void windowCreated();

    void Open();
    void Close();
    void Play();
    void Record();
    void Stop();
    void Pause();
    void Save();
    qint32 Position();
    qint32 Length();
    SoundMode Mode();

    // The platform's text for a result code ("Unknown error code" when it has none).
    static QString ErrorText(qint32 code);

public slots:
    void setSpeedPercent(int percent) { transport_.setSpeed(percent); }

signals:
    void OnNotify();
    // Right after the notification of a command that ended because its device was lost.
    void soundLost(const QString &message);

private:
    void requireOpen();
    SoundData readSound();
    // The frames keepSound() read, when they are FileName's.
    std::shared_ptr<SoundData> keptSound() const;
    bool takeStretch(std::optional<qint32> &from, std::optional<qint32> &to);
    void halted();
    qint64 heard() const;
    qint32 toMs(qint64 frames) const;
    bool openInput();
    bool reopenLostOutput();
    void releaseMicrophone();
    void deliverEnd(quint64 command, CommandEnd how);

    AudioBackend &audio_;
    SoundTransport transport_;
    std::unique_ptr<AudioOutput> output_;
    std::unique_ptr<AudioInput> input_;
    std::unique_ptr<RecordingSpool> spool_;
    bool opened_ = false;
    qint32 deviceError_ = 0;
    int rate_ = 1;
    // Commands up to this number belong to a closed session: their notifications are dropped.
    quint64 droppedUpTo_ = 0;
    // A recording that a save failed to write: its safety copy stays after Close.
    bool unsavedRecording_ = false;
    bool recorded_ = false;
    std::shared_ptr<SoundData> kept_;
    QString keptName_;
};
