#include "SyntagmAligner.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <tuple>

namespace {

// The reward of a pause grows with its length, slower and slower: a pause of 0.5 s beats
// one of 0.15 s by about as much as a syntagm 1.6 times too long costs.
constexpr double PauseScaleMs = 40;
// A dip inside speech is a border only when the timing needs it.
constexpr double DipPenalty = 1.5;
constexpr double DipDepthReward = 0.5; // for a dip of DeepDipDb or more
constexpr double DeepDipDb = 20;
// A syntagm lasting more than this many times its expected length, or less than its
// inverse, is ruled out while any other choice remains.
constexpr double LikelyRatio = 4;
constexpr double PossibleRatio = 50;
// The band around a border's expected place that is searched: enough for a reader who
// slows down or speeds up, and it keeps long recordings in bounded memory.
constexpr qint32 BandMs = 20000;
constexpr qint32 BandShare = 20; // plus a twentieth of the speech's length

constexpr double Infinite = std::numeric_limits<double>::infinity();

} // namespace

SyntagmAligner::SyntagmAligner(const SpeechActivity &activity) : soundMs_(activity.lengthMs())
{
    const std::vector<SoundStretch> &speech = activity.speech();
    if (speech.empty())
        return;
    places_.push_back({speech.front().startMs, speech.front().startMs, 0, false});
    for (const SoundStretch &pause : activity.innerPauses())
        places_.push_back({pause.startMs, pause.endMs, std::log1p(pause.lengthMs() / PauseScaleMs), true});
    for (const SpeechActivity::Dip &dip : activity.dips()) {
        const double reward = DipDepthReward * std::min(dip.depthDb, DeepDipDb) / DeepDipDb;
        places_.push_back({dip.ms, dip.ms, reward - DipPenalty, false});
    }
    places_.push_back({speech.back().endMs, speech.back().endMs, 0, false});
    std::sort(places_.begin() + 1, places_.end() - 1, [](const Place &a, const Place &b) { return a.leftMs < b.leftMs; });
}

std::vector<Segment> SyntagmAligner::align(const std::vector<double> &weights) const
{
    if (places_.empty() || weights.empty())
        return {};
    const size_t n = weights.size();
    const double totalWeight = std::accumulate(weights.begin(), weights.end(), 0.0);
    const double spanMs = places_.back().leftMs - places_.front().rightMs;

    // First guess of the speaking rate: the speech without its n - 1 longest pauses.
    std::vector<qint32> pauses;
    for (const Place &place : places_) {
        if (place.pause)
            pauses.push_back(place.rightMs - place.leftMs);
    }
    std::sort(pauses.rbegin(), pauses.rend());
    const double pausedMs = std::accumulate(pauses.begin(), pauses.begin() + qsizetype(std::min(pauses.size(), n - 1)), 0.0);
    double msPerWeight = std::max(spanMs - pausedMs, spanMs * 0.3) / totalWeight;

    std::vector<int> chosen;
    for (int pass = 0; pass < 2; ++pass) {
        std::vector<double> expected(n);
        for (size_t k = 0; k < n; ++k)
            expected[k] = std::max(1.0, weights[k] * msPerWeight);
        chosen = choosePlaces(expected, LikelyRatio);
        if (chosen.empty())
            chosen = choosePlaces(expected, PossibleRatio);
        if (chosen.empty())
            return proportionalSpans(weights);
        // The rate the chosen borders give, for a second, better-informed choice.
        double spokenMs = 0;
        for (size_t k = 0; k < n; ++k)
            spokenMs += places_[size_t(chosen[k + 1])].leftMs - places_[size_t(chosen[k])].rightMs;
        msPerWeight = spokenMs / totalWeight;
    }
    return spansThrough(chosen);
}

