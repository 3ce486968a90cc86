#pragma once

#include <QtGlobal>

#include <functional>
#include <random>

// The random draws of one exercise run: one generator, seeded once, instead of a reseed from
// the clock before every draw (which repeats itself within a clock tick).
class AnswerOrderDraw {
public:
    explicit AnswerOrderDraw(quint32 seed) : generator_(seed) {}
    // A seed for a run of the program, different from run to run.
    static quint32 freshSeed();

    // A uniform draw among the numbers 1..count for which `available` holds, as drawing again
    // until an available one comes up would give; 0 when none is available, instead of
    // drawing for ever.
    int among(int count, const std::function<bool(int)> &available);

private:
    std::mt19937 generator_;
};
