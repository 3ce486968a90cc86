#include "DtwBaseline.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <limits>

namespace {

constexpr int FrameMs = 10;
constexpr int FftSize = 512;
constexpr int Bands = 24;

void fft(std::vector<std::complex<double>> &a)
{
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        const std::complex<double> step = std::polar(1.0, -2 * M_PI / double(len));
        for (size_t i = 0; i < n; i += len) {
            std::complex<double> w = 1;
            for (size_t k = 0; k < len / 2; ++k, w *= step) {
                const std::complex<double> u = a[i + k], v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
        }
    }
}

double mel(double hz)
{
    return 2595 * std::log10(1 + hz / 700);
}

using Features = std::vector<std::array<double, Bands>>;

Features features(const SoundData &sound)
{
    const int rate = sound.format.rate;
    const size_t hop = size_t(rate * FrameMs / 1000);
    const size_t window = std::min<size_t>(FftSize, size_t(rate * 25 / 1000));
    std::vector<int> bandOf(FftSize / 2, -1);
    for (int k = 1; k < FftSize / 2; ++k) {
        const double hz = double(k) * rate / FftSize;
        if (hz >= 100 && hz < 8000)
            bandOf[size_t(k)] = std::min(Bands - 1, int((mel(hz) - mel(100)) / (mel(8000) - mel(100)) * Bands));
    }
    Features out;
    std::vector<std::complex<double>> buffer(FftSize);
    for (size_t start = 0; start + window <= sound.samples.size(); start += hop) {
        std::fill(buffer.begin(), buffer.end(), 0);
        for (size_t i = 0; i < window; ++i)
            buffer[i] = sound.samples[start + i] / 32768.0 * (0.5 - 0.5 * std::cos(2 * M_PI * double(i) / double(window)));
        fft(buffer);
        std::array<double, Bands> energy{};
        for (int k = 1; k < FftSize / 2; ++k) {
            if (bandOf[size_t(k)] >= 0)
                energy[size_t(bandOf[size_t(k)])] += std::norm(buffer[size_t(k)]);
        }
        for (double &e : energy)
            e = std::log(e + 1e-9);
        out.push_back(energy);
    }
    for (int b = 0; b < Bands; ++b) {
        double mean = 0;
        for (const auto &frame : out)
            mean += frame[size_t(b)];
        mean /= std::max<size_t>(1, out.size());
        for (auto &frame : out)
            frame[size_t(b)] -= mean;
    }
    return out;
}

double distance(const std::array<double, Bands> &a, const std::array<double, Bands> &b)
{
    double sum = 0;
    for (int i = 0; i < Bands; ++i)
        sum += (a[size_t(i)] - b[size_t(i)]) * (a[size_t(i)] - b[size_t(i)]);
    return std::sqrt(sum);
}

} // namespace

std::vector<Segment> dtwSpans(const SoundData &recording, const SoundData &reading,
                              const std::vector<Segment> &readingSpans, double bandSeconds)
{
    const Features r = features(recording), s = features(reading);
    const int rn = int(r.size()), sn = int(s.size());
    if (rn == 0 || sn == 0)
        return {};
    const int band = int(bandSeconds * 1000 / FrameMs);
    // Row i holds reading frames from lo[i] to lo[i] + width - 1.
    const int width = 2 * band + 1;
    std::vector<int> lo(static_cast<size_t>(rn));
    for (int i = 0; i < rn; ++i)
        lo[size_t(i)] = int(std::lround(double(i) * (sn - 1) / std::max(1, rn - 1))) - band;
    constexpr double Infinite = std::numeric_limits<double>::infinity();
    std::vector<float> cost(size_t(rn) * size_t(width), float(Infinite));
    std::vector<unsigned char> step(size_t(rn) * size_t(width), 0);
    const auto at = [&](int i, int j) -> float {
        const int k = j - lo[size_t(i)];
        return (i < 0 || k < 0 || k >= width) ? float(Infinite) : cost[size_t(i) * size_t(width) + size_t(k)];
    };
    for (int i = 0; i < rn; ++i) {
        for (int k = 0; k < width; ++k) {
            const int j = lo[size_t(i)] + k;
            if (j < 0 || j >= sn)
                continue;
            const double d = distance(r[size_t(i)], s[size_t(j)]);
            double best;
            unsigned char from;
            if (i == 0 && j == 0) {
                best = 0;
                from = 0;
            } else {
                const double diagonal = at(i - 1, j - 1), up = at(i - 1, j), left = j > 0 ? at(i, j - 1) : Infinite;
                best = diagonal;
                from = 0;
                if (up < best) {
                    best = up;
                    from = 1;
                }
                if (left < best) {
                    best = left;
                    from = 2;
                }
            }
            cost[size_t(i) * size_t(width) + size_t(k)] = float(best + d);
            step[size_t(i) * size_t(width) + size_t(k)] = from;
        }
    }
    // The recording frames each reading frame was matched with, first and last.
    std::vector<int> first(size_t(sn), -1), last(size_t(sn), -1);
    int i = rn - 1, j = sn - 1;
    if (j - lo[size_t(i)] < 0 || j - lo[size_t(i)] >= width)
        return {};
    while (i >= 0 && j >= 0) {
        first[size_t(j)] = i;
        if (last[size_t(j)] < 0)
            last[size_t(j)] = i;
        if (i == 0 && j == 0)
            break;
        const unsigned char from = step[size_t(i) * size_t(width) + size_t(j - lo[size_t(i)])];
        if (from == 0) {
            --i;
            --j;
        } else if (from == 1) {
            --i;
        } else {
            --j;
        }
    }
    const auto frameOf = [&](qint32 ms) { return std::clamp(int(ms / FrameMs), 0, sn - 1); };
    std::vector<Segment> spans;
    for (const Segment &span : readingSpans) {
        const int start = first[size_t(frameOf(span.startMs))], end = last[size_t(frameOf(span.endMs))];
        spans.push_back({qint32(std::max(0, start) * FrameMs), qint32(std::max(0, end) * FrameMs)});
    }
    return spans;
}