// The places of the n + 1 borders (the first and last being the ends of speech) that
// minimise the cost, or nothing when no choice keeps every syntagm within maxRatio.
std::vector<int> SyntagmAligner::choosePlaces(const std::vector<double> &expectedMs, double maxRatio) const
{
    const size_t n = expectedMs.size();
    const int last = int(places_.size()) - 1;
    const double startMs = places_.front().rightMs;
    const double spanMs = places_.back().leftMs - startMs;
    const double totalMs = std::accumulate(expectedMs.begin(), expectedMs.end(), 0.0);
    const double bandMs = BandMs + spanMs / BandShare;

    // Border k (1 to n - 1, after syntagm k - 1) is searched among places lo[k] to hi[k].
    std::vector<int> lo(n + 1), hi(n + 1);
    lo[0] = hi[0] = 0;
    lo[n] = hi[n] = last;
    double before = 0;
    for (size_t k = 1; k < n; ++k) {
        before += expectedMs[k - 1];
        const double at = startMs + spanMs * before / totalMs;
        const auto from = std::lower_bound(places_.begin() + 1, places_.end() - 1, at - bandMs,
                                           [](const Place &p, double ms) { return p.leftMs < ms; });
        const auto to = std::upper_bound(places_.begin() + 1, places_.end() - 1, at + bandMs,
                                         [](double ms, const Place &p) { return ms < p.leftMs; });
        lo[k] = int(from - places_.begin());
        hi[k] = int(to - places_.begin()) - 1;
    }

    std::vector<std::vector<double>> cost(n + 1);
    std::vector<std::vector<int>> from(n + 1);
    cost[0] = {0.0};
    from[0] = {-1};
    for (size_t k = 1; k <= n; ++k) {
        const double expected = expectedMs[k - 1];
        const int width = std::max(0, hi[k] - lo[k] + 1);
        cost[k].assign(size_t(width), Infinite);
        from[k].assign(size_t(width), -1);
        for (int j = lo[k]; j <= hi[k]; ++j) {
            const Place &end = places_[size_t(j)];
            double best = Infinite;
            int bestFrom = -1;
            for (int i = std::min(j - 1, hi[k - 1]); i >= lo[k - 1]; --i) {
                const double previous = cost[k - 1][size_t(i - lo[k - 1])];
                const double duration = end.leftMs - places_[size_t(i)].rightMs;
                if (duration > expected * maxRatio)
                    break; // earlier places only make it longer
                if (previous == Infinite || duration <= 0 || duration < expected / maxRatio)
                    continue;
                const double misfit = std::log(duration / expected);
                const double total = previous + misfit * misfit;
                if (total < best) {
                    best = total;
                    bestFrom = i;
                }
            }
            if (bestFrom >= 0) {
                cost[k][size_t(j - lo[k])] = best - end.bonus;
                from[k][size_t(j - lo[k])] = bestFrom;
            }
        }
    }
    if (cost[n].empty() || cost[n][0] == Infinite)
        return {};
    std::vector<int> chosen(n + 1);
    chosen[n] = last;
    for (size_t k = n; k > 0; --k)
        chosen[k - 1] = from[k][size_t(chosen[k] - lo[k])];
    return chosen;
}

std::pair<qint32, qint32> SyntagmAligner::bordersInPause(qint32 leftMs, qint32 rightMs)
{
    const qint32 gap = rightMs - leftMs;
    if (gap >= LeadMs + TailMs)
        return {leftMs + TailMs, rightMs - LeadMs};
    const qint32 shared = leftMs + gap * TailMs / (LeadMs + TailMs);
    return {shared, shared};
}

std::vector<Segment> SyntagmAligner::spansThrough(const std::vector<int> &chosen) const
{
    const size_t n = chosen.size() - 1;
    std::vector<Segment> spans(n);
    spans[0].startMs = std::max(0, places_.front().rightMs - LeadMs);
    for (size_t k = 1; k < n; ++k) {
        const Place &border = places_[size_t(chosen[k])];
        std::tie(spans[k - 1].endMs, spans[k].startMs) = bordersInPause(border.leftMs, border.rightMs);
    }
    spans[n - 1].endMs = std::min(soundMs_, places_.back().leftMs + TailMs);
    return spans;
}

// The last resort, for speech too short to hold a border for every syntagm: the speech
// shared out by the weights.
std::vector<Segment> SyntagmAligner::proportionalSpans(const std::vector<double> &weights) const
{
    const double startMs = places_.front().rightMs;
    const double spanMs = places_.back().leftMs - startMs;
    const double total = std::accumulate(weights.begin(), weights.end(), 0.0);
    std::vector<Segment> spans(weights.size());
    double before = 0;
    for (size_t k = 0; k < weights.size(); ++k) {
        spans[k].startMs = qint32(std::lround(startMs + spanMs * before / total));
        before += weights[k];
        spans[k].endMs = qint32(std::lround(startMs + spanMs * before / total));
    }
    spans.front().startMs = std::max(0, spans.front().startMs - LeadMs);
    spans.back().endMs = std::min(soundMs_, spans.back().endMs + TailMs);
    return spans;
}
