#include "systems/flight_phase.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr double kNone = NAN;

struct Frame {
    double time;
    bool onGround;
    bool engineRunning;
    bool takeOffPower;
    double airspeedKt;
    double radioAltitudeFt;
    int phase;
};

void fly(std::vector<Frame> const& frames)
{
    FlightPhaseComputer phases;
    for (Frame const& f : frames) {
        FlightPhase const phase = phases.update({ f.time, f.onGround, f.engineRunning, f.takeOffPower, f.airspeedKt, f.radioAltitudeFt });
        EXPECT_EQ(static_cast<int>(phase), f.phase) << "at " << f.time << " s";
    }
}

TEST(FlightPhase, AFlightGoesThroughTheTenPhasesInTurn)
{
    fly({
        // time ground engine T/O-power IAS RA phase
        { 0, true, false, false, 0, 0, 1 },
        { 10, true, true, false, 0, 0, 2 },
        { 300, true, true, true, 0, 0, 3 },
        { 310, true, true, true, 82, 0, 3 }, // 80 kt counts from 83
        { 311, true, true, true, 83, 0, 4 },
        { 330, false, true, true, 150, 10, 5 },
        { 360, false, true, true, 170, 1499, 5 },
        { 361, false, true, true, 170, 1500, 6 },
        { 1800, false, true, false, 140, 799, 7 },
        { 1900, true, true, false, 130, 0, 8 },
        { 1910, true, true, false, 78, 0, 8 }, // and stays until below 77
        { 1911, true, true, false, 76, 0, 9 },
        { 2200, true, false, false, 0, 0, 10 },
        { 2499, true, false, false, 0, 0, 10 },
        { 2500, true, false, false, 0, 0, 1 },
    });
}

TEST(FlightPhase, LiftOffEndsTwoMinutesAfterLiftOffOrWithoutTakeOffPower)
{
    fly({
        { 0, true, true, true, 100, 0, 4 },
        { 1, false, true, true, 140, 5, 5 },
        { 120, false, true, true, 160, 900, 5 },
        { 121, false, true, true, 160, 950, 6 },
    });
    fly({
        { 0, true, true, true, 100, 0, 4 },
        { 1, false, true, true, 140, 5, 5 },
        { 20, false, true, false, 150, 500, 7 }, // thrust reduced low: below 800 ft without it
    });
}

TEST(FlightPhase, ARejectedTakeOffRollsOnInPhaseFourThenTaxisInPhaseNine)
{
    fly({
        { 0, true, true, false, 0, 0, 2 },
        { 1, true, true, true, 50, 0, 3 },
        { 2, true, true, true, 100, 0, 4 },
        { 3, true, true, false, 100, 0, 4 },
        { 4, true, true, false, 60, 0, 9 },
        { 5, true, true, true, 0, 0, 3 }, // take-off power again: a new take-off
    });
}

TEST(FlightPhase, WithoutSpeedOrHeightTheAircraftCountsAsSlowAndHigh)
{
    fly({
        { 0, true, true, true, kNone, kNone, 3 },
        { 1, false, true, true, kNone, kNone, 6 },
        { 2, false, true, false, kNone, kNone, 6 },
    });
}

TEST(FlightPhase, EnginesStartedAgainWithinFiveMinutesOfShutDownBeginANewFlight)
{
    fly({
        { 0, false, true, false, 140, 500, 7 },
        { 1, true, true, false, 60, 0, 9 },
        { 2, true, false, false, 0, 0, 10 },
        { 100, true, true, false, 0, 0, 2 },
    });
}

} // namespace
