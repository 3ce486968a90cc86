#include "authoring/SpokenWeight.h"

#include <gtest/gtest.h>

namespace {

TEST(SpokenWeightTest, CountsSyllablesDigitsAndTheBreathsOfPunctuation)
{
    const struct {
        const char *line;
        double syllables;
    } cases[] = {
        {"made", 1.25},         // a silent final e
        {"table", 2.25},        // but not after a consonant and l
        {"beautiful", 3.25},    // vowel groups
        {"rhythm", 1.25},       // y is a vowel here
        {"I'm here.", 2.5},     // an apostrophe stays inside its word
        {"Room 214", 1.25 + 3 * 1.2},
        {"Yes, sir", 2.5 + 0.5}, // an inner comma, not a final stop
        {"W-O-O-D.", 3 + 3 * 1 + 4 * 0.25 + 3 * 0.5}, // spelt: letter names and a break after each
        {"X-ray", 1.25 + 1.25},  // not spelt
        {"", 1},                // a line is never weightless
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(spokenWeight(c.line), c.syllables) << c.line;
}

} // namespace
