#include <gtest/gtest.h>

#include "media/clock.h"
#include "media/test_seams.h"

namespace {

TEST(Clock, RealPauseSleepsAndNegativeReturnsAtOnce) {
    UseVirtualClock(false);
    int start = Millis();
    Pause(30);
    int slept = Millis() - start;
    EXPECT_GE(slept, 30);
    EXPECT_LT(slept, 1000);
    start = Millis();
    Pause(-5000);
    EXPECT_LT(Millis() - start, 1000); // far below the 5 s asked for
}

TEST(Clock, VirtualClockAdvancesOnlyWhenAskedAndWraps) {
    UseVirtualClock(true, 1000);
    EXPECT_EQ(Millis(), 1000);
    Pause(60);
    EXPECT_EQ(Millis(), 1060);
    Pause(-10);
    AdvanceVirtualClock(-10);
    EXPECT_EQ(Millis(), 1060);
    AdvanceVirtualClock(40);
    EXPECT_EQ(Millis(), 1100);

    // Differences stay right across the wrap of the 32-bit value.
    UseVirtualClock(true, 2147483600);
    int before = Millis();
    Pause(100);
    EXPECT_EQ(static_cast<int>(static_cast<unsigned>(Millis()) - static_cast<unsigned>(before)),
              100);
    UseVirtualClock(false);
}

} // namespace
