#include "systems/engine_states.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

constexpr double kNone = NAN;

// One engine's inputs in one frame; kNone leaves a value not available.
struct Frame {
    double time;
    double starter; // 0 off, 1 start, 2 generator
    double combustion;
    double n1;
    double n2;
    double egt;
};

EngineStateSettings cfm()
{
    EngineStateSettings settings;
    settings.n1RedLine = 104;
    settings.n2RedLine = 105;
    settings.egtRedLine = 950;
    settings.egtStartLimit = 725;
    settings.egtRunLimit = 915;
    return settings;
}

SimData oneEngine()
{
    SimData data;
    data.engineCount = 1;
    return data;
}

void set(SimData& data, AircraftValue value, double number, int instance = 0)
{
    data.aircraft.set(value, instance, number);
}

// The thrust limit mode comes from the page's ThrustState; here a test names
// it through the aircraft's value, CL when it names none.
ThrustLimitCode modeOf(SimData const& data)
{
    double const code = data.aircraft.get(AircraftValue::ThrustLimitMode);
    return std::isnan(code) ? ThrustLimitCode::Climb : static_cast<ThrustLimitCode>(static_cast<int>(code));
}

EngineState const& fly(EngineStates& states, SimData& data, Frame const& f, EngineStateSettings const& settings = cfm())
{
    set(data, AircraftValue::Starter, f.starter);
    set(data, AircraftValue::Combustion, f.combustion);
    data.n1Percent[0] = f.n1;
    data.n2Percent[0] = f.n2;
    data.egtC[0] = f.egt;
    data.simTime = f.time;
    states.update(data, settings, f.time, modeOf(data));
    return states.engine(0);
}

std::string peaks(EngineState const& s)
{
    auto text = [](double v) { return std::isnan(v) ? std::string("-") : std::to_string(static_cast<int>(std::lround(v * 10))); };
    return text(s.peakN1) + " " + text(s.peakN2) + " " + text(s.peakEgt);
}

}

TEST(EngineStates, AStartRunsFromTheStarterToIdleThenShowsAvailForTenSeconds)
{
    struct Step {
        Frame frame;
        bool starting;
        bool available;
    };
    Step const steps[] = {
        // time starter combustion N1 N2 EGT -> starting AVAIL
        { { 0, 0, 0, 0, 0, 15 }, false, false },
        { { 10, 1, 0, 0, 5, 15 }, true, false },
        { { 20, 1, 1, 8, 30, 420 }, true, false },
        { { 30, 0, 1, 17, 50, 600 }, true, false }, // starter off at 50 %, the core carries on
        { { 40, 0, 1, 19.4, 57.99, 560 }, true, false },
        { { 41, 0, 1, 19.5, 58, 540 }, false, true }, // idle: the start ends
        { { 50.99, 2, 1, 19.6, 58.6, 420 }, false, true },
        { { 51, 2, 1, 19.6, 58.6, 420 }, false, false }, // ten seconds on
        { { 60, 1, 1, 19.6, 58.6, 420 }, false, false }, // the starter on a running engine starts nothing
    };
    EngineStates states;
    SimData data = oneEngine();
    for (Step const& step : steps) {
        EngineState const& s = fly(states, data, step.frame);
        EXPECT_EQ(s.starting, step.starting) << "at " << step.frame.time;
        EXPECT_EQ(s.available, step.available) << "at " << step.frame.time;
    }
}

TEST(EngineStates, AStartWhoseStarterGoesOffUnlitEndsWithoutAvail)
{
    EngineStates states;
    SimData data = oneEngine();
    EXPECT_TRUE(fly(states, data, { 0, 1, 0, 0, 20, 15 }).starting);
    EngineState const& s = fly(states, data, { 1, 0, 0, 0, 20, 15 });
    EXPECT_FALSE(s.starting);
    EXPECT_FALSE(s.available);
    EXPECT_FALSE(fly(states, data, { 2, 0, 0, 0, 60, 15 }).available);
}

TEST(EngineStates, PeaksAboveTheRedLinesStayUntilTheNextStart)
{
    struct Step {
        Frame frame;
        char const* peaks; // N1 N2 EGT, tenths
    };
    Step const steps[] = {
        { { 0, 0, 1, 103.9, 104, 949 }, "- - -" },
        { { 1, 0, 1, 104, 105, 950 }, "- - -" }, // at the red lines: not above them
        { { 2, 0, 1, 105.2, 105.5, 960 }, "1052 1055 9600" },
        { { 3, 0, 1, 106.1, 105.1, 990 }, "1061 1055 9900" },
        { { 4, 0, 1, 90, 95, 700 }, "1061 1055 9900" }, // back below: kept
        { { 5, 0, 0, 0, 0, 100 }, "1061 1055 9900" }, // shut down: kept
        { { 6, 1, 0, 0, 10, 100 }, "- - -" }, // the next start clears them
    };
    EngineStates states;
    SimData data = oneEngine();
    for (Step const& step : steps)
        EXPECT_EQ(peaks(fly(states, data, step.frame)), step.peaks) << "at " << step.frame.time;
}

TEST(EngineStates, NoPeakIsKeptAgainstARedLineTheLayoutDoesNotGive)
{
    EngineStates states;
    SimData data = oneEngine();
    EXPECT_EQ(peaks(fly(states, data, { 0, 0, 1, 120, 120, 1200 }, EngineStateSettings {})), "- - -");
}

