#include "sound/Resampler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// Runs `periods` device periods of `frames` frames through a resampler fed from `signal`
// (source frame -> sample), mono to mono; returns the device frames.
template <typename Signal>
std::vector<float> resample(Resampler &resampler, int periods, int frames, Signal signal, qint64 &taken)
{
    std::vector<float> out;
    for (int p = 0; p < periods; ++p) {
        const int needed = resampler.sourceFramesNeeded(frames);
        std::vector<qint16> source;
        for (int i = 0; i < needed; ++i)
            source.push_back(signal(taken + i));
        taken += needed;
        std::vector<float> period(size_t(frames), 0.0f);
        resampler.mixInto(period.data(), frames, source.data());
        out.insert(out.end(), period.begin(), period.end());
    }
    return out;
}

TEST(Resampler, AtEqualRatesEveryFramePassesUnchanged)
{
    Resampler resampler(22050, 1, 22050, 1);
    qint64 taken = 0;
    const auto signal = [](qint64 f) { return qint16((f * 37) % 60000 - 30000); };

    const std::vector<float> out = resample(resampler, 10, 221, signal, taken);

    for (qint64 f = 0; f < qint64(out.size()); ++f)
        ASSERT_EQ(out[size_t(f)], float(signal(f)) / 32768.0f) << "frame " << f;
    EXPECT_EQ(resampler.played(), 2210);
}

struct Rates {
    int source;
    int device;
};

class ResamplerRates : public ::testing::TestWithParam<Rates> {};

// The frames taken and played follow the exact ratio of the rates, however long it runs:
// the position of what is heard never drifts.
TEST_P(ResamplerRates, TakesAndPlaysFramesAtTheExactRatio)
{
    const Rates rates = GetParam();
    Resampler resampler(rates.source, 1, rates.device, 1);
    qint64 taken = 0;

    resample(resampler, 3000, 480, [](qint64) { return qint16(0); }, taken);

    const qint64 devicePlayed = 3000LL * 480;
    EXPECT_EQ(resampler.played(), devicePlayed * rates.source / rates.device);
    // Two frames after the playing one are held, and the playing one itself.
    EXPECT_EQ(taken, resampler.played() + 3);
}

INSTANTIATE_TEST_SUITE_P(Rates, ResamplerRates,
                         ::testing::Values(Rates{22050, 48000}, Rates{44100, 48000}, Rates{8000, 48000},
                                           Rates{11025, 48000}, Rates{96000, 48000}, Rates{48000, 48000}));

TEST(Resampler, AToneKeepsItsShape)
{
    // GIVEN a 440 Hz tone at 22050 Hz, half of full scale
    Resampler resampler(22050, 1, 48000, 1);
    const double w = 2 * M_PI * 440;
    qint64 taken = 0;

    const std::vector<float> out =
        resample(resampler, 50, 480, [&](qint64 f) { return qint16(std::lround(16384 * std::sin(w * f / 22050.0))); }, taken);

    // THEN every device frame is the tone at the device frame's time (after the first few,
    // which start from the silence before the sound)
    for (size_t i = 4; i < out.size(); ++i)
        ASSERT_NEAR(out[i], 0.5 * std::sin(w * double(i) / 48000.0), 0.002) << "frame " << i;
}

struct Mapping {
    int sourceChannels;
    int deviceChannels;
    std::vector<qint16> frame;
    std::vector<float> expected;
};

class ResamplerChannels : public ::testing::TestWithParam<Mapping> {};

TEST_P(ResamplerChannels, MapsChannelsOntoTheDevice)
{
    const Mapping m = GetParam();
    Resampler resampler(8000, m.sourceChannels, 8000, m.deviceChannels);
    std::vector<qint16> source;
    for (int i = 0; i < resampler.sourceFramesNeeded(1); ++i)
        source.insert(source.end(), m.frame.begin(), m.frame.end());
    std::vector<float> out(size_t(m.deviceChannels), 0.0f);

    resampler.mixInto(out.data(), 1, source.data());

    EXPECT_EQ(out, m.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Channels, ResamplerChannels,
    ::testing::Values(Mapping{1, 2, {16384}, {0.5f, 0.5f}}, Mapping{2, 2, {16384, -8192}, {0.5f, -0.25f}},
                      Mapping{2, 1, {16384, -8192}, {0.125f}}, Mapping{1, 1, {-16384}, {-0.5f}},
                      Mapping{2, 4, {16384, 8192}, {0.5f, 0.25f, 0.0f, 0.0f}}));

} // namespace
