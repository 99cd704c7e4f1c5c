#include "alerts/autopilot_off_timer.h"

#include <gtest/gtest.h>

TEST(AutopilotOffTimer, ShowsForFiveSecondsOfSimulatorTimeAfterDisengaging)
{
    AutopilotOffTimer timer;
    timer.update(true, 90.0);
    EXPECT_FALSE(timer.showing());
    timer.update(false, 100.0);
    EXPECT_TRUE(timer.showing());
    timer.update(false, 104.9);
    EXPECT_TRUE(timer.showing());
    timer.update(false, 105.0);
    EXPECT_TRUE(timer.showing());
    timer.update(false, 105.01);
    EXPECT_FALSE(timer.showing());
    timer.update(false, 106.0);
    EXPECT_FALSE(timer.showing());
}

TEST(AutopilotOffTimer, ReengagingClearsAtOnce)
{
    AutopilotOffTimer timer;
    timer.update(true, 10.0);
    timer.update(false, 11.0);
    ASSERT_TRUE(timer.showing());
    timer.update(true, 11.5);
    EXPECT_FALSE(timer.showing());
}

TEST(AutopilotOffTimer, AnAutopilotOffFromTheStartCountsAsADisengagement)
{
    AutopilotOffTimer timer;
    timer.update(false, 0.0);
    EXPECT_TRUE(timer.showing());
    // Simulator time frozen at zero (no link yet): the message stays.
    timer.update(false, 0.0);
    EXPECT_TRUE(timer.showing());
}
