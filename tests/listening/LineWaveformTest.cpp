#include "listening/LineWaveform.h"
#include "sound/WavFile.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// GIVEN two seconds of stereo at 1000 Hz whose left channel climbs 0, 1, 2, … and whose right
// channel is its negative.
std::shared_ptr<const SoundData> climbingSound()
{
    auto sound = std::make_shared<SoundData>();
    sound->format = {1000, 2, 0};
    for (int frame = 0; frame < 2000; ++frame)
        sound->samples.insert(sound->samples.end(), {qint16(frame), qint16(-frame)});
    return sound;
}

// Each column holds the extremes of its share of the line's frames over both channels; the
// same line is worked out once; positions map to columns inside the line only; a line past
// the sound's end is cut to it, and nothing to show gives no columns.
TEST(LineWaveformTest, ColumnsHoldTheExtremesOfTheirFrames)
{
    const std::shared_ptr<const SoundData> sound = climbingSound();
    LineWaveform waveform;
    ASSERT_TRUE(waveform.show(sound, {1000, 1400}, 4));
    ASSERT_EQ(waveform.columns().size(), 4U);
    EXPECT_EQ(waveform.columns()[0].low, -1099);
    EXPECT_EQ(waveform.columns()[0].high, 1099);
    EXPECT_EQ(waveform.columns()[3].high, 1399);
    EXPECT_FALSE(waveform.show(sound, {1000, 1400}, 4));

    EXPECT_EQ(waveform.columnAt(999), -1);
    EXPECT_EQ(waveform.columnAt(1000), 0);
    EXPECT_EQ(waveform.columnAt(1250), 2);
    EXPECT_EQ(waveform.columnAt(1400), 3);
    EXPECT_EQ(waveform.columnAt(1401), -1);

    ASSERT_TRUE(waveform.show(sound, {1800, 2600}, 2));
    EXPECT_EQ(waveform.columns()[1].high, 1999);
    EXPECT_TRUE(waveform.show(sound, {3000, 3500}, 2));
    EXPECT_TRUE(waveform.columns().empty());
    EXPECT_TRUE(waveform.show(nullptr, {0, 500}, 2));
    EXPECT_TRUE(waveform.columns().empty());
    EXPECT_EQ(waveform.columnAt(100), -1);
}

} // namespace
