#include "MicrophoneMeter.h"

#include <algorithm>
#include <cmath>

namespace {
// A sample this close to full scale has most likely been cut off by the converter.
constexpr int ClipPeak = 32700;
}

void MicrophoneMeter::start(qint64 recordedMs)
{
    *this = MicrophoneMeter{};
    startMs_ = recordedMs;
}

void MicrophoneMeter::update(int peak, qint64 recordedMs)
{
    const double db = peak > 0 ? 20 * std::log10(peak / 32768.0) : double(MeterFloorDb);
    levelDb_ = std::clamp(int(std::lround(db)), MeterFloorDb, 0);
    if (db > SilenceDb)
        heard_ = true;
    if (peak >= ClipPeak)
        clippedAtMs_ = recordedMs;
    clipping_ = clippedAtMs_ >= 0 && recordedMs - clippedAtMs_ < ClipHoldMs;
    unheard_ = !heard_ && recordedMs - startMs_ >= SilenceWindowMs;
}
