#include "AnswerOrderDraw.h"

#include <vector>

quint32 AnswerOrderDraw::freshSeed()
{
    return std::random_device{}();
}

int AnswerOrderDraw::among(int count, const std::function<bool(int)> &available)
{
    std::vector<int> candidates;
    for (int number = 1; number <= count; ++number) {
        if (available(number))
            candidates.push_back(number);
    }
    if (candidates.empty())
        return 0;
    std::uniform_int_distribution<std::size_t> pick(0, candidates.size() - 1);
    return candidates[pick(generator_)];
}
