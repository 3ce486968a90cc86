#pragma once

#include <QtGlobal>

// What the listening window shows of its microphone while it records: the peak level of each
// look (in dBFS, held to MeterFloorDb below), whether the sound clipped lately, and whether
// the microphone seems not to hear anything: nothing above SilenceDb in the recording's first
// SilenceWindowMs. The window looks at least ten times a second.
class MicrophoneMeter {
public:
    static constexpr int MeterFloorDb = -60;
    static constexpr int SilenceDb = -50;
    static constexpr qint64 SilenceWindowMs = 5000;
    // A clip stays shown this long, so that a single one can be seen.
    static constexpr qint64 ClipHoldMs = 1000;

    // A new recording starts at `recordedMs` of its device's time.
    void start(qint64 recordedMs);
    // One look: `peak` is the largest magnitude captured since the last (0 to 32768), and
    // `recordedMs` the recording's position by now.
    void update(int peak, qint64 recordedMs);

    int levelDb() const { return levelDb_; }
    bool clipping() const { return clipping_; }
    bool unheard() const { return unheard_; }

private:
    qint64 startMs_ = 0;
    qint64 clippedAtMs_ = -1;
    int levelDb_ = MeterFloorDb;
    bool heard_ = false;
    bool clipping_ = false;
    bool unheard_ = false;
};
