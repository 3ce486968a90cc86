#pragma once

#include <QtGlobal>

#include <memory>
#include <vector>

namespace soundtouch {
class SoundTouch;
}

// Slows a sound without changing its pitch (SoundTouch's overlap-add on 16-bit interleaved
// frames). The output follows the input's timeline: output frame k holds the sound near input
// frame k × speed (within 25 ms), and a whole segment comes out as its length ÷ speed frames,
// its end padded with silence. A speed changed on the way applies to what follows, within
// the few milliseconds of sound the stretch holds.
class TimeStretch {
public:
    TimeStretch();
    ~TimeStretch();

    // Forgets what it holds and starts a new segment. `percent` is the speed, 1–100.
    void start(int rate, int channels, int percent);
    // The speed from the frames not yet stretched on, keeping what it holds.
    void setSpeed(int percent);
    // Hands `frames` frames of the segment, in order.
    void feed(const qint16 *in, qint64 frames);
    // The segment has no more frames: what remains inside comes out.
    void finish();
    qint64 available() const;
    // Takes up to `frames` frames; returns how many it wrote.
    qint64 take(qint16 *out, qint64 frames);

private:
    std::unique_ptr<soundtouch::SoundTouch> engine_;
    std::vector<float> buffer_;
    int channels_ = 1;
};
