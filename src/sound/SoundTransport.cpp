#include "SoundTransport.h"

#include "RecordingSpool.h"
#include "SoundResult.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <utility>

SoundTransport::SoundTransport(EndReport report) : report_(std::move(report)) {}

void SoundTransport::load(std::shared_ptr<SoundData> sound)
{
    std::lock_guard lock(mutex_);
    sound_ = std::move(sound);
    state_ = TransportState::Idle;
    pending_ = 0;
    position_ = 0;
    rendered_ = 0;
    spool_ = nullptr;
    outputLost_ = inputLost_ = false;
}

void SoundTransport::reset()
{
    load(std::make_shared<SoundData>());
}

SoundFormat SoundTransport::format() const
{
    std::lock_guard lock(mutex_);
    return sound_->format;
}

qint64 SoundTransport::frames() const
{
    std::lock_guard lock(mutex_);
    return framesLocked();
}

qint64 SoundTransport::framesLocked() const
{
    return sound_->frames();
}

TransportState SoundTransport::state() const
{
    std::lock_guard lock(mutex_);
    return state_;
}

quint64 SoundTransport::lastCommand() const
{
    std::lock_guard lock(mutex_);
    return lastCommand_;
}

qint64 SoundTransport::position(qint64 heard) const
{
    std::lock_guard lock(mutex_);
    return positionLocked(heard);
}

qint64 SoundTransport::positionLocked(qint64 heard) const
{
    switch (state_) {
    case TransportState::Playing:
        // Frames still queued in the device before this playback's first one give its start; a
        // slowed playback's heard frames are mapped back to the sound's own.
        return timeline_.soundAt(std::max<qint64>(heard - segmentBase_, 0));
    case TransportState::Recording:
        return writePos_;
    default:
        return position_;
    }
}

// The replaced command is placed where it was heard, then the new one begins; returns the
// replaced command, whose end is still to be reported (0 when none was running).
quint64 SoundTransport::beginCommandLocked(TransportState next, qint64 heard)
{
    if (state_ == TransportState::Playing)
        position_ = positionLocked(heard);
    const quint64 replaced = std::exchange(pending_, 0);
    pending_ = ++lastCommand_;
    state_ = next;
    return replaced;
}

SoundData SoundTransport::snapshot() const
{
    std::lock_guard lock(mutex_);
    return *sound_;
}

std::shared_ptr<const SoundData> SoundTransport::sharedSound() const
{
    std::lock_guard lock(mutex_);
    // A recording writes into its sound as it goes: a reader gets the frames as they are now.
    if (state_ == TransportState::Recording || state_ == TransportState::PausedRecording)
        return std::make_shared<const SoundData>(*sound_);
    return sound_;
}

void SoundTransport::setSpool(RecordingSpool *spool)
{
    std::lock_guard lock(mutex_);
    spool_ = spool;
}

void SoundTransport::setSpeed(int percent)
{
    std::lock_guard lock(mutex_);
    speed_ = std::clamp(percent, 50, 100);
}

int SoundTransport::speed() const
{
    std::lock_guard lock(mutex_);
    return speed_;
}

int SoundTransport::takeRecordedPeak()
{
    std::lock_guard lock(mutex_);
    return std::exchange(recordedPeak_, 0);
}

qint32 SoundTransport::play(std::optional<qint64> from, std::optional<qint64> to, bool autoRewind, qint64 heard)
{
    quint64 replaced = 0;
    quint64 finished = 0;
    {
        std::lock_guard lock(mutex_);
        const qint64 total = framesLocked();
        if ((from && (*from < 0 || *from > total)) || (to && (*to < 0 || *to > total)))
            return SoundResult::OutOfRange;
        const qint64 current = positionLocked(heard);
        qint64 start = from.value_or(current);
        const int rate = std::max(sound_->format.rate, 1);
        if (!from && !to && autoRewind && msForFrames(current, rate) == msForFrames(total, rate))
            start = 0;
        const qint64 end = to.value_or(total);
        if (end < start)
            return SoundResult::OutOfRange;

        replaced = beginCommandLocked(TransportState::Playing, heard);
        timeline_.begin(start, end, speed_);
        segmentBase_ = rendered_;
        fading_ = Fading::None;
        if (speed_ < 100) {
            stretch_.start(sound_->format.rate, sound_->format.channels, speed_);
            stretchFed_ = start;
        }
        position_ = start;
        if (start == end) {
            state_ = TransportState::Idle;
            finished = std::exchange(pending_, 0);
        }
    }
    if (replaced)
        report_(replaced, CommandEnd::Done);
    if (finished)
        report_(finished, CommandEnd::Done);
    return SoundResult::Ok;
}

