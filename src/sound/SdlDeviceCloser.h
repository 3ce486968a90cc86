#pragma once

#include <SDL2/SDL_audio.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

// Closes SDL audio devices on a thread of its own: closing waits for the device's thread to
// end, 20 to 30 ms, which the user-interface thread must not spend. A device handed over may
// wait to be closed and be taken back meanwhile, so that a device about to be used again
// stays open.
//
// Every SDL device open and close of the back end happens under openCloseLock(): SDL keeps
// its open devices in one unguarded table, and some drivers refuse a second device of a kind
// while the first is still closing.
class SdlDeviceCloser {
public:
    using Clock = std::chrono::steady_clock;

    SdlDeviceCloser();
    ~SdlDeviceCloser(); // closes at once every device still waiting

    SdlDeviceCloser(const SdlDeviceCloser &) = delete;
    SdlDeviceCloser &operator=(const SdlDeviceCloser &) = delete;

    std::mutex &openCloseLock() { return openClose_; }
    // Closes `device` at `when`, unless taken back before.
    void closeAt(SDL_AudioDeviceID device, Clock::time_point when);
    // Takes back a device waiting to be closed: true when it is still open and is now the
    // caller's again, false when it is closed or closing.
    bool takeBack(SDL_AudioDeviceID device);

private:
    struct Waiting {
        SDL_AudioDeviceID device;
        Clock::time_point when;
    };
    void run();

    std::mutex openClose_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<Waiting> waiting_;
    bool quitting_ = false;
    std::thread thread_;
};
