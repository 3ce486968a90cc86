#include "SpeechActivity.h"

#include <algorithm>
#include <cmath>

namespace {

// Digital silence has no level; it stands this far down.
constexpr double SilenceDb = -120.0;
// The speech level is the power of the loudest blocks: a recording read with pauses
// as long as its sentences still has this much speech.
constexpr double LoudShare = 0.3;
// Speech must also stand this far above the quiet blocks' level (the room's noise), but
// that never brings the threshold nearer than this to the speech level: in a recording
// with hardly any pause the quietest blocks are the troughs between syllables.
constexpr double AboveNoiseDb = 8.0;
constexpr double NoiseShare = 0.1;
constexpr double NearestToSpeechDb = 20.0;
// A recording whose loudest part stays below this holds no speech at all.
constexpr double QuietestSpeechDb = -60.0;
// The loudness curve a dip is looked for on: smoothed over this many blocks either side,
// and a dip is the quietest point this far either side.
constexpr int SmoothBlocks = 2;
constexpr int DipReachBlocks = 8;

// The loudness of each block is the power of its sound about the block's own mean: a
// microphone's offset from zero, constant or drifting, is not sound anyone hears.
std::vector<double> blockLevels(const SoundData &sound)
{
    const int channels = std::max(1, sound.format.channels);
    const qint64 rate = std::max(1, sound.format.rate);
    const qint64 frames = sound.frames();
    // Block b holds the frames of [5b, 5b + 5) ms, so that block times stay exact at rates
    // that do not divide into 5 ms.
    const auto firstFrame = [&](qint64 block) { return block * SpeechActivity::BlockMs * rate / 1000; };
    std::vector<double> levels;
    for (qint64 block = 0; firstFrame(block) < frames; ++block) {
        const qint64 first = firstFrame(block);
        const qint64 last = std::min(frames, std::max(first + 1, firstFrame(block + 1)));
        double sum = 0, squares = 0;
        for (qint64 f = first; f < last; ++f) {
            double mono = 0;
            for (int c = 0; c < channels; ++c)
                mono += sound.samples[size_t(f * channels + c)];
            mono /= 32768.0 * channels;
            sum += mono;
            squares += mono * mono;
        }
        const double n = double(last - first);
        const double power = squares / n - (sum / n) * (sum / n);
        levels.push_back(power > 1e-12 ? std::max(SilenceDb, 10 * std::log10(power)) : SilenceDb);
    }
    return levels;
}

double meanPowerDb(std::vector<double>::const_iterator first, std::vector<double>::const_iterator last)
{
    if (first == last)
        return SilenceDb;
    double power = 0;
    for (auto it = first; it != last; ++it)
        power += std::pow(10.0, *it / 10);
    return 10 * std::log10(power / double(last - first));
}

} // namespace

SpeechActivity::SpeechActivity(const SoundData &sound)
    : lengthMs_(qint32(msForFrames(sound.frames(), std::max(1, sound.format.rate)))), levelsDb_(blockLevels(sound))
{
    if (levelsDb_.empty())
        return;
    std::vector<double> sorted = levelsDb_;
    std::sort(sorted.begin(), sorted.end());
    const auto loudFrom = sorted.begin() + qsizetype(double(sorted.size()) * (1 - LoudShare));
    const double speechLevelDb = meanPowerDb(loudFrom, sorted.end());
    const double noiseDb = sorted[size_t(double(sorted.size() - 1) * NoiseShare)];
    const double thresholdDb =
        std::max(speechLevelDb - SpeechRangeDb, std::min(noiseDb + AboveNoiseDb, speechLevelDb - NearestToSpeechDb));
    if (speechLevelDb < QuietestSpeechDb)
        return; // silence, or a hiss, throughout

    const int shortestGap = ShortestPauseMs / BlockMs;
    for (size_t b = 0; b < levelsDb_.size(); ++b) {
        if (levelsDb_[b] < thresholdDb)
            continue;
        const qint32 startMs = qint32(b) * BlockMs;
        const qint32 endMs = std::min(startMs + BlockMs, lengthMs_);
        if (!speech_.empty() && (startMs - speech_.back().endMs) / BlockMs < shortestGap)
            speech_.back().endMs = endMs;
        else
            speech_.push_back({startMs, endMs});
    }
}

std::vector<SoundStretch> SpeechActivity::innerPauses() const
{
    std::vector<SoundStretch> pauses;
    for (size_t i = 1; i < speech_.size(); ++i)
        pauses.push_back({speech_[i - 1].endMs, speech_[i].startMs});
    return pauses;
}

std::vector<SpeechActivity::Dip> SpeechActivity::dips() const
{
    const int count = int(levelsDb_.size());
    std::vector<double> smooth(levelsDb_.size());
    for (int b = 0; b < count; ++b) {
        const int from = std::max(0, b - SmoothBlocks), to = std::min(count - 1, b + SmoothBlocks);
        double sum = 0;
        for (int i = from; i <= to; ++i)
            sum += levelsDb_[size_t(i)];
        smooth[size_t(b)] = sum / (to - from + 1);
    }
    std::vector<Dip> found;
    for (const SoundStretch &stretch : speech_) {
        const int first = stretch.startMs / BlockMs, last = stretch.endMs / BlockMs - 1;
        for (int b = first + DipReachBlocks; b <= last - DipReachBlocks; ++b) {
            const double here = smooth[size_t(b)];
            double left = here, right = here;
            bool lowest = true;
            for (int d = 1; d <= DipReachBlocks && lowest; ++d) {
                // Ties go to the first block of a flat bottom.
                lowest = smooth[size_t(b - d)] > here && smooth[size_t(b + d)] >= here;
                left = std::max(left, smooth[size_t(b - d)]);
                right = std::max(right, smooth[size_t(b + d)]);
            }
            if (lowest)
                found.push_back({b * BlockMs + BlockMs / 2, std::min(left, right) - here});
        }
    }
    return found;
}

bool cutsSpeech(const std::vector<SoundStretch> &speech, qint32 ms, qint32 marginMs)
{
    const auto after = std::upper_bound(speech.begin(), speech.end(), ms,
                                        [](qint32 value, const SoundStretch &s) { return value < s.startMs; });
    if (after == speech.begin())
        return false;
    const SoundStretch &stretch = *(after - 1);
    return ms - stretch.startMs >= marginMs && stretch.endMs - ms >= marginMs;
}
