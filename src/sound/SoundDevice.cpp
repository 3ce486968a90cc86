#include "SoundDevice.h"

#include "AudioBackend.h"
#include "core/CourseError.h"
#include "core/FileSystem.h"
#include "RecordingSpool.h"
#include "SoundResult.h"

#include <QFile>
#include <QPointer>

#include <limits>
#include <utility>

namespace {

// The library's own detail is English and is left out of the learner's Russian message.
QString failureText(qint32 code, const QString &fileName)
{
    QString text = SoundDevice::ErrorText(code);
    if (!fileName.isEmpty())
        text += QStringLiteral(": ") + fileName;
    return text;
}

std::optional<qint64> framesOf(std::optional<qint32> ms, int rate)
{
    if (!ms)
        return std::nullopt;
    return framesForMs(*ms, rate);
}

} // namespace

SoundDevice::SoundDevice(AudioBackend &audio, QObject *parent)
    : QObject(parent), audio_(audio), transport_([this](quint64 command, CommandEnd how) {
          // Called on an audio thread as often as on this one: the notification always
          // travels as a queued call, like the window message it stands for.
          QMetaObject::invokeMethod(this, [this, command, how] { deliverEnd(command, how); }, Qt::QueuedConnection);
      })
{
}

SoundDevice::~SoundDevice()
{
    Close();
}

QString SoundDevice::ErrorText(qint32 code)
{
    return soundResultText(code);
}

void SoundDevice::windowCreated()
{
    if (AutoOpen)
        Open();
}

void SoundDevice::requireOpen()
{
    if (!opened_) {
        deviceError_ = SoundResult::DeviceNotOpen;
        throw CourseError(ErrorText(SoundResult::DeviceNotOpen));
    }
}

qint64 SoundDevice::heard() const
{
    return output_ ? output_->heardFrames() : 0;
}

qint32 SoundDevice::toMs(qint64 frames) const
{
    return qint32(std::min<qint64>(msForFrames(frames, rate_), std::numeric_limits<qint32>::max()));
}

void SoundDevice::deliverEnd(quint64 command, CommandEnd how)
{
    // A recording that ended by itself lets go of the microphone here.
    releaseMicrophone();
    if (command <= droppedUpTo_)
        return;
    if (how == CommandEnd::Done) {
        emit OnNotify();
        return;
    }
    deviceError_ = how == CommandEnd::OutputLost ? SoundResult::NoOutputDevice : SoundResult::RecordingInterrupted;
    const QString message = ErrorText(deviceError_);
    // The handler may close the device (or more); the message is still owed to the learner.
    const QPointer<SoundDevice> alive(this);
    emit OnNotify();
    if (alive)
        emit soundLost(message);
}

void SoundDevice::Open()
{
    if (opened_)
        Close();
    std::shared_ptr<SoundData> sound = keptSound();
    if (!sound)
        sound = std::make_shared<SoundData>(readSound());
    rate_ = sound->format.rate;
    const int channels = sound->format.channels;
    transport_.load(std::move(sound));
    QString reason;
    output_ = audio_.openOutput(rate_, channels, transport_, reason);
    if (!output_) {
        transport_.reset();
        deviceError_ = SoundResult::NoOutputDevice;
        throw CourseError(failureText(SoundResult::NoOutputDevice, FileName));
    }
    droppedUpTo_ = transport_.lastCommand();
    opened_ = true;
    recorded_ = false;
    unsavedRecording_ = false;
    deviceError_ = SoundResult::Ok;
}

SoundData SoundDevice::readSound()
{
    try {
        return readWavFile(FileName);
    } catch (const SoundFailure &failure) {
        deviceError_ = failure.code();
        throw CourseError(failureText(failure.code(), FileName));
    }
}

std::shared_ptr<SoundData> SoundDevice::keptSound() const
{
    return keptName_ == FileName ? kept_ : nullptr;
}

void SoundDevice::keepSound()
{
    if (keptSound())
        return;
    kept_.reset();
    kept_ = std::make_shared<SoundData>(readSound());
    keptName_ = FileName;
}

std::shared_ptr<const SoundData> SoundDevice::sound() const
{
    if (opened_)
        return transport_.sharedSound();
    return keptSound();
}

void SoundDevice::Close()
{
    if (!opened_)
        return;
    // The audio threads are gone once these are destroyed; only then is the sound released.
    input_.reset();
    output_.reset();
    // A command still pending, or ended but not yet announced, is not announced any more:
    // the window that closes its device is done with it.
    droppedUpTo_ = transport_.lastCommand();
    transport_.reset();
    if (spool_) {
        const QString spoolPath = spool_->path();
        spool_.reset();
        if (!unsavedRecording_)
            QFile::remove(spoolPath);
    }
    opened_ = false;
    deviceError_ = SoundResult::Ok;
}