qint32 SoundTransport::record(std::optional<qint64> from, std::optional<qint64> to, qint64 heard)
{
    quint64 replaced = 0;
    quint64 finished = 0;
    {
        std::lock_guard lock(mutex_);
        const qint64 total = framesLocked();
        if (from && (*from < 0 || *from > total))
            return SoundResult::OutOfRange;
        const qint64 start = from.value_or(positionLocked(heard));
        const qint64 limit = MaxSoundSamples / std::max(sound_->format.channels, 1);
        if ((to && *to < start) || start > limit)
            return SoundResult::OutOfRange;

        // Frames handed out by sharedSound() never change: a recording writes into a copy.
        if (sound_.use_count() > 1)
            sound_ = std::make_shared<SoundData>(*sound_);
        replaced = beginCommandLocked(TransportState::Recording, heard);
        writePos_ = start;
        recordEnd_ = std::min(to.value_or(limit), limit);
        position_ = start;
        if (writePos_ >= recordEnd_) {
            state_ = TransportState::Idle;
            finished = std::exchange(pending_, 0);
        }
    }
    if (replaced)
        report_(replaced, CommandEnd::Done);
    if (finished)
        report_(finished, CommandEnd::Done);
    return SoundResult::Ok;
}

void SoundTransport::stop(qint64 heard)
{
    quint64 ended = 0;
    {
        std::lock_guard lock(mutex_);
        position_ = positionLocked(heard);
        state_ = TransportState::Idle;
        ended = std::exchange(pending_, 0);
    }
    if (ended)
        report_(ended, CommandEnd::Done);
}

void SoundTransport::pause(qint64 heard)
{
    std::lock_guard lock(mutex_);
    if (state_ == TransportState::Playing) {
        position_ = positionLocked(heard);
        state_ = TransportState::PausedPlaying;
    } else if (state_ == TransportState::Recording) {
        position_ = writePos_;
        state_ = TransportState::PausedRecording;
    }
}

void SoundTransport::render(qint16 *out, int frames, qint64 heard)
{
    quint64 ended = 0;
    {
        std::lock_guard lock(mutex_);
        // The playback ends when its last frame has been heard, not when it was handed.
        if (state_ == TransportState::Playing) {
            timeline_.forgetBefore(heard - segmentBase_);
            if (heard - segmentBase_ >= timeline_.length()) {
                position_ = timeline_.end();
                state_ = TransportState::Idle;
                ended = std::exchange(pending_, 0);
            }
        }
        const int channels = sound_->format.channels;
        qint64 sound = 0;
        if (state_ == TransportState::Playing && frames > 0) {
            if (speed_ != timeline_.speed())
                applySpeedLocked();
            const qint64 handed = rendered_ - segmentBase_;
            sound = std::clamp<qint64>(timeline_.length() - handed, 0, frames);
            if (timeline_.speed() < 100)
                renderStretchedLocked(out, sound);
            else if (sound > 0)
                std::memcpy(out, sound_->samples.data() + timeline_.soundAt(handed) * channels,
                            size_t(sound * channels) * sizeof(qint16));
            if (fading_ != Fading::None)
                fadeInLocked(out, sound);
        }
        if (frames > sound)
            std::memset(out + sound * channels, 0, size_t((frames - sound) * channels) * sizeof(qint16));
        rendered_ += frames;
    }
    if (ended)
        report_(ended, CommandEnd::Done);
}

// The speed set meanwhile applies from the next frame to be handed, from the sound frame the
// playback has reached there; one that comes after the last frame was handed waits for the
// next playback.
void SoundTransport::applySpeedLocked()
{
    const qint64 handed = rendered_ - segmentBase_;
    const int was = timeline_.speed();
    if (handed >= timeline_.length() || !timeline_.changeSpeed(handed, speed_))
        return;
    const qint64 reached = timeline_.soundAt(handed);
    fadeDone_ = 0;
    fadeLength_ = handed > 0 ? std::clamp(sound_->format.rate / 100, 1, 1024) : 0;
    if (was == 100) {
        stretch_.start(sound_->format.rate, sound_->format.channels, speed_);
        stretchFed_ = reached;
        fading_ = Fading::Sound;
        fadeSound_ = reached;
    } else if (speed_ == 100) {
        // The sound's own frames again; the stretch, a little ahead in the sound, fades out.
        fading_ = Fading::Stretch;
    } else {
        // The stretch goes on with what it holds: neither a seam nor a step back.
        stretch_.setSpeed(speed_);
        fading_ = Fading::None;
    }
    if (fadeLength_ == 0)
        fading_ = Fading::None;
}

