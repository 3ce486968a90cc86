#pragma once

#include "AudioBackend.h"
#include "PlaybackTimeline.h"
#include "TimeStretch.h"
#include "WavFile.h"

#include <functional>
#include <memory>
#include <mutex>
#include <optional>

class RecordingSpool;

enum class TransportState { Idle, Playing, Recording, PausedPlaying, PausedRecording };

// How a command ended: by itself, stopped or replaced; or because its device was lost.
enum class CommandEnd { Done, OutputLost, InputLost };

// The part of a sound device that its audio threads share with the user-interface thread:
// the sound in memory, the command that runs and the counters that turn handed frames into
// heard positions. All positions here are frames of the sound. Every call locks briefly;
// nothing here waits for a device.
//
// Each Play or Record is a numbered command. It stays pending while it runs or is paused and
// ends exactly once: at its end position, when stopped or replaced, or when the device it
// runs on is lost. Its number then goes to the EndReport, always outside the lock.
class SoundTransport final : public PlaybackSource, public CaptureSink {
public:
    using EndReport = std::function<void(quint64 command, CommandEnd how)>;
    explicit SoundTransport(EndReport report);

    // Takes a freshly opened sound: stopped at 0, no command pending.
    void load(std::shared_ptr<SoundData> sound);
    // Forgets the sound and any pending command without reporting it (the device closes).
    void reset();

    SoundFormat format() const;
    qint64 frames() const;
    TransportState state() const;
    // The number of the last command started.
    quint64 lastCommand() const;
    // `heard` is the output's count of heard frames, which places a running playback.
    qint64 position(qint64 heard) const;
    // A copy of the sound as it is now, recordings included.
    SoundData snapshot() const;
    // The sound itself, to read without a copy. Its frames never change once handed out:
    // playing only reads them, a recording first gives the transport a copy of its own, and
    // while one runs or is paused the reader gets a copy of the frames as they are.
    std::shared_ptr<const SoundData> sharedSound() const;
    // Every frame recorded from now on also goes to `spool` (null: none).
    void setSpool(RecordingSpool *spool);
    // The speed of playback in percent (50–100): slower keeps the pitch, and every position
    // stays in frames of the sound. A running playback changes speed with the next frames the
    // output takes, going on from the sound frame it has reached.
    void setSpeed(int percent);
    int speed() const;
    // The largest magnitude recorded since the last call (0 to 32768), which it resets.
    int takeRecordedPeak();

    // Play frames [from, to); a missing `from` continues from the current position (from the
    // start when `autoRewind`, no `to` and the position is the length), a missing `to` plays
    // to the end. Returns a SoundResult code; on failure nothing changed.
    qint32 play(std::optional<qint64> from, std::optional<qint64> to, bool autoRewind, qint64 heard);
    // Record from `from` (or the current position) until `to` (or without end), overwriting
    // and extending the sound. Returns a SoundResult code; on failure nothing changed.
    qint32 record(std::optional<qint64> from, std::optional<qint64> to, qint64 heard);
    void stop(qint64 heard);
    void pause(qint64 heard);

    // A lost output ends a running playback where it was heard; a lost input ends a running
    // recording where it stands. Paused commands wait for the next command, which runs on a
    // new stream: the owner asks outputWasLost() / inputWasLost() before it starts one.
    bool outputWasLost() const;
    bool inputWasLost() const;
    // A new output replaces the lost one: its count of heard frames starts again at 0.
    void outputReplaced();
    void inputReplaced();

    void render(qint16 *out, int frames, qint64 heard) override;
    void capture(const qint16 *in, int frames) override;
    void outputLost(qint64 heard) override;
    void inputLost() override;

private:
    qint64 framesLocked() const;
    qint64 positionLocked(qint64 heard) const;
    quint64 beginCommandLocked(TransportState next, qint64 heard);
    void applySpeedLocked();
    void renderStretchedLocked(qint16 *out, qint64 frames);
    void fadeInLocked(qint16 *out, qint64 frames);

    EndReport report_;
    mutable std::mutex mutex_;
    std::shared_ptr<SoundData> sound_ = std::make_shared<SoundData>();
    TransportState state_ = TransportState::Idle;
    quint64 lastCommand_ = 0;
    quint64 pending_ = 0;
    qint64 position_ = 0;   // where a stopped or paused sound stands
    qint64 rendered_ = 0;   // every frame handed to the output since the sound was loaded
    PlaybackTimeline timeline_; // of the running or last playback
    qint64 segmentBase_ = 0;    // rendered_ when the playback began: its first frame's turn
    int speed_ = 100;
    qint64 stretchFed_ = 0;     // the next frame of the sound the stretch takes
    TimeStretch stretch_;
    // Switching between the sound's own frames and the stretch mid-playback, what played until
    // then fades out under what follows, so that the seam does not click.
    enum class Fading { None, Sound, Stretch };
    Fading fading_ = Fading::None;
    qint64 fadeDone_ = 0;
    qint64 fadeLength_ = 0;
    qint64 fadeSound_ = 0;      // the next frame of the sound that fades out
    qint64 writePos_ = 0;
    qint64 recordEnd_ = 0;
    RecordingSpool *spool_ = nullptr;
    int recordedPeak_ = 0;
    bool outputLost_ = false;
    bool inputLost_ = false;
};
