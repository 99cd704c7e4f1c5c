#include "demo_scenario.h"
#include "keyframe_scenario.h"
#include "scenario_named_values.h"
#include "sim_options.h"
#include "sim_server.h"
#include "systems/thrust_lever_detents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>
#include <vector>

namespace {

KeyframeScenario parsed(char const* text)
{
    std::string error;
    std::optional<KeyframeScenario> scenario = KeyframeScenario::parse(text, "test", error);
    EXPECT_TRUE(scenario) << error;
    return scenario ? *scenario : *KeyframeScenario::parse("", "empty", error);
}

std::string parseError(char const* text)
{
    std::string error;
    EXPECT_FALSE(KeyframeScenario::parse(text, "flight.txt", error));
    return error;
}

TEST(KeyframeScenario, SmoothValuesInterpolateAndSwitchesHold)
{
    KeyframeScenario const scenario = parsed("0 n1=20 parking_brake=1\n"
                                             "10 n1.2=40 parking_brake=0 # engine 2 only\n"
                                             "20 n1=60\n");
    AircraftState const at5 = scenario.stateAt(5);
    EXPECT_DOUBLE_EQ(at5.engine[0].n1, 30.0); // 20 at 0 s to 60 at 20 s
    EXPECT_DOUBLE_EQ(at5.engine[1].n1, 30.0); // 20 at 0 s to 40 at 10 s
    EXPECT_EQ(at5.parkingBrake, 1.0);
    EXPECT_EQ(scenario.stateAt(10).parkingBrake, 0.0);
    EXPECT_DOUBLE_EQ(scenario.stateAt(15).engine[1].n1, 50.0);
    EXPECT_DOUBLE_EQ(scenario.stateAt(99).engine[0].n1, 60.0); // the last value holds
    EXPECT_EQ(scenario.stateAt(99).simTime, 99.0);
}

TEST(KeyframeScenario, AValueKeepsItsDefaultUntilItsFirstKeyframe)
{
    KeyframeScenario const scenario = parsed("10 egt.1=500 autobrake=3\n");
    EXPECT_EQ(scenario.stateAt(9).engine[0].egt, 0.0);
    EXPECT_EQ(scenario.stateAt(9).autobrake, 1.0); // off
    EXPECT_EQ(scenario.stateAt(9).engines, 2.0);
    EXPECT_EQ(scenario.stateAt(10).engine[0].egt, 500.0);
}

TEST(KeyframeScenario, ALoopingScenarioRepeatsAfterItsLastKeyframe)
{
    KeyframeScenario const scenario = parsed("loop\n0 n2=0\n100 n2=50\n");
    EXPECT_DOUBLE_EQ(scenario.stateAt(150).engine[0].n2, 25.0);
    EXPECT_EQ(scenario.stateAt(150).simTime, 150.0);
}

TEST(KeyframeScenario, SurfacesFollowTheLeverAtTheirOwnRate)
{
    KeyframeScenario const scenario = parsed("0 flap_detent=0\n10 flap_detent=5\n100 flap_detent=1\n");
    EXPECT_EQ(scenario.stateAt(10).flapAngle, 0.0);
    EXPECT_DOUBLE_EQ(scenario.stateAt(15).flapAngle, 6.0); // 1.2 degrees a second
    EXPECT_DOUBLE_EQ(scenario.stateAt(15).slatAngle, 6.0);
    EXPECT_EQ(scenario.stateAt(50).flapAngle, 35.0);
    EXPECT_EQ(scenario.stateAt(50).slatAngle, 27.0);
    EXPECT_DOUBLE_EQ(scenario.stateAt(105).flapAngle, 29.0); // on the way back to 0
    EXPECT_EQ(scenario.stateAt(105).slatAngle, 21.0);
    EXPECT_EQ(scenario.stateAt(140).flapAngle, 0.0);
    EXPECT_EQ(scenario.stateAt(140).slatAngle, 18.0);
    EXPECT_EQ(scenario.stateAt(140).flapDetent, 1.0);
}

TEST(KeyframeScenario, ErrorsNameTheFileAndLine)
{
    EXPECT_EQ(parseError("0 n1=1\n\nfast n1=2\n"),
        "flight.txt, line 3: a keyframe starts with its time in seconds, not \"fast\".");
    EXPECT_EQ(parseError("5 n1=1\n4 n1=2\n"), "flight.txt, line 2: keyframe times must not go backwards.");
    EXPECT_EQ(parseError("0 n1\n"), "flight.txt, line 1: expected NAME=NUMBER, found \"n1\".");
    EXPECT_EQ(parseError("0 n1=high\n"), "flight.txt, line 1: expected NAME=NUMBER, found \"n1=high\".");
    EXPECT_EQ(parseError("0 n7=1\n"), "flight.txt, line 1: there is no value called \"n7\".");
    EXPECT_EQ(parseError("0 n1.5=1\n"), "flight.txt, line 1: engine numbers run from 1 to 4, as in \"n1.2\".");
    EXPECT_EQ(parseError("-1 n1=1\n"),
        "flight.txt, line 1: a keyframe starts with its time in seconds, not \"-1\".");
    // Values the stand-in would serve as something else.
    EXPECT_EQ(parseError("0 flap_detent=7\n"), "flight.txt, line 1: flap_detent=7 is out of range: flap_detent takes a number from 0 to 5.");
    EXPECT_EQ(parseError("0 n1=20\n1 fire.2=2\n"), "flight.txt, line 2: fire.2=2 is out of range: fire takes 0 or 1.");
    EXPECT_EQ(parseError("0 engines=9\n"), "flight.txt, line 1: engines=9 is out of range: engines takes a whole number from 0 to 4.");
    EXPECT_EQ(parseError("0 autobrake=2.5\n"), "flight.txt, line 1: autobrake=2.5 is out of range: autobrake takes a whole number from 0 to 5.");
    EXPECT_EQ(parseError("0 n2=-3\n"), "flight.txt, line 1: n2=-3 is out of range: n2 takes a number from 0 to 150.");
    // Named values: their range follows their unit, their instances their kind.
    EXPECT_EQ(parseError("0 apu_n=151\n"), "flight.txt, line 1: apu_n=151 is out of range: apu_n takes a number from -100 to 150.");
    EXPECT_EQ(parseError("0 thrust_limit_mode=6\n"),
        "flight.txt, line 1: thrust_limit_mode=6 is out of range: thrust_limit_mode takes a whole number from 0 to 5.");
    EXPECT_EQ(parseError("0 starter.2=1.5\n"),
        "flight.txt, line 1: starter.2=1.5 is out of range: starter takes a whole number from 0 to 2.");
    EXPECT_EQ(parseError("0 seat_belts=2\n"), "flight.txt, line 1: seat_belts=2 is out of range: seat_belts takes 0 or 1.");
    EXPECT_EQ(parseError("0 reverser_position=1.5\n"),
        "flight.txt, line 1: reverser_position=1.5 is out of range: reverser_position takes a number from 0 to 1.");
    EXPECT_EQ(parseError("0 gear_position.4=1\n"), "flight.txt, line 1: gear numbers run from 1 to 3, as in \"gear_position.2\".");
    EXPECT_EQ(parseError("0 oil_temp.5=1\n"), "flight.txt, line 1: engine numbers run from 1 to 4, as in \"oil_temp.2\".");
    EXPECT_EQ(parseError("0 apu_egt.1=400\n"), "flight.txt, line 1: apu_egt takes no number after a dot.");
    EXPECT_EQ(parseError("0 n1.=1\n"), "flight.txt, line 1: expected a number after the dot in \"n1.=1\".");
    EXPECT_EQ(parseError("0 flap_handle=50\n"),
        "flight.txt, line 1: there is no value called \"flap_handle\". Give flap_detent instead.");
}

TEST(ScenarioNames, EachNamedValueIsItsNameInSnakeCase)
{
    struct Case {
        char const* valueName;
        char const* scenarioName;
    };
    for (Case const& c : { Case { "ThrottleLever", "throttle_lever" }, Case { "ITT", "itt" }, Case { "ApuEGT", "apu_egt" },
             Case { "ApuN", "apu_n" }, Case { "N1Limit", "n1_limit" }, Case { "CommandedN1", "commanded_n1" },
             Case { "EGTLimit", "egt_limit" }, Case { "Ptu", "ptu" } })
        EXPECT_EQ(scenarioNameOf(c.valueName), c.scenarioName);
}

// Every named value can be flown: those the state's fields carry through
// those fields' names, every other one under its own, with a range that
// holds its values.
TEST(ScenarioNames, EveryNamedValueHasOneScenarioNameAndARange)
{
    std::set<std::string> names;
    for (StateValue const& value : kStateValues)
        names.insert(std::string(value.name));
    for (AircraftValueRow const& row : kAircraftValueTable) {
        bool const carried = AircraftState::carriedByFields(row.value);
        auto const named = std::ranges::find(scenarioNamedValues(), row.value, &ScenarioNamedValue::value);
        EXPECT_EQ(named == scenarioNamedValues().end(), carried) << row.name;
        if (named == scenarioNamedValues().end())
            continue;
        EXPECT_TRUE(names.insert(named->name).second) << named->name << " is named twice";
        EXPECT_LT(named->range.lowest, named->range.highest) << row.name << " has no range for its unit " << row.unit;
    }
}

TEST(KeyframeScenario, NamedValuesAreNotAvailableUntilAKeyframeGivesThem)
{
    KeyframeScenario const scenario = parsed("0 n1=20\n"
                                             "10 oil_temp.1=40 thrust_limit_mode=3 gear_position=1\n"
                                             "20 oil_temp.1=80 thrust_limit_mode=1 gear_position.1=0\n");
    AircraftState const at5 = scenario.stateAt(5);
    EXPECT_TRUE(std::isnan(at5.value(AircraftValue::OilTemp, 0)));
    EXPECT_TRUE(std::isnan(at5.value(AircraftValue::ThrustLimitMode)));
    AircraftState const at15 = scenario.stateAt(15);
    EXPECT_EQ(at15.value(AircraftValue::OilTemp, 0), 60.0); // smooth
    EXPECT_TRUE(std::isnan(at15.value(AircraftValue::OilTemp, 1))); // engine 2 never given
    EXPECT_EQ(at15.value(AircraftValue::ThrustLimitMode), 3.0); // a selector holds
    EXPECT_EQ(at15.value(AircraftValue::GearPosition, 0), 0.5); // the nose leg in transit
    EXPECT_EQ(at15.value(AircraftValue::GearPosition, 2), 1.0);
    EXPECT_EQ(scenario.stateAt(20).value(AircraftValue::ThrustLimitMode), 1.0);
}

// A recording made before the named values existed, as tarnex-sim wrote it.
TEST(KeyframeScenario, AnOlderRecordingStillPlays)
{
    KeyframeScenario const scenario = parsed(
        "# Recorded by tarnex-sim; play it back with tarnex-sim --scenario FILE.\n"
        "280 engines=2 fuel_centre=1108.3 fuel_left_main=5385.1 fuel_left_aux=690 fuel_right_main=5385.1 "
        "fuel_right_aux=690 flap_detent=1 flap_angle=0 slat_angle=18 spoilers_armed=0 spoilers=0 parking_brake=0 "
        "pushback=0 autopilot=1 on_ground=0 exits=0 overspeed=0 autobrake=1 wing_anti_ice=0 landing_lights=1 "
        "strobe=1 beacon=1 nav_lights=1 n1.1=30 n2.1=70 epr.1=1.02 egt.1=470 ff.1=420 anti_ice.1=0 fire.1=0 "
        "n1.2=30 n2.2=70 epr.2=1.02 egt.2=470 ff.2=420 anti_ice.2=0 fire.2=0\n"
        "280.1 flap_angle=0 slat_angle=18\n"
        "285 flap_detent=3 spoilers_armed=1 autobrake=3 flap_angle=6 slat_angle=22\n");
    AircraftState const state = scenario.stateAt(285);
    EXPECT_EQ(state.engine[1].n1, 30.0);
    EXPECT_EQ(state.flapAngle, 6.0);
    EXPECT_EQ(state.autobrake, 3.0);
    for (ScenarioNamedValue const& named : scenarioNamedValues())
        EXPECT_TRUE(std::isnan(state.value(named.value))) << named.name;
}

TEST(KeyframeScenario, TheDemoFlightParsesAndEndsAsItStarts)
{
    std::string error;
    std::optional<KeyframeScenario> demo = KeyframeScenario::parse(demoScenarioText(), "demo", error);
    ASSERT_TRUE(demo) << error;
    AircraftState const start = demo->stateAt(0);
    AircraftState const end = demo->stateAt(529.999);
    EXPECT_NEAR(end.engine[0].egt, start.engine[0].egt, 0.1);
    EXPECT_EQ(end.flapAngle, start.flapAngle);
    EXPECT_EQ(end.parkingBrake, 1.0);
    // Take-off thrust in the band the display's N1 dial expects.
    AircraftState const takeOff = demo->stateAt(265);
    EXPECT_GE(takeOff.engine[0].n1, 85.0);
    EXPECT_LE(takeOff.engine[0].n1, 95.0);
    for (ScenarioNamedValue const& named : scenarioNamedValues()) {
        for (int instance = 0; instance < named.instances; ++instance) {
            // Torque and ITT, which a turbofan has not, stay not available.
            if (!std::isnan(start.value(named.value, instance)) || !std::isnan(end.value(named.value, instance))) {
                EXPECT_NEAR(end.value(named.value, instance), start.value(named.value, instance), 0.1) << named.name;
            }
        }
    }
}

// The moments the scenario guide lists, as the display's warning logic reads
// them: its default lever gates, its two-minute wait for the T.O memo.
TEST(KeyframeScenario, TheDemoFliesTheTimelineItsGuideGives)
{
    std::string error;
    std::optional<KeyframeScenario> demo = KeyframeScenario::parse(demoScenarioText(), "demo", error);
    ASSERT_TRUE(demo) << error;
    using V = AircraftValue;
    struct Moment {
        double at;
        AircraftValue value;
        int instance;
        double expected;
    };
    Moment const moments[] = {
        { 0, V::ApuN, 0, 100 }, { 0, V::ApuBleed, 0, 1 }, { 0, V::SeatBelts, 0, 1 }, { 0, V::NoSmoking, 0, 1 },
        { 0, V::GearPosition, 2, 1 }, { 30, V::Starter, 0, 1 }, { 30, V::EngineModeSelector, 0, 2 },
        { 40, V::Combustion, 0, 1 }, { 40, V::NoseWheelSteering, 0, 0 }, { 70, V::Starter, 1, 1 },
        { 70, V::Starter, 0, 0 }, { 120, V::EngineModeSelector, 0, 1 }, { 120, V::ApuBleed, 0, 0 },
        { 210, V::ApuN, 0, 0 }, { 260, V::ThrustLimitMode, 0, 3 }, { 260, V::FlexTemp, 0, 58 },
        { 260, V::CommandedN1, 0, 85.8 }, { 260, V::AutothrustActive, 0, 0 }, { 290, V::GearLever, 0, 0 },
        { 290, V::GearPosition, 0, 0 }, { 290, V::ThrustLimitMode, 0, 1 }, { 290, V::AutothrustActive, 0, 1 },
        { 340, V::AutothrustActive, 0, 1 }, { 340, V::SeatBelts, 0, 0 }, { 400, V::GearPosition, 1, 1 },
        { 436, V::ReverserPosition, 1, 1 }, { 436, V::ThrustLimitMode, 0, 5 }, { 436, V::AutothrustActive, 0, 0 },
        { 520, V::Combustion, 0, 0 }, { 520, V::ApuN, 0, 100 },
    };
    for (Moment const& moment : moments) {
        EXPECT_NEAR(demo->stateAt(moment.at).value(moment.value, moment.instance), moment.expected, 1e-9)
            << aircraftValueRow(moment.value).name << "." << moment.instance + 1 << " at " << moment.at;
    }
    EXPECT_NEAR(demo->stateAt(100).engine[1].n2, 58.6, 1.5); // engine 2 at idle
    EXPECT_EQ(demo->stateAt(434).value(V::ReverserPosition, 0), 0.5); // deploying over two seconds
    EXPECT_LT(demo->stateAt(405).value(V::RadioAltitude), 2000.0); // full flaps below 2000 ft
    EXPECT_LT(demo->stateAt(387).value(V::RadioAltitude), 2000.0); // and the gear lever down

    struct Lever {
        double at;
        LeverDetent detent;
    };
    for (Lever const lever : { Lever { 120, LeverDetent::Idle }, Lever { 265, LeverDetent::FlexMct },
             Lever { 340, LeverDetent::Climb }, Lever { 440, LeverDetent::Reverse } }) {
        for (int engine = 0; engine < 2; ++engine)
            EXPECT_EQ(leverDetent(demo->stateAt(lever.at).value(V::ThrottleLever, engine), ThrustLeverDetents {}),
                lever.detent)
                << "engine " << engine + 1 << " at " << lever.at;
    }

    // The T.O memo comes two minutes after both engines run, and stays until
    // take-off power: at least half a minute of it.
    double bothRunning = -1;
    double takeOffPower = -1;
    for (double seconds = 0; seconds < 530 && takeOffPower < 0; seconds += 0.5) {
        AircraftState const state = demo->stateAt(seconds);
        if (bothRunning < 0 && state.engine[0].n1 > 1 && state.engine[1].n1 > 1)
            bothRunning = seconds;
        if (leverDetent(state.value(V::ThrottleLever, 0), ThrustLeverDetents {}) >= LeverDetent::FlexMct)
            takeOffPower = seconds;
    }
    EXPECT_GE(takeOffPower - (bothRunning + 120), 30) << "both running at " << bothRunning << ", take-off power at "
                                                     << takeOffPower;
}

std::optional<SimOptions> options(std::vector<char const*> args, std::string& error)
{
    return parseSimOptions(args, error);
}

TEST(SimOptions, SetPinsTypedValues)
{
    std::string error;
    auto const parsed = options({ "--set", "0x0BC8:u32=1", "--set", "3304:i32=-2", "--set", "0x2000:f64=88.5",
                                    "--set", "0xFFFF:u8=0xFF" },
        error);
    ASSERT_TRUE(parsed) << error;
    ASSERT_EQ(parsed->pins.size(), 4u);
    EXPECT_EQ(parsed->pins[0].offset, 0x0BC8u);
    EXPECT_EQ(parsed->pins[0].bytes.size(), 4u);
    EXPECT_EQ(parsed->pins[1].offset, 0x3304u);
    EXPECT_EQ(parsed->pins[1].bytes[3], std::byte { 0xFF });
    EXPECT_EQ(parsed->pins[2].bytes.size(), 8u);
    EXPECT_EQ(parsed->pins[3].bytes[0], std::byte { 0xFF });
}

TEST(SimOptions, WrongValuesAreOnePlainSentence)
{
    struct Case {
        std::vector<char const*> args;
        char const* error;
    };
    for (Case const& bad : {
             Case { { "--set", "0x0BC8:u16=70000" }, "The value in --set 0x0BC8:u16=70000 is not a valid u16." },
             Case { { "--set", "0xFFFE:u32=1" }, "The value in --set 0xFFFE:u32=1 runs past offset 0xFFFF." },
             Case { { "--set", "0x10000:u8=1" }, "The offset in --set 0x10000:u8=1 must be hexadecimal and below 0x10000." },
             Case { { "--set", "0BC8=1" }, "Write --set as OFFSET:TYPE=VALUE, for example --set 0x0BC8:u32=1." },
             Case { { "--class", "FS2020" }, "The value of --class must be UIPCMAIN or FS98MAIN." },
             Case { { "--duration" }, "The option --duration needs a value; see tarnex-sim --help." },
             Case { { "--fly" }, "Unknown option --fly; see tarnex-sim --help." },
             Case { { "--corrupt", "everything" }, "The value of --corrupt must be marker, size or destination." },
             Case { { "--seconds-per-exchange", "-1" }, "The value of --seconds-per-exchange must be a number of seconds, 0 or more." },
             Case { { "--time-scale", "2", "--seconds-per-exchange", "1" },
                 "Give either --time-scale or --seconds-per-exchange, not both." },
             Case { { "--source", "flightgear", "--seconds-per-exchange", "1" },
                 "--seconds-per-exchange goes with a scenario, not with --source." },
             Case { { "--record-rate", "5" }, "--record-rate goes with --record." },
             Case { { "--record", "f.txt", "--record-rate", "0" },
                 "The value of --record-rate must be a number of moments a second above 0." },
             Case { { "--record", "f.txt", "--scenario", "static" },
                 "--scenario static serves no flight to record; give demo, a file or --source." },
         }) {
        std::string error;
        EXPECT_FALSE(options(bad.args, error));
        EXPECT_EQ(error, bad.error);
    }
}

TEST(SimOptions, FaultsAndTimesAreTaken)
{
    std::string error;
    auto const parsed = options({ "--no-answer", "--reply", "0", "--bad-version", "--corrupt", "size", "--faults-after",
                                    "1", "--at", "150", "--time-scale", "10", "--duration", "2.5", "--class",
                                    "FS98MAIN", "--scenario", "static" },
        error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_TRUE(parsed->faults.noAnswer);
    EXPECT_EQ(parsed->faults.reply, 0u);
    EXPECT_TRUE(parsed->faults.badVersion);
    EXPECT_EQ(parsed->faults.corruption, Corruption::Size);
    EXPECT_EQ(parsed->faults.faultsAfter, 1u);
    EXPECT_EQ(parsed->startAt, 150.0);
    EXPECT_EQ(parsed->timeScale, 10.0);
    EXPECT_EQ(parsed->durationSeconds, 2.5);
    EXPECT_EQ(parsed->windowClass, "FS98MAIN");
    EXPECT_EQ(parsed->scenario, "static");
    EXPECT_TRUE(parsed->recordFile.empty());

    auto const recording = options({ "--record", "flight.txt", "--record-rate", "2.5" }, error);
    ASSERT_TRUE(recording) << error;
    EXPECT_EQ(recording->recordFile, "flight.txt");
    EXPECT_EQ(recording->recordRate, 2.5);
}

} // namespace

namespace {

// The engine 1 N1 a client reads in one exchange with the server.
double exchangeReadingN1(SimServer& server)
{
    std::vector<std::byte> block(64);
    std::uint32_t const header[] = { 1, 0x2000, sizeof(double), 0 };
    std::memcpy(block.data(), header, sizeof header);
    EXPECT_EQ(server.answer(block), SimServer::kProcessed);
    double n1 = 0;
    std::memcpy(&n1, block.data() + sizeof header, sizeof n1);
    return n1;
}

TEST(SimServer, AScenarioOnTheExchangeClockMovesOneStepPerExchange)
{
    std::string error;
    SimOptions options;
    options.startAt = 4;
    options.secondsPerExchange = 2;
    SimServer server(options, KeyframeScenario::parse("0 engines=1 n1=0\n100 n1=100\n", "ramp", error));
    EXPECT_EQ(exchangeReadingN1(server), 4.0);
    EXPECT_EQ(exchangeReadingN1(server), 6.0);
    EXPECT_EQ(exchangeReadingN1(server), 8.0);

    options.secondsPerExchange = 0; // a moment held exactly
    SimServer held(options, KeyframeScenario::parse("0 engines=1 n1=0\n100 n1=100\n", "ramp", error));
    EXPECT_EQ(exchangeReadingN1(held), 4.0);
    EXPECT_EQ(exchangeReadingN1(held), 4.0);
}

} // namespace
