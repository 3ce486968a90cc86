#include "LineWaveform.h"

#include "sound/SoundFormat.h"
#include "sound/WavFile.h"

#include <algorithm>
#include <limits>

bool LineWaveform::show(std::shared_ptr<const SoundData> sound, Segment line, int width)
{
    if (sound == sound_ && line.startMs == line_.startMs && line.endMs == line_.endMs && width == width_)
        return false;
    sound_ = std::move(sound);
    line_ = line;
    width_ = width;
    columns_.clear();
    if (!sound_ || width_ <= 0 || line_.endMs <= line_.startMs || line_.startMs < 0)
        return true;

    const int channels = std::max(sound_->format.channels, 1);
    const qint64 total = sound_->frames();
    const qint64 first = std::min(framesForMs(line_.startMs, sound_->format.rate), total);
    const qint64 last = std::min(framesForMs(line_.endMs, sound_->format.rate), total);
    if (last <= first)
        return true;
    columns_.resize(size_t(width_));
    const qint16 *samples = sound_->samples.data();
    for (int x = 0; x < width_; ++x) {
        // Every frame belongs to exactly one column; a line shorter than the width repeats frames.
        const qint64 from = first + (last - first) * x / width_;
        const qint64 to = std::max(first + (last - first) * (x + 1) / width_, from + 1);
        // A plain loop the compiler turns into vector instructions: several times faster than
        // std::minmax_element, which a line of a minute needs.
        qint16 low = std::numeric_limits<qint16>::max();
        qint16 high = std::numeric_limits<qint16>::min();
        for (const qint16 *p = samples + from * channels, *end = samples + to * channels; p < end; ++p) {
            low = std::min(low, *p);
            high = std::max(high, *p);
        }
        columns_[size_t(x)] = {low, high};
    }
    return true;
}

int LineWaveform::columnAt(qint32 ms) const
{
    if (columns_.empty() || ms < line_.startMs || ms > line_.endMs)
        return -1;
    const qint64 span = line_.endMs - line_.startMs;
    return int(std::min<qint64>(qint64(ms - line_.startMs) * width_ / span, width_ - 1));
}
