#include "ewd/detent_angles.h"

#include <gtest/gtest.h>

TEST(DetentAngles, NoNumberGivesTheDefaults)
{
    DetentAngles angles {};
    completeDetentAngles(angles, 0, kDefaultSlatDetentAngles);
    EXPECT_EQ(angles, (DetentAngles { 0, 18, 18, 22, 22, 27, 0, 0, 0, 0 }));
}

TEST(DetentAngles, AShortListTakesTheDefaultsForTheMissingDetents)
{
    DetentAngles angles { 0, 0, 5, 0, 0, 0, 0, 0, 0, 0 };
    completeDetentAngles(angles, 3, kDefaultFlapDetentAngles);
    EXPECT_EQ(angles, (DetentAngles { 0, 0, 5, 15, 20, 35, 0, 0, 0, 0 }));
}

TEST(DetentAngles, AShortListStillAscends)
{
    DetentAngles angles { 0, 0, 25, 0, 0, 0, 0, 0, 0, 0 };
    completeDetentAngles(angles, 3, kDefaultFlapDetentAngles);
    EXPECT_EQ(angles, (DetentAngles { 0, 0, 25, 25, 25, 35, 0, 0, 0, 0 }));
}
