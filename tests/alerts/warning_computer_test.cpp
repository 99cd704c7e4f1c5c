#include "alerts/warning_computer.h"
#include "sim/value_sources.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>

namespace {

using V = AircraftValue;

// Frames of simulator data fed to the warning computer one after another;
// what it shows is read back as the texts of the slots it switches on.
class WarningComputerTest : public ::testing::Test {
protected:
    WarningComputerTest()
    {
        buildFullWarningRecords(records);
        data.engineCount = 2;
        data.onGround = 1;
        data.lights = 1 << 4; // strobe on
        data.autobrake = 1; // off
        data.pushbackState = 3;
        data.leftMainLbs = data.rightMainLbs = 5000 / kKilogramsPerPound;
        set(V::IndicatedAirspeed, 0);
        set(V::RadioAltitude, 0);
    }

    void set(AircraftValue value, double number, int instance = 0) { data.aircraft.set(value, instance, number); }
    void engines(double n1, double lever)
    {
        for (int engine = 0; engine < 2; ++engine) {
            data.n1Percent[engine] = n1;
            set(V::ThrottleLever, lever, engine);
        }
    }
    void gear(double position)
    {
        for (int leg = 0; leg < kGearCount; ++leg)
            set(V::GearPosition, position, leg);
    }

    // Runs frames up to time t, one a second, and returns what shows.
    std::map<int, std::u16string> runTo(double t, bool flowing = true)
    {
        std::map<int, std::u16string> shown;
        for (; data.simTime <= t; data.simTime += 1) {
            shown.clear();
            for (AlertSwitch const& s : computer.evaluate(data, flowing, records)) {
                records[s.slot].listed = s.on; // as the lists would
                if (s.on)
                    shown[s.slot] = std::u16string(records[s.slot].textView());
            }
        }
        data.simTime = t;
        return shown;
    }

    static bool shows(std::map<int, std::u16string> const& shown, std::u16string_view text)
    {
        for (auto const& [slot, line] : shown) {
            if (line == text)
                return true;
        }
        return false;
    }

