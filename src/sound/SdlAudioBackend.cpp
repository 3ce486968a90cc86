#include "SdlAudioBackend.h"

#include "CaptureConverter.h"
#include "Resampler.h"
#include "SdlDeviceCloser.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <optional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Devices run at 48 kHz in 10 ms periods whatever the sounds' rates: the common rate of sound
// servers, and a period of whole milliseconds, which the dummy driver sleeps for (it keeps
// time within 2 % so; other sizes stray by up to 40 %). Playback resamples itself: SDL's
// resampler holds back 512 frames (23 ms at 22050 Hz) before anything comes out.
constexpr int DeviceRate = 48000;
constexpr int PeriodFrames = 480;
// PipeWire runs its graph in periods of a power of two, and SDL's PipeWire driver hands it
// one of our periods each cycle: with 480 frames against the graph's 256 the surplus piles
// up and 256 frames are dropped every so often. 512 frames keep the two in step.
constexpr int PipeWirePeriodFrames = 512;

int periodFrames()
{
    const char *driver = SDL_GetCurrentAudioDriver();
    return driver && std::strcmp(driver, "pipewire") == 0 ? PipeWirePeriodFrames : PeriodFrames;
}

// Never SDL_AUDIO_ALLOW_SAMPLES_CHANGE: with it, SDL 2.26's dummy driver frees a pointer it
// does not own when the device closes. The sample format stays ours too (SDL converts it),
// so that mixing is done in one format.
constexpr int AllowedChanges = SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE;

// The playback device stays open this long after its last output closed, so that a window
// playing one segment per click opens and closes no device; the microphone closes at once.
constexpr auto OutputLinger = std::chrono::seconds(30);

constexpr auto WatchPeriod = std::chrono::milliseconds(100);

QString sdlError()
{
    const char *text = SDL_GetError();
    return QString::fromUtf8(text && *text ? text : "SDL");
}

SDL_AudioDeviceID openDevice(SdlDeviceCloser &closer, bool capture, SDL_AudioFormat format, int channels,
                             SDL_AudioCallback callback, void *self, SDL_AudioSpec &obtained, QString &error)
{
    std::lock_guard lock(closer.openCloseLock());
    SDL_AudioSpec want{};
    want.freq = DeviceRate;
    want.format = format;
    want.channels = Uint8(channels);
    want.samples = Uint16(periodFrames());
    want.callback = callback;
    want.userdata = self;
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, capture ? 1 : 0, &want, &obtained, AllowedChanges);
    if (device == 0)
        error = sdlError();
    return device;
}

// Closes a device on the calling thread, for the end of the back end, when the object its
// callback works on goes. A device handed to the closer is taken back first; one the closer
// is closing already is closed once the lock is had.
void closeNow(SdlDeviceCloser &closer, SDL_AudioDeviceID device, bool handedOver)
{
    std::lock_guard lock(closer.openCloseLock());
    if (device != 0 && (!handedOver || closer.takeBack(device)))
        SDL_CloseAudioDevice(device);
}

} // namespace

class SdlVoice;

// Whether an open device still plays: SDL reports it neither removed nor stopped, and its
// callback came within DeviceStallMs. The caller holds the open-close lock.
bool deviceRuns(SDL_AudioDeviceID device, Clock::time_point lastCallback, Clock::time_point now)
{
    return SDL_GetAudioDeviceStatus(device) == SDL_AUDIO_PLAYING &&
           now - lastCallback < std::chrono::milliseconds(DeviceStallMs);
}

// The one playback device: float stereo, every open output mixed in. It also keeps the
// device's clock: a period handed at a callback is heard over the period that follows it.
//
// The back end's watch calls watch() every 100 ms on a thread of its own: a device that no
// longer runs is marked dead and its outputs are told; the next output to join opens a new one.
class SdlMixer {
public:
    explicit SdlMixer(SdlDeviceCloser &closer) : closer_(closer) {}
    ~SdlMixer() { closeNow(closer_, device_, lingering_); }

    bool join(SdlVoice *voice, QString &error);
    void leave(SdlVoice *voice);
    void watch(Clock::time_point now);

    // How much of the last period handed has been played by `now`, from 0 to 1. The caller
    // holds the clock lock.
    double playedLocked(Clock::time_point now) const
    {
        if (lastPeriodFrames_ <= 0)
            return 1.0;
        const double elapsed = std::chrono::duration<double>(now - lastPeriodAt_).count();
        return std::clamp(elapsed * spec_.freq / double(lastPeriodFrames_), 0.0, 1.0);
    }
    std::mutex &clockLock() const { return clockLock_; }

private:
    static void callback(void *self, Uint8 *buffer, int bytes) { static_cast<SdlMixer *>(self)->mix(buffer, bytes); }
    void mix(Uint8 *buffer, int bytes);