// The stretch a command plays or records: PlayFrom and PlayTo, which it uses up. False, with
// the device's error OutOfRange, when an end is negative.
bool SoundDevice::takeStretch(std::optional<qint32> &from, std::optional<qint32> &to)
{
    from = std::exchange(PlayFrom, std::nullopt);
    to = std::exchange(PlayTo, std::nullopt);
    requireOpen();
    if ((from && *from < 0) || (to && *to < 0)) {
        deviceError_ = SoundResult::OutOfRange;
        return false;
    }
    return true;
}

void SoundDevice::Play()
{
    std::optional<qint32> from, to;
    if (!takeStretch(from, to))
        return;
    const bool running = reopenLostOutput();
    deviceError_ = transport_.play(framesOf(from, rate_), framesOf(to, rate_), AutoRewind, heard());
    releaseMicrophone();
    // With no device the playback ends as one whose device went away during it.
    if (!running && deviceError_ == SoundResult::Ok)
        transport_.outputLost(heard());
}

// A device lost since the last command is dropped and the platform's device opened anew, so
// that a sound server that restarted is used at once. False when none opens.
bool SoundDevice::reopenLostOutput()
{
    if (output_ && !transport_.outputWasLost())
        return true;
    output_.reset();
    const SoundFormat format = transport_.format();
    QString reason;
    output_ = audio_.openOutput(format.rate, format.channels, transport_, reason);
    transport_.outputReplaced();
    return output_ != nullptr;
}

// The microphone is held only while a recording runs or is paused: a desktop shows that it is
// in use, and the learner expects that to end with the recording.
void SoundDevice::releaseMicrophone()
{
    const TransportState state = transport_.state();
    if (state != TransportState::Recording && state != TransportState::PausedRecording)
        input_.reset();
}

bool SoundDevice::openInput()
{
    // A microphone lost during a paused recording is opened anew when it goes on.
    if (input_ && transport_.inputWasLost())
        input_.reset();
    if (input_)
        return true;
    const SoundFormat format = transport_.format();
    QString reason;
    input_ = audio_.openInput(format.rate, format.channels, transport_, reason);
    transport_.inputReplaced();
    if (!input_) {
        deviceError_ = SoundResult::NoInputDevice;
        return false;
    }
    return true;
}

void SoundDevice::Record()
{
    std::optional<qint32> from, to;
    if (!takeStretch(from, to))
        return;
    if (!openInput())
        return;
    if (!spool_) {
        spool_ = RecordingSpool::create(transport_.format(), FileName);
        transport_.setSpool(spool_.get());
    }
    // The file is about to change: a kept sound would be stale.
    kept_.reset();
    keptName_.clear();
    deviceError_ = transport_.record(framesOf(from, rate_), framesOf(to, rate_), heard());
    if (deviceError_ == SoundResult::Ok)
        recorded_ = true;
}

void SoundDevice::Stop()
{
    requireOpen();
    transport_.stop(heard());
    releaseMicrophone();
    halted();
}

void SoundDevice::Pause()
{
    requireOpen();
    transport_.pause(heard());
    halted();
}

// After a Stop or Pause what was captured so far reaches the safety copy at once.
void SoundDevice::halted()
{
    if (spool_)
        spool_->flush();
    deviceError_ = SoundResult::Ok;
}

void SoundDevice::Save()
{
    requireOpen();
    deviceError_ = SoundResult::Ok;
    if (FileName.isEmpty())
        return;
    try {
        replaceFileAtomically(FileName, encodeWav(transport_.snapshot()));
        unsavedRecording_ = false;
    } catch (const SoundFailure &failure) {
        deviceError_ = failure.code();
        unsavedRecording_ = recorded_;
    } catch (const CourseError &) {
        deviceError_ = SoundResult::WriteFailed;
        unsavedRecording_ = recorded_;
    }
}

qint32 SoundDevice::Position()
{
    if (!opened_) {
        deviceError_ = SoundResult::DeviceNotOpen;
        return 0;
    }
    deviceError_ = SoundResult::Ok;
    return toMs(transport_.position(heard()));
}

qint32 SoundDevice::Length()
{
    requireOpen();
    deviceError_ = SoundResult::Ok;
    return toMs(transport_.frames());
}

SoundMode SoundDevice::Mode()
{
    if (!opened_) {
        deviceError_ = SoundResult::DeviceNotOpen;
        return SoundMode::NotReady;
    }
    deviceError_ = SoundResult::Ok;
    switch (transport_.state()) {
    case TransportState::Playing:
        return SoundMode::Playing;
    case TransportState::Recording:
        return SoundMode::Recording;
    case TransportState::PausedPlaying:
    case TransportState::PausedRecording:
        return SoundMode::Paused;
    case TransportState::Idle:
        break;
    }
    return SoundMode::Stopped;
}