TEST(EngineStates, TheReverserFollowsItsDoorsOrElseTheReverseLeverForTwoSeconds)
{
    struct Step {
        double time;
        double doors; // kNone: the aircraft gives no door position
        double lever;
        ReverserState expected;
    };
    Step const steps[] = {
        { 0, 0, 0, ReverserState::Stowed },
        { 1, 0.01, -20, ReverserState::Stowed },
        { 2, 0.5, -20, ReverserState::InTransit },
        { 3, 0.98, -20, ReverserState::Deployed },
        { 4, kNone, 0, ReverserState::Stowed },
        { 5, kNone, -4.9, ReverserState::Stowed }, // above the reverse detent (-5)
        { 6, kNone, -5, ReverserState::InTransit },
        { 7.99, kNone, -25, ReverserState::InTransit },
        { 8, kNone, -25, ReverserState::Deployed },
        { 9, kNone, 0, ReverserState::Stowed },
        { 10, kNone, -25, ReverserState::InTransit }, // selected again: travels again
        { 11, kNone, kNone, ReverserState::Stowed },
    };
    EngineStates states;
    SimData data = oneEngine();
    for (Step const& step : steps) {
        set(data, AircraftValue::ReverserPosition, step.doors);
        set(data, AircraftValue::ThrottleLever, step.lever);
        states.update(data, cfm(), step.time, modeOf(data));
        EXPECT_EQ(states.engine(0).reverser, step.expected) << "at " << step.time;
    }
}

TEST(EngineStates, TheLeverAsksForTheAircraftsCommandedN1OrElseWhatTheLeverTableSays)
{
    EngineStateSettings settings = cfm();
    settings.leverToN1 = { { -20, 70 }, { 0, 19 }, { 100, 95 } };
    struct Case {
        double commanded;
        double lever;
        double expected;
    };
    Case const cases[] = {
        { 84.2, 50, 84.2 },
        { kNone, 50, 57 },
        { kNone, -10, 44.5 },
        { kNone, 110, 95 }, // beyond the table: its end
        { kNone, kNone, kNone },
    };
    EngineStates states;
    SimData data = oneEngine();
    for (Case const& c : cases) {
        set(data, AircraftValue::CommandedN1, c.commanded);
        set(data, AircraftValue::ThrottleLever, c.lever);
        states.update(data, settings, 0, modeOf(data));
        double const got = states.engine(0).commandedN1;
        if (std::isnan(c.expected))
            EXPECT_TRUE(std::isnan(got)) << c.lever;
        else
            EXPECT_DOUBLE_EQ(got, c.expected) << c.lever;
    }
    states.update(data, cfm(), 0, modeOf(data));
    set(data, AircraftValue::ThrottleLever, 50);
    states.update(data, cfm(), 0, modeOf(data));
    EXPECT_TRUE(std::isnan(states.engine(0).commandedN1)) << "no table, no lever N1";
}

TEST(EngineStates, TheEgtCautionFollowsTheStartAndTheThrustMode)
{
    struct Case {
        double mode; // ThrustLimitMode code
        double alphaFloor;
        bool starting;
        double mark;
        double digitsFrom;
    };
    Case const cases[] = {
        { 1, 0, false, 915, 915 }, // CL
        { 2, 0, false, 915, 915 }, // MCT
        { 3, 0, false, kNone, kNone }, // FLX
        { 4, 0, false, kNone, kNone }, // TOGA
        { 5, 0, false, 915, kNone }, // MREV
        { 1, 1, false, 915, kNone }, // alpha floor
        { 0, 0, true, 725, 725 },
    };
    for (Case const& c : cases) {
        EngineStates states;
        SimData data = oneEngine();
        set(data, AircraftValue::ThrustLimitMode, c.mode);
        set(data, AircraftValue::AlphaFloor, c.alphaFloor);
        EngineState const& s = c.starting ? fly(states, data, { 0, 1, 0, 2, 20, 300 }) : fly(states, data, { 0, 0, 1, 80, 90, 600 });
        auto same = [](double a, double b) { return std::isnan(a) ? std::isnan(b) : a == b; };
        EXPECT_TRUE(same(s.egtCautionMark, c.mark)) << "mode " << c.mode << ": mark " << s.egtCautionMark;
        EXPECT_TRUE(same(s.egtCautionFrom, c.digitsFrom)) << "mode " << c.mode << ": digits from " << s.egtCautionFrom;
    }
}

TEST(EngineStates, TheRatingLimitShowsOnlyInTogaAndMaxReverse)
{
    struct Case {
        double mode;
        double limit;
        double expected;
    };
    Case const cases[] = {
        { 4, 95.4, 95.4 },
        { 5, 72, 72 },
        { 1, 89.2, kNone },
        { 3, 90, kNone },
        { 4, kNone, kNone }, // the aircraft gives none: no mark, never an invented one
    };
    for (Case const& c : cases) {
        EngineStates states;
        SimData data = oneEngine();
        set(data, AircraftValue::ThrustLimitMode, c.mode);
        set(data, AircraftValue::N1Limit, c.limit);
        states.update(data, cfm(), 0, modeOf(data));
        if (std::isnan(c.expected))
            EXPECT_TRUE(std::isnan(states.ratingLimitN1())) << c.mode;
        else
            EXPECT_EQ(states.ratingLimitN1(), c.expected) << c.mode;
    }
}

TEST(EngineStates, SimulatorTimeGoingBackStartsAfresh)
{
    EngineStates states;
    SimData data = oneEngine();
    fly(states, data, { 100, 1, 0, 0, 20, 15 });
    fly(states, data, { 110, 0, 1, 110, 60, 15 });
    ASSERT_TRUE(states.engine(0).available);
    ASSERT_EQ(peaks(states.engine(0)), "1100 - -");
    EngineState const& s = fly(states, data, { 5, 0, 1, 20, 60, 15 });
    EXPECT_FALSE(s.available);
    EXPECT_EQ(peaks(s), "- - -");
}