    bool openDeviceLocked(QString &error);

    SdlDeviceCloser &closer_;
    // Guards the device, its state and the voices against the watch; taken before the
    // open-close lock.
    std::mutex stateLock_;
    SDL_AudioDeviceID device_ = 0;
    bool lingering_ = false; // the device is with the closer, waiting for its time
    bool dead_ = false;      // the device stopped running and its voices were told
    SDL_AudioSpec spec_{};
    std::vector<SdlVoice *> voices_; // changed only under SDL's lock of the device

    mutable std::mutex clockLock_;
    qint64 lastPeriodFrames_ = 0;
    Clock::time_point lastPeriodAt_ = Clock::now();
};

// One output: its own sound, resampled into the mixer's frames.
class SdlVoice final : public AudioOutput {
public:
    SdlVoice(SdlMixer &mixer, int rate, int channels, PlaybackSource &source)
        : mixer_(mixer), rate_(rate), channels_(channels), source_(source)
    {
    }

    ~SdlVoice() override
    {
        if (joined_)
            mixer_.leave(this);
    }

    bool open(QString &error)
    {
        if (!mixer_.join(this, error))
            return false;
        joined_ = true;
        return true;
    }

    // Called by the mixer before the voice first takes part.
    void prepare(const SDL_AudioSpec &obtained)
    {
        resampler_.emplace(rate_, channels_, obtained.freq, obtained.channels);
        chunk_.assign(size_t((qint64(obtained.samples) * rate_ / obtained.freq + 8) * channels_), 0);
    }

    qint64 heardFrames() const override
    {
        std::lock_guard lock(mixer_.clockLock());
        return heardLocked(Clock::now());
    }

    // On the audio thread: adds the next `frames` device frames of this voice to `out`. The
    // source hands exactly what they take, so that a new sound starts in the next period.
    void mixInto(float *out, int frames)
    {
        qint64 heard = 0;
        {
            std::lock_guard lock(mixer_.clockLock());
            heard = heardLocked(Clock::now());
        }
        const int needed = resampler_->sourceFramesNeeded(frames);
        if (chunk_.size() < size_t(needed * channels_))
            chunk_.resize(size_t(needed * channels_));
        source_.render(chunk_.data(), needed, heard);
        resampler_->mixInto(out, frames, chunk_.data());
        periodEnd_ = resampler_->played();
    }

    // Called by the mixer's watch when the device stopped running.
    void lost() { source_.outputLost(heardFrames()); }

    // Called by the mixer, under its clock lock, when the period just mixed goes to the device.
    void periodHanded()
    {
        heardStart_ = heardEnd_;
        heardEnd_ = periodEnd_;
    }

private:
    // The period on the device plays its share of the voice's frames at an even pace.
    qint64 heardLocked(Clock::time_point now) const
    {
        return heardStart_ + qint64(double(heardEnd_ - heardStart_) * mixer_.playedLocked(now));
    }

    SdlMixer &mixer_;
    int rate_;
    int channels_;
    PlaybackSource &source_;
    bool joined_ = false;
    std::optional<Resampler> resampler_;
    std::vector<qint16> chunk_;
    qint64 periodEnd_ = 0;  // source frames played by the end of the period being mixed
    qint64 heardStart_ = 0; // the voice's frames played before and after the period on the
    qint64 heardEnd_ = 0;   // device, under the mixer's clock lock
};

bool SdlMixer::join(SdlVoice *voice, QString &error)
{
    std::lock_guard state(stateLock_);
    if (lingering_ && !closer_.takeBack(device_))
        device_ = 0;
    lingering_ = false;
    if (device_ != 0 && dead_) {
        // Voices still on the dead device move to the new one; they were told already.
        closer_.closeAt(device_, Clock::now());
        device_ = 0;
    }
    if (device_ == 0 && !openDeviceLocked(error))
        return false;
    voice->prepare(spec_);
    SDL_LockAudioDevice(device_);
    voices_.push_back(voice);
    SDL_UnlockAudioDevice(device_);
    return true;
}

