#include "systems/thrust_state.h"
#include "sim/value_sources.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using V = AircraftValue;
using Mode = ThrustLimitCode;

class ThrustStateTest : public ::testing::Test {
protected:
    ThrustStateTest()
    {
        data.engineCount = 2;
        data.onGround = 1;
        levers(0);
    }

    void set(AircraftValue value, double number, int instance = 0) { data.aircraft.set(value, instance, number); }
    void levers(double percent)
    {
        for (int engine = 0; engine < 2; ++engine)
            set(V::ThrottleLever, percent, engine);
    }
    ThrustIndications const& frame() { return state.update(data, settings); }

    SimData data;
    ThrustSettings settings;
    ThrustState state;
};

// Without a mode from the aircraft, the most advanced lever's detent gives it.
TEST_F(ThrustStateTest, LeverDetentsGiveTheModeWhenTheAircraftGivesNone)
{
    struct Case {
        double lever1, lever2;
        Mode mode;
    };
    Case const cases[] = {
        { 0, 0, Mode::Climb }, // idle counts as CL
        { 60, 10, Mode::Climb },
        { 80, 60, Mode::MaxContinuous }, // no flex temperature
        { 99, 60, Mode::TakeOffGoAround },
        { -20, -20, Mode::MaxReverse },
        { -20, 60, Mode::Climb }, // the most advanced lever decides
        { NAN, NAN, Mode::None }, // no lever and no mode
    };
    for (Case const& c : cases) {
        set(V::ThrottleLever, c.lever1, 0);
        set(V::ThrottleLever, c.lever2, 1);
        EXPECT_EQ(frame().mode, c.mode) << c.lever1 << " " << c.lever2;
    }
}

// A mode the aircraft gives wins, as its nearest code; a value outside the
// codes is no mode (amber XX), not the levers' guess.
TEST_F(ThrustStateTest, TheAircraftsModeWinsOverTheLevers)
{
    struct Case {
        double given;
        Mode mode;
    };
    Case const cases[] = {
        { 1, Mode::Climb },
        { 2.9999, Mode::Flex },
        { 0, Mode::None },
        { 6, Mode::None },
        { -1, Mode::None },
        { 1e300, Mode::None },
        { -1e300, Mode::None },
    };
    levers(99);
    for (Case const& c : cases) {
        set(V::ThrustLimitMode, c.given);
        EXPECT_EQ(frame().mode, c.mode) << c.given;
    }
}

// FLX: set on the ground with a flex temperature, held into the air while
// the lever stays in FLX/MCT; once the lever leaves, the detent is MCT again.
TEST_F(ThrustStateTest, FlexHoldsFromTheGroundUntilTheLeverMoves)
{
    set(V::FlexTemp, 58);
    levers(80);
    EXPECT_EQ(frame().mode, Mode::Flex);
    data.onGround = 0;
    EXPECT_EQ(frame().mode, Mode::Flex);
    levers(60);
    EXPECT_EQ(frame().mode, Mode::Climb);
    levers(80);
    EXPECT_EQ(frame().mode, Mode::MaxContinuous);

    data.onGround = 1;
    set(V::FlexTemp, 0); // no flex temperature entered
    EXPECT_EQ(frame().mode, Mode::MaxContinuous);
}

// Values the aircraft does not give stay absent, never zero.
TEST_F(ThrustStateTest, LimitAndFlexAreAbsentUnlessGiven)
{
    EXPECT_FALSE(frame().n1Limit);
    EXPECT_FALSE(frame().flexTemp);
    set(V::N1Limit, 85.4);
    set(V::FlexTemp, 58);
    EXPECT_DOUBLE_EQ(*frame().n1Limit, 85.4);
    EXPECT_DOUBLE_EQ(*frame().flexTemp, 58);
    EXPECT_FALSE(frame().alphaFloor);
    set(V::AlphaFloor, 1);
    EXPECT_TRUE(frame().alphaFloor);
}

// IDLE: in flight, auto-thrust active, every running engine at idle; it
// flashes (lit the first half of each second) for 10 s, then stays.
TEST_F(ThrustStateTest, IdleFlashesTenSecondsThenStays)
{
    data.onGround = 0;
    set(V::AutothrustActive, 1);
    data.n1Percent[0] = data.n1Percent[1] = 25;
    struct Step {
        double t;
        bool lit;
    };
    Step const steps[] = { { 100, true }, { 100.4, true }, { 100.6, false }, { 101.2, true }, { 109.7, false },
        { 110, true }, { 115.7, true } };
    for (Step const& step : steps) {
        data.simTime = step.t;
        EXPECT_EQ(frame().idle, step.lit) << step.t;
    }
    data.n1Percent[1] = 40; // one engine above idle: off, and the flash starts again after
    EXPECT_FALSE(frame().idle);
    data.n1Percent[1] = 25;
    data.simTime = 116.7;
    EXPECT_TRUE(frame().idle);
    data.simTime = 117.1;
    EXPECT_TRUE(frame().idle);
    data.simTime = 117.6;
    EXPECT_FALSE(frame().idle);
}

TEST_F(ThrustStateTest, IdleNeedsFlightAutothrustAndARunningEngine)
{
    data.n1Percent[0] = data.n1Percent[1] = 25;
    set(V::AutothrustActive, 1);
    EXPECT_FALSE(frame().idle); // on the ground
    data.onGround = 0;
    set(V::AutothrustActive, 0);
    EXPECT_FALSE(frame().idle);
    data.aircraft = {}; // not available
    EXPECT_FALSE(frame().idle);
    set(V::AutothrustActive, 1);
    data.n1Percent[0] = data.n1Percent[1] = 0;
    EXPECT_FALSE(frame().idle);
}

} // namespace