// Mixes what played before the switch, going on and fading out, into `frames` frames of what
// follows it.
void SoundTransport::fadeInLocked(qint16 *out, qint64 frames)
{
    const int channels = sound_->format.channels;
    std::array<qint16, 512 * 2> before;
    while (frames > 0 && fadeDone_ < fadeLength_) {
        const qint64 count = std::min<qint64>({frames, fadeLength_ - fadeDone_, 512});
        if (fading_ == Fading::Stretch) {
            renderStretchedLocked(before.data(), count);
        } else {
            const qint64 copied = std::clamp<qint64>(timeline_.end() - fadeSound_, 0, count);
            std::memcpy(before.data(), sound_->samples.data() + fadeSound_ * channels,
                        size_t(copied * channels) * sizeof(qint16));
            std::fill(before.begin() + copied * channels, before.begin() + count * channels, qint16(0));
            fadeSound_ += copied;
        }
        for (qint64 i = 0; i < count; ++i) {
            const double rising = double(fadeDone_ + i + 1) / double(fadeLength_ + 1);
            for (int c = 0; c < channels; ++c) {
                qint16 &sample = out[i * channels + c];
                sample = qint16(std::lround(sample * rising + before[size_t(i * channels + c)] * (1 - rising)));
            }
        }
        out += count * channels;
        frames -= count;
        fadeDone_ += count;
    }
    if (fadeDone_ >= fadeLength_)
        fading_ = Fading::None;
}

// Fills `frames` frames of a slowed playback. The sound goes into the stretch only as fast as
// its output is needed, and in pieces of 5 ms: what the stretch has made ahead keeps the speed
// it was made at, so a change of speed would otherwise trail that far behind the position.
void SoundTransport::renderStretchedLocked(qint16 *out, qint64 frames)
{
    const int channels = sound_->format.channels;
    const qint64 end = timeline_.end();
    const qint64 pieceFrames = std::clamp(sound_->format.rate / 200, 16, 1024);
    while (stretch_.available() < frames && stretchFed_ < end) {
        const qint64 piece = std::min<qint64>(end - stretchFed_, pieceFrames);
        stretch_.feed(sound_->samples.data() + stretchFed_ * channels, piece);
        stretchFed_ += piece;
        if (stretchFed_ == end)
            stretch_.finish();
    }
    const qint64 written = stretch_.take(out, frames);
    // The stretch's last frames may fall short of the segment's length by a few: silence.
    if (written < frames)
        std::memset(out + written * channels, 0, size_t((frames - written) * channels) * sizeof(qint16));
}

void SoundTransport::capture(const qint16 *in, int frames)
{
    quint64 ended = 0;
    {
        std::lock_guard lock(mutex_);
        if (state_ != TransportState::Recording || frames <= 0)
            return;
        const int channels = sound_->format.channels;
        const qint64 count = std::min<qint64>(frames, recordEnd_ - writePos_);
        const size_t needed = size_t((writePos_ + count) * channels);
        if (sound_->samples.size() < needed)
            sound_->samples.resize(needed);
        std::memcpy(sound_->samples.data() + writePos_ * channels, in, size_t(count * channels) * sizeof(qint16));
        if (spool_)
            spool_->append(in, count);
        for (qint64 i = 0; i < count * channels; ++i)
            recordedPeak_ = std::max(recordedPeak_, std::abs(int(in[i])));
        writePos_ += count;
        if (writePos_ >= recordEnd_) {
            position_ = writePos_;
            state_ = TransportState::Idle;
            ended = std::exchange(pending_, 0);
        }
    }
    if (ended)
        report_(ended, CommandEnd::Done);
}

bool SoundTransport::outputWasLost() const
{
    std::lock_guard lock(mutex_);
    return outputLost_;
}

bool SoundTransport::inputWasLost() const
{
    std::lock_guard lock(mutex_);
    return inputLost_;
}

void SoundTransport::outputReplaced()
{
    std::lock_guard lock(mutex_);
    rendered_ = 0;
    segmentBase_ = 0;
    outputLost_ = false;
}

void SoundTransport::inputReplaced()
{
    std::lock_guard lock(mutex_);
    inputLost_ = false;
}

void SoundTransport::outputLost(qint64 heard)
{
    quint64 ended = 0;
    {
        std::lock_guard lock(mutex_);
        outputLost_ = true;
        if (state_ == TransportState::Playing) {
            position_ = positionLocked(heard);
            state_ = TransportState::Idle;
            ended = std::exchange(pending_, 0);
        }
    }
    if (ended)
        report_(ended, CommandEnd::OutputLost);
}

void SoundTransport::inputLost()
{
    quint64 ended = 0;
    {
        std::lock_guard lock(mutex_);
        inputLost_ = true;
        if (state_ == TransportState::Recording) {
            position_ = writePos_;
            state_ = TransportState::Idle;
            ended = std::exchange(pending_, 0);
        }
    }
    if (ended)
        report_(ended, CommandEnd::InputLost);
}