bool SdlMixer::openDeviceLocked(QString &error)
{
    device_ = openDevice(closer_, false, AUDIO_F32SYS, 2, &SdlMixer::callback, this, spec_, error);
    if (device_ == 0)
        return false;
    dead_ = false;
    {
        std::lock_guard lock(clockLock_);
        lastPeriodFrames_ = 0;
        lastPeriodAt_ = Clock::now();
    }
    for (SdlVoice *voice : voices_)
        voice->prepare(spec_);
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void SdlMixer::watch(Clock::time_point now)
{
    std::lock_guard state(stateLock_);
    if (device_ == 0 || dead_)
        return;
    Clock::time_point lastCallback;
    {
        std::lock_guard lock(clockLock_);
        lastCallback = lastPeriodAt_;
    }
    {
        // A lingering device the closer has closed meanwhile reads as stopped; join opens a
        // new one then anyway.
        std::lock_guard openClose(closer_.openCloseLock());
        if (deviceRuns(device_, lastCallback, now))
            return;
    }
    dead_ = true;
    for (SdlVoice *voice : voices_)
        voice->lost();
}

void SdlMixer::leave(SdlVoice *voice)
{
    std::lock_guard state(stateLock_);
    if (device_ == 0)
        return;
    SDL_LockAudioDevice(device_);
    voices_.erase(std::remove(voices_.begin(), voices_.end(), voice), voices_.end());
    SDL_UnlockAudioDevice(device_);
    if (voices_.empty()) {
        closer_.closeAt(device_, Clock::now() + OutputLinger);
        lingering_ = true;
    }
}

void SdlMixer::mix(Uint8 *buffer, int bytes)
{
    auto *out = reinterpret_cast<float *>(buffer);
    const int samples = bytes / int(sizeof(float));
    const int frames = samples / std::max<int>(spec_.channels, 1);
    std::fill(out, out + samples, 0.0f);
    for (SdlVoice *voice : voices_)
        voice->mixInto(out, frames);
    for (int i = 0; i < samples; ++i)
        out[i] = std::clamp(out[i], -1.0f, 1.0f);

    std::lock_guard lock(clockLock_);
    for (SdlVoice *voice : voices_)
        voice->periodHanded();
    lastPeriodFrames_ = frames;
    lastPeriodAt_ = Clock::now();
}

class SdlListener;

// The one capture device; what it captures goes to every open input.
class SdlMicrophone {
public:
    explicit SdlMicrophone(SdlDeviceCloser &closer) : closer_(closer) {}
    ~SdlMicrophone() { closeNow(closer_, device_, released_); }

    bool join(SdlListener *listener, QString &error);
    void leave(SdlListener *listener);
    // As the mixer's: a microphone that no longer runs is dead and its inputs are told.
    void watch(Clock::time_point now);

private:
    static void callback(void *self, Uint8 *buffer, int bytes)
    {
        static_cast<SdlMicrophone *>(self)->deliver(buffer, bytes);
    }
    void deliver(const Uint8 *buffer, int bytes);

    SdlDeviceCloser &closer_;
    std::mutex stateLock_; // as the mixer's
    SDL_AudioDeviceID device_ = 0;
    bool released_ = false; // the device is with the closer
    bool dead_ = false;
    SDL_AudioSpec spec_{};
    std::vector<SdlListener *> listeners_; // changed only under SDL's lock of the device
    std::atomic<Clock::rep> lastCapture_{0};
};

// One input: the device's sound converted to the input's format.
class SdlListener final : public AudioInput {
public:
    SdlListener(SdlMicrophone &microphone, int rate, int channels, CaptureSink &sink)
        : microphone_(microphone), rate_(rate), channels_(channels), sink_(sink)
    {
    }

    ~SdlListener() override
    {
        if (joined_)
            microphone_.leave(this);
    }

    bool open(QString &error)
    {
        if (!microphone_.join(this, error))
            return false;
        joined_ = true;
        return true;
    }

    void prepare(const SDL_AudioSpec &obtained)
    {
        deviceChannels_ = std::max<int>(obtained.channels, 1);
        convert_.emplace(obtained.freq, deviceChannels_, rate_, channels_);
    }

    void lost() { sink_.inputLost(); }

    // On the audio thread: one piece of the device's 16-bit frames.
    void take(const Uint8 *buffer, int bytes)
    {
        const int frames = bytes / (deviceChannels_ * int(sizeof(qint16)));
        const int made = convert_->convert(reinterpret_cast<const qint16 *>(buffer), frames);
        if (made > 0)
            sink_.capture(convert_->output(), made);
    }

private:
    SdlMicrophone &microphone_;
    int rate_;
    int channels_;
    CaptureSink &sink_;
    bool joined_ = false;
    int deviceChannels_ = 1;
    std::optional<CaptureConverter> convert_;
};

bool SdlMicrophone::join(SdlListener *listener, QString &error)
{
    std::lock_guard state(stateLock_);
    // A microphone let go a moment ago may still be open.
    if (released_ && !closer_.takeBack(device_))
        device_ = 0;
    released_ = false;
    if (device_ != 0 && dead_) {
        closer_.closeAt(device_, Clock::now());
        device_ = 0;
    }
    if (device_ == 0) {
        device_ = openDevice(closer_, true, AUDIO_S16SYS, 1, &SdlMicrophone::callback, this, spec_, error);
        if (device_ == 0)
            return false;
        dead_ = false;
        lastCapture_ = Clock::now().time_since_epoch().count();
        for (SdlListener *other : listeners_)
            other->prepare(spec_);
        SDL_PauseAudioDevice(device_, 0);
    }
    listener->prepare(spec_);
    SDL_LockAudioDevice(device_);
    listeners_.push_back(listener);
    SDL_UnlockAudioDevice(device_);
    return true;
}

void SdlMicrophone::watch(Clock::time_point now)
{
    std::lock_guard state(stateLock_);
    if (device_ == 0 || dead_ || released_)
        return;
    {
        std::lock_guard openClose(closer_.openCloseLock());
        const Clock::time_point lastCapture{Clock::duration(lastCapture_.load())};
        if (deviceRuns(device_, lastCapture, now))
            return;
    }
    dead_ = true;
    for (SdlListener *listener : listeners_)
        listener->lost();
}

void SdlMicrophone::leave(SdlListener *listener)
{
    std::lock_guard state(stateLock_);
    if (device_ == 0)
        return;
    SDL_LockAudioDevice(device_);
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
    SDL_UnlockAudioDevice(device_);
    // No one records: the microphone is let go at once (and its indicator goes off), off
    // this thread.
    if (listeners_.empty()) {
        closer_.closeAt(device_, Clock::now());
        released_ = true;
    }
}

void SdlMicrophone::deliver(const Uint8 *buffer, int bytes)
{
    lastCapture_ = Clock::now().time_since_epoch().count();
    for (SdlListener *listener : listeners_)
        listener->take(buffer, bytes);
}

SdlAudioBackend::SdlAudioBackend() = default;

SdlAudioBackend::~SdlAudioBackend()
{
    if (watch_.joinable()) {
        watch_.request_stop();
        watch_.join();
    }
    mixer_.reset();
    microphone_.reset();
    closer_.reset(); // closes the devices the two left behind
    if (started_)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlAudioBackend::start(QString &error)
{
    // SDL starts with the first sound, so that a run that plays nothing never touches it;
    // after a failure each sound tries again, as a sound server may have come up since.
    if (started_)
        return true;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Vestoria");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        error = sdlError();
        return false;
    }
    started_ = true;
    closer_ = std::make_unique<SdlDeviceCloser>();
    mixer_ = std::make_unique<SdlMixer>(*closer_);
    microphone_ = std::make_unique<SdlMicrophone>(*closer_);
    watch_ = std::jthread([this](std::stop_token stop) { watchDevices(stop); });
    return true;
}

// Looks at the two devices ten times a second: a sound server that dies stops calling them,
// and SDL marks a device it lost as stopped.
void SdlAudioBackend::watchDevices(std::stop_token stop)
{
    std::mutex mutex;
    std::condition_variable_any wake;
    std::unique_lock lock(mutex);
    // Wakes early only to stop.
    while (!wake.wait_for(lock, stop, WatchPeriod, [&] { return stop.stop_requested(); })) {
        const Clock::time_point now = Clock::now();
        mixer_->watch(now);
        microphone_->watch(now);
    }
}

std::unique_ptr<AudioOutput> SdlAudioBackend::openOutput(int rate, int channels, PlaybackSource &source,
                                                         QString &error)
{
    if (!start(error))
        return nullptr;
    auto voice = std::make_unique<SdlVoice>(*mixer_, rate, channels, source);
    if (!voice->open(error))
        return nullptr;
    return voice;
}

std::unique_ptr<AudioInput> SdlAudioBackend::openInput(int rate, int channels, CaptureSink &sink, QString &error)
{
    if (!start(error))
        return nullptr;
    auto listener = std::make_unique<SdlListener>(*microphone_, rate, channels, sink);
    if (!listener->open(error))
        return nullptr;
    return listener;
}