    std::array<AlertRecord, kAlertRecordCount> records {};
    SimData data;
    WarningComputer computer;
};

TEST_F(WarningComputerTest, WithoutDataNothingShowsEvenWhatZerosWouldSay)
{
    data = SimData {};
    EXPECT_TRUE(runTo(10, false).empty());
    // Zeros that do flow are data: no fuel, airborne.
    EXPECT_TRUE(shows(runTo(50), u"!FUEL! L + R WING TK LO LVL"));
}

TEST_F(WarningComputerTest, AMessageOnValuesTheAircraftDoesNotGiveStaysOff)
{
    set(V::SeatBelts, 1);
    auto shown = runTo(1);
    EXPECT_TRUE(shows(shown, u"SEAT BELTS"));
    EXPECT_FALSE(shows(shown, u"NO SMOKING")); // not available
    EXPECT_FALSE(shows(shown, u"APU AVAIL"));
    set(V::ApuN, 100);
    EXPECT_TRUE(shows(runTo(2), u"APU AVAIL"));
    set(V::ApuBleed, 1);
    shown = runTo(3);
    EXPECT_TRUE(shows(shown, u"APU BLEED"));
    EXPECT_FALSE(shows(shown, u"APU AVAIL"));
}

TEST_F(WarningComputerTest, TheTakeOffMemoComesTwoMinutesAfterTheEnginesStartAndGoesWithTakeOffPower)
{
    engines(20, 0);
    EXPECT_FALSE(shows(runTo(119), u"!T.O! AUTO BRK\tMAX"));
    auto shown = runTo(120);
    EXPECT_EQ(computer.phase(), FlightPhase::EngineRunning);
    for (std::u16string_view line : { u"!T.O! AUTO BRK\tMAX", u"\v!T.O! SIGNS\tON", u"\v!T.O! CABIN\tCHECK",
             u"\v!T.O! SPLRS\tARM", u"\v!T.O! FLAPS\tT.O", u"\v!T.O! T.O CONFIG\tTEST" })
        EXPECT_TRUE(shows(shown, line)) << std::string(line.begin(), line.end());
    data.autobrake = 5;
    data.spoilersArmed = 1;
    data.flapsControl = 2 * 3277; // 1+F
    set(V::SeatBelts, 1);
    set(V::NoSmoking, 1);
    shown = runTo(130);
    for (std::u16string_view line : { u"!T.O! AUTO BRK MAX", u"\v!T.O! SIGNS ON", u"\v!T.O! SPLRS ARM", u"\v!T.O! FLAPS T.O" })
        EXPECT_TRUE(shows(shown, line)) << std::string(line.begin(), line.end());
    EXPECT_FALSE(shows(shown, u"GND SPLRS ARMED")); // waits while a memo shows
    // Take-off power (FLX with a flex temperature): the memo goes, T.O INHIBIT comes 3 s later.
    set(V::FlexTemp, 58);
    engines(85, 80);
    shown = runTo(132);
    EXPECT_EQ(computer.phase(), FlightPhase::TakeOffPower);
    EXPECT_FALSE(shows(shown, u"!T.O! AUTO BRK MAX"));
    EXPECT_FALSE(shows(shown, u"T.O INHIBIT"));
    EXPECT_TRUE(shows(runTo(133), u"T.O INHIBIT"));
}

TEST_F(WarningComputerTest, TheConfigWarningsComeAtTakeOffPowerAndNeverFirstInFlight)
{
    engines(20, 0);
    runTo(10);
    engines(90, 100); // TOGA, flaps up, parking brake set
    data.parkingBrake = 1;
    auto shown = runTo(11);
    EXPECT_TRUE(shows(shown, u"!CONFIG! FLAPS NOT IN T.O CONFIG"));
    EXPECT_TRUE(shows(shown, u"!CONFIG! PARK BRK ON"));
    // A failure replaces the memos; in flight a new CONFIG warning cannot appear.
    data.parkingBrake = 0;
    data.flapsControl = 2 * 3277;
    runTo(12);
    data.onGround = 0;
    set(V::RadioAltitude, 100);
    data.spoilerLeft = data.spoilerRight = 1000;
    shown = runTo(13);
    EXPECT_EQ(computer.phase(), FlightPhase::LiftOff);
    EXPECT_FALSE(shows(shown, u"!CONFIG! SPD BRK NOT RETRACTED"));
}

TEST_F(WarningComputerTest, GearNotDownBelow750FeetWithoutTakeOffPowerButNotDuringTakeOff)
{
    engines(90, 100);
    set(V::IndicatedAirspeed, 150);
    runTo(1);
    data.onGround = 0;
    set(V::RadioAltitude, 400);
    gear(0);
    EXPECT_FALSE(shows(runTo(5), u"!L/G! GEAR NOT DOWN")); // phase 5: inhibited
    set(V::RadioAltitude, 3000);
    engines(60, 50);
    runTo(10);
    set(V::RadioAltitude, 700);
    auto shown = runTo(11);
    EXPECT_EQ(computer.phase(), FlightPhase::Approach);
    EXPECT_TRUE(shows(shown, u"!L/G! GEAR NOT DOWN"));
    EXPECT_FALSE(shows(shown, u"!LDG! GEAR\tDN")); // the failure replaces the memo
    gear(1);
    shown = runTo(12);
    EXPECT_FALSE(shows(shown, u"!L/G! GEAR NOT DOWN"));
    EXPECT_TRUE(shows(shown, u"!LDG! GEAR DN"));
}

TEST_F(WarningComputerTest, TheLandingMemoComesBelow2000FeetAndStaysUntil2200)
{
    engines(60, 50);
    data.onGround = 0;
    set(V::RadioAltitude, 5000);
    gear(0);
    EXPECT_FALSE(shows(runTo(1), u"!LDG! GEAR\tDN"));
    set(V::RadioAltitude, 1999);
    EXPECT_TRUE(shows(runTo(2), u"!LDG! GEAR\tDN"));
    set(V::RadioAltitude, 2100);
    EXPECT_TRUE(shows(runTo(3), u"!LDG! GEAR\tDN"));
    set(V::RadioAltitude, 2201);
    EXPECT_FALSE(shows(runTo(4), u"!LDG! GEAR\tDN"));
    // Touchdown: LDG INHIBIT after 3 s of phases 7 and 8; the memo goes below 80 kt.
    set(V::RadioAltitude, 500);
    runTo(5);
    data.onGround = 1;
    set(V::IndicatedAirspeed, 130);
    EXPECT_TRUE(shows(runTo(8), u"LDG INHIBIT"));
    set(V::IndicatedAirspeed, 60);
    auto const shown = runTo(9);
    EXPECT_EQ(computer.phase(), FlightPhase::TaxiIn);
    EXPECT_FALSE(shows(shown, u"LDG INHIBIT"));
    EXPECT_FALSE(shows(shown, u"!LDG! GEAR DN"));
}

TEST_F(WarningComputerTest, DisconnectionsShowForNineSeconds)
{
    data.autopilotMaster = 1;
    set(V::AutothrustActive, 1);
    runTo(10);
    data.autopilotMaster = 0;
    set(V::AutothrustActive, 0);
    auto shown = runTo(19);
    EXPECT_TRUE(shows(shown, u"!AUTO FLT! AP OFF"));
    EXPECT_TRUE(shows(shown, u"A/THR OFF"));
    shown = runTo(21);
    EXPECT_FALSE(shows(shown, u"!AUTO FLT! AP OFF"));
    EXPECT_FALSE(shows(shown, u"A/THR OFF"));
}

// Auto-thrust that goes off as the levers reach idle (the retard at
// touchdown) is no disconnection to report; off with the levers forward is.
TEST_F(WarningComputerTest, AutothrustOffByTheLeversAtIdleIsNotReported)
{
    set(V::AutothrustActive, 1);
    engines(60, 60);
    runTo(10);
    engines(30, 0);
    set(V::AutothrustActive, 0);
    EXPECT_FALSE(shows(runTo(12), u"A/THR OFF"));
    set(V::AutothrustActive, 1);
    engines(60, 60);
    runTo(20);
    set(V::AutothrustActive, 0);
    EXPECT_TRUE(shows(runTo(22), u"A/THR OFF"));
}

} // namespace
