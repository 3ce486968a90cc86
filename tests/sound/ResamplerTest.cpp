#include "sound/Resampler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
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
    // The source is a fixed number of frames ahead of what plays: the filter's look-ahead.
    EXPECT_EQ(taken, resampler.played() + resampler.framesAhead());
}

INSTANTIATE_TEST_SUITE_P(Rates, ResamplerRates,
                         ::testing::Values(Rates{22050, 48000}, Rates{44100, 48000}, Rates{8000, 48000},
                                           Rates{11025, 48000}, Rates{96000, 48000}, Rates{48000, 48000}));

// A windowed look at one frequency of a signal: its complex amplitude, from `first` on.
std::complex<double> component(const std::vector<float> &signal, size_t first, double hz, int rate)
{
    std::complex<double> sum;
    double weights = 0;
    const size_t n = signal.size() - first;
    for (size_t i = 0; i < n; ++i) {
        const double w = 0.5 - 0.5 * std::cos(2 * M_PI * double(i) / double(n));
        sum += w * double(signal[first + i]) * std::polar(1.0, -2 * M_PI * hz * double(first + i) / rate);
        weights += w;
    }
    return 2.0 * sum / weights;
}

double decibels(double ratio)
{
    return 20 * std::log10(ratio);
}

struct Tone {
    int sourceRate;
    double hz;
    double levelToleranceDb; // near the top of the sound's band the filter may take a little
};

class ResamplerTone : public ::testing::TestWithParam<Tone> {};

// The band-limited resampler plays a tone at its level and at its time, and leaves none of
// the images (rate ± tone, 2 rate ± tone, ...) that interpolation leaves above the sound's band.
TEST_P(ResamplerTone, PlaysTheToneAtItsLevelAndTimeWithoutImages)
{
    // GIVEN a half-scale tone played in 10 ms periods of a 48000 Hz device for one second
    const Tone tone = GetParam();
    constexpr int DeviceRate = 48000;
    Resampler resampler(tone.sourceRate, 1, DeviceRate, 1);
    const double w = 2 * M_PI * tone.hz;
    qint64 taken = 0;
    const std::vector<float> out = resample(
        resampler, 100, 480,
        [&](qint64 f) { return qint16(std::lround(16384 * std::sin(w * double(f) / tone.sourceRate))); }, taken);
    std::vector<float> ideal(out.size());
    for (size_t i = 0; i < ideal.size(); ++i)
        ideal[i] = float(0.5 * std::sin(w * double(i) / DeviceRate));

    // THEN past the start, the tone is at its level and in phase with the ideal tone at the
    // device frames' times
    const size_t settled = 2048;
    const std::complex<double> heard = component(out, settled, tone.hz, DeviceRate);
    const std::complex<double> expected = component(ideal, settled, tone.hz, DeviceRate);
    EXPECT_NEAR(decibels(std::abs(heard / expected)), 0.0, tone.levelToleranceDb);
    EXPECT_NEAR(std::arg(heard / expected), 0.0, 0.01);
    // AND every image is 60 dB or more below it
    for (int m = 1; m * tone.sourceRate - tone.hz < DeviceRate / 2; ++m) {
        for (const double image : {m * tone.sourceRate - tone.hz, m * tone.sourceRate + tone.hz}) {
            if (image >= DeviceRate / 2)
                continue;
            const double level = decibels(std::abs(component(out, settled, image, DeviceRate)) / std::abs(heard));
            EXPECT_LT(level, -60.0) << "image at " << image << " Hz";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Tones, ResamplerTone,
                         ::testing::Values(Tone{22050, 1000, 0.05}, Tone{22050, 3000, 0.05}, Tone{22050, 5000, 0.05},
                                           Tone{11025, 1000, 0.05}, Tone{11025, 3000, 0.05}, Tone{11025, 5000, 1.0}));

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
