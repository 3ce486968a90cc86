#include "listening/MicrophoneMeter.h"

#include <gtest/gtest.h>

namespace {

// GIVEN a recording that starts at 2000 ms of its device's time.
TEST(MicrophoneMeterTest, TheLevelFollowsThePeakAndClipsShowForASecond)
{
    MicrophoneMeter meter;
    meter.start(2000);
    meter.update(0, 2050);
    EXPECT_EQ(meter.levelDb(), MicrophoneMeter::MeterFloorDb);
    meter.update(3, 2100); // -81 dBFS: below the meter
    EXPECT_EQ(meter.levelDb(), MicrophoneMeter::MeterFloorDb);
    meter.update(16384, 2150);
    EXPECT_EQ(meter.levelDb(), -6);
    EXPECT_FALSE(meter.clipping());

    meter.update(32768, 2200);
    EXPECT_EQ(meter.levelDb(), 0);
    EXPECT_TRUE(meter.clipping());
    meter.update(1000, 3150);
    EXPECT_TRUE(meter.clipping()) << "held a second";
    meter.update(1000, 3200);
    EXPECT_FALSE(meter.clipping());
}

TEST(MicrophoneMeterTest, NothingAboveMinus50DbInTheFirstFiveSecondsIsUnheardUntilSomethingIs)
{
    MicrophoneMeter meter;
    meter.start(2000);
    meter.update(100, 6950); // -50.3 dBFS
    EXPECT_FALSE(meter.unheard()) << "not yet five seconds";
    meter.update(100, 7000);
    EXPECT_TRUE(meter.unheard());
    meter.update(120, 7050); // -48.7 dBFS
    EXPECT_FALSE(meter.unheard());
    meter.update(0, 9000);
    EXPECT_FALSE(meter.unheard()) << "the microphone was heard";

    meter.start(9000);
    meter.update(0, 14000);
    EXPECT_TRUE(meter.unheard()) << "a new recording looks again";
}

} // namespace
