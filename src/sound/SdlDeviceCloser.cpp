#include "SdlDeviceCloser.h"

#include <algorithm>

SdlDeviceCloser::SdlDeviceCloser() : thread_([this] { run(); }) {}

SdlDeviceCloser::~SdlDeviceCloser()
{
    {
        std::lock_guard lock(mutex_);
        quitting_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void SdlDeviceCloser::closeAt(SDL_AudioDeviceID device, Clock::time_point when)
{
    if (device == 0)
        return;
    {
        std::lock_guard lock(mutex_);
        waiting_.push_back({device, when});
    }
    wake_.notify_all();
}

bool SdlDeviceCloser::takeBack(SDL_AudioDeviceID device)
{
    std::lock_guard lock(mutex_);
    const auto found =
        std::find_if(waiting_.begin(), waiting_.end(), [&](const Waiting &w) { return w.device == device; });
    if (found == waiting_.end())
        return false;
    waiting_.erase(found);
    return true;
}

void SdlDeviceCloser::run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        if (waiting_.empty()) {
            if (quitting_)
                return;
            wake_.wait(lock);
            continue;
        }
        const auto next = std::min_element(waiting_.begin(), waiting_.end(),
                                           [](const Waiting &a, const Waiting &b) { return a.when < b.when; });
        if (!quitting_ && next->when > Clock::now()) {
            wake_.wait_until(lock, next->when);
            continue;
        }
        const SDL_AudioDeviceID device = next->device;
        // The open-close lock comes first, as for every opener; the device may have been
        // taken back while this thread waited for it.
        lock.unlock();
        std::unique_lock openClose(openClose_);
        lock.lock();
        const auto found =
            std::find_if(waiting_.begin(), waiting_.end(), [&](const Waiting &w) { return w.device == device; });
        if (found == waiting_.end())
            continue;
        waiting_.erase(found);
        lock.unlock();
        SDL_CloseAudioDevice(device);
        openClose.unlock();
        lock.lock();
    }
}
