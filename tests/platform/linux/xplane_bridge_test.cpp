#include "bridge_test_support.h"
#include "fake_xplane.h"
#include "keyframe_scenario.h"

#include <cmath>
#include <fstream>
#include <limits>
#include <regex>
#include <sstream>

using namespace bridge_test;

namespace {

constexpr char kN1Engine1[] = "sim/cockpit2/engine/indicators/N1_percent[0]";
constexpr std::size_t kDefaultBindings = 53;

class XPlaneBridge : public ::testing::Test {
protected:
    FakeXPlane xplane;
    BridgeRun bridge;

    void startBridge(std::vector<std::string> extra = {})
    {
        std::vector<std::string> arguments { "--source", "xplane:127.0.0.1:" + std::to_string(xplane.port()) };
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        std::string error;
        ASSERT_TRUE(bridge.start(arguments, error)) << error << bridge.errors();
    }

    bool displayReadsN1(double expected)
    {
        return eventually([&] { return bridge.read<double>(0x2000) == expected; });
    }

    std::int32_t indexOf(std::string const& dataref)
    {
        std::optional<std::int32_t> const index = xplane.indexOf(dataref);
        EXPECT_TRUE(index) << dataref;
        return index.value_or(-1);
    }

    std::vector<std::byte> reply(std::int32_t index, float value)
    {
        std::vector<std::byte> datagram = bytesOf("RREF,");
        appendInt32(datagram, index);
        appendFloat(datagram, value);
        return datagram;
    }
};

TEST_F(XPlaneBridge, ServesTheSimulatorsValuesInTheDisplaysOffsets)
{
    struct Setting {
        char const* dataref;
        float value;
    };
    Setting const settings[] = {
        { "sim/aircraft/engine/acf_num_engines", 2 },
        { kN1Engine1, 85.5f },
        { "sim/cockpit2/engine/indicators/N1_percent[1]", 86 },
        { "sim/cockpit2/engine/indicators/N2_percent[0]", 95.25f },
        { "sim/cockpit2/engine/indicators/EPR_ratio[1]", 1.5f },
        { "sim/flightmodel2/engines/EGT_deg_cel[0]", 860 },
        { "sim/flightmodel2/engines/EGT_deg_cel[1]", 430 },
        { "sim/cockpit2/engine/indicators/fuel_flow_kg_sec[0]", 0.75f },
        { "sim/cockpit2/ice/ice_inlet_heat_on_per_engine[1]", 1 },
        { "sim/cockpit2/annunciators/engine_fires[1]", 1 },
        { "sim/cockpit2/fuel/fuel_quantity[0]", 5000 },
        { "sim/cockpit2/fuel/fuel_quantity[1]", 20000 }, // more than an A320's centre tank holds
        { "sim/cockpit2/fuel/fuel_quantity[2]", 5000 },
        { "sim/cockpit2/controls/flap_handle_request_ratio", 0.75f },
        { "sim/flightmodel2/wing/flap1_deg[0]", 20 },
        { "sim/flightmodel2/controls/slat1_deploy_ratio", 1 },
        { "sim/cockpit2/controls/speedbrake_ratio", -0.5f },
        { "sim/flightmodel/controls/parkbrake", 1 },
        { "sim/cockpit2/autopilot/servos_on", 1 },
        { "sim/flightmodel/failures/onground_any", 1 },
        { "sim/flightmodel2/misc/door_open_ratio[2]", 0.3f },
        { "sim/cockpit2/ice/ice_surface_hot_bleed_air_on", 1 },
        { "sim/cockpit2/switches/landing_lights_on", 1 },
        { "sim/cockpit2/switches/strobe_lights_on", 1 },
        { "sim/cockpit2/switches/auto_brake_level", 3 },
        { "sim/time/total_running_time_sec", 1234.5f },
        // The aircraft file's datarefs.
        { "sim/flightmodel/engine/ENGN_oil_press_psi[1]", 40 },
        { "AirbusFBW/THRRatingType", 13 },
        { "sim/cockpit2/electrical/APU_N1_percent", 99.5f },
    };
    for (Setting const& setting : settings)
        xplane.set(setting.dataref, setting.value);
    // An aircraft file adds its datarefs: per engine, with a code map, with
    // a scale; each value is served at its FSUIPC place, standard or the
    // file's.
    std::ofstream(bridge.file("aircraft.ini")) << "[OilPress]\nxplane = sim/flightmodel/engine/ENGN_oil_press_psi\n"
                                                  "xplane_index = 0\n"
                                                  "[ThrustLimitMode]\noffset = 0x66C0\ntype = u8\nmap = 11:1 13:3\n"
                                                  "xplane = AirbusFBW/THRRatingType\n"
                                                  "[ApuN]\nxplane = sim/cockpit2/electrical/APU_N1_percent\n"
                                                  "xplane_scale = 0.5\nxplane_bias = 50\n";
    // Recording on: what the display is served is what the recording holds.
    startBridge({ "--record", bridge.file("flight.txt"), "--aircraft", bridge.file("aircraft.ini") });
    ASSERT_TRUE(displayReadsN1(85.5)) << bridge.errors();
    std::size_t const fileDatarefs = 4 + 1 + 1; // OilPress for each of four engines
    EXPECT_TRUE(eventually([&] { return xplane.subscriptionCount() == kDefaultBindings + fileDatarefs; }));
    EXPECT_TRUE(xplane.indexOf("sim/flightmodel/engine/ENGN_oil_press_psi[3]"));
    EXPECT_TRUE(eventually([&] { return bridge.read<std::uint8_t>(0x66C0) == 13; })) << bridge.errors();

    SimData const data = bridge.acquire();
    EXPECT_EQ(data.engineCount, 2);
    EXPECT_EQ(data.n1Percent[1], 86.0);
    EXPECT_EQ(data.n2Percent[0], 95.25);
    EXPECT_EQ(data.epr[1], 1.5);
    EXPECT_EQ(data.egtRaw[0], 16384);
    EXPECT_EQ(data.egtRaw[1], 8192);
    EXPECT_DOUBLE_EQ(data.egtC[1], 430.0);
    EXPECT_NEAR(data.fuelFlowPph[0] * 0.4536, 2700.0, 1e-6); // 0.75 kg/s
    EXPECT_EQ(data.engineAntiIce[0], 0);
    EXPECT_EQ(data.engineAntiIce[1], 1);
    EXPECT_EQ(data.engineFireFlags, 2);
    EXPECT_NEAR(data.leftMainLbs * 0.4536, 5000.0, 0.01);
    EXPECT_NEAR(data.centreLbs * 0.4536, 20000.0, 0.01);
    EXPECT_NEAR(data.totalFuelKg, 30000.0, 0.05);
    EXPECT_EQ(data.flapsControl, 12288u);
    EXPECT_EQ(data.flapAngleRaw, 20 * 256);
    EXPECT_EQ(data.slatAngleRaw, 27 * 256);
    EXPECT_EQ(data.spoilersArmed, 1u);
    EXPECT_EQ(data.spoilerLeft, 0u);
    EXPECT_EQ(data.parkingBrake & 0xFFFF, 32767u);
    EXPECT_EQ(data.autopilotMaster, 1u);
    EXPECT_EQ(data.onGround, 1);
    EXPECT_EQ(data.exitsOpen, 4); // the third door
    EXPECT_EQ(data.structuralDeice, 1);
    EXPECT_EQ(data.landingLights, 1);
    EXPECT_EQ(data.lights & 0x10, 0x10);
    EXPECT_EQ(data.autobrake, 3);
    EXPECT_EQ(data.pushbackState, 3u);
    EXPECT_EQ(data.simTime, 1234.5);
    EXPECT_EQ(data.aircraft.get(AircraftValue::OilPress, 0), 0.0); // X-Plane's 0 for engine 1
    EXPECT_NEAR(data.aircraft.get(AircraftValue::OilPress, 1), 40.0, 55.0 / 16384);
    EXPECT_EQ(data.aircraft.get(AircraftValue::ApuN), 99.75);

    bridge.stop();
    std::ifstream file(bridge.file("flight.txt"));
    std::ostringstream text;
    text << file.rdbuf();
    std::string error;
    std::optional<KeyframeScenario> const replay = KeyframeScenario::parse(text.str(), "flight.txt", error);
    ASSERT_TRUE(replay) << error << text.str();
    AircraftState const relayed = replay->stateAt(1e6);
    EXPECT_EQ(relayed.engine[0].n1, 85.5);
    EXPECT_EQ(relayed.engine[1].egt, 430.0);
    EXPECT_EQ(relayed.engine[0].fuelFlow, 2700.0);
    EXPECT_EQ(relayed.fuelCentre, 20000.0);
    EXPECT_EQ(relayed.flapDetent, 3.75);
    EXPECT_EQ(relayed.flapAngle, 20.0);
    EXPECT_EQ(relayed.slatAngle, 27.0);
    EXPECT_EQ(relayed.exits, 4.0);
    EXPECT_EQ(relayed.autobrake, 3.0);
    EXPECT_EQ(relayed.value(AircraftValue::OilPress, 1), 40.0);
    EXPECT_EQ(relayed.value(AircraftValue::ThrustLimitMode), 3.0);
    EXPECT_EQ(relayed.value(AircraftValue::ApuN), 99.75);
    EXPECT_TRUE(std::isnan(relayed.value(AircraftValue::ApuEGT))); // no dataref: never available
}

// The ToLiSS Airbus's own datarefs and X-Plane's, relayed with the shipped
// file, read by a display given the same file: each in its unit and coding.
TEST_F(XPlaneBridge, CarriesTheToLiSSAirbusToTheDisplayReadingTheSameFile)
{
    struct Setting {
        char const* dataref;
        float value;
    };
    Setting const settings[] = {
        { "sim/aircraft/engine/acf_num_engines", 2 },
        { kN1Engine1, 84 },
        { "AirbusFBW/THRRatingType", 4 }, // FLEX in the aircraft's coding
        { "AirbusFBW/ENGModeSwitch", 2 },
        { "AirbusFBW/THRRatingN1", 86.5f },
        { "toliss_airbus/performance/flextemp", 58 },
        { "sim/cockpit2/engine/actuators/throttle_ratio[0]", 0.5f },
        { "sim/cockpit2/engine/actuators/throttle_ratio[1]", 0.75f },
        { "sim/flightmodel2/engines/thrust_reverser_deploy_ratio[1]", 1 },
        { "sim/flightmodel2/engines/starter_is_running[0]", 1 },
        { "sim/flightmodel2/engines/engine_is_burning_fuel[1]", 1 },
        { "sim/flightmodel/engine/ENGN_oil_press_psi[0]", 40 },
        { "sim/flightmodel/engine/ENGN_oil_temp_c[1]", 70 },
    };
    for (Setting const& setting : settings)
        xplane.set(setting.dataref, setting.value);
    startBridge({ "--aircraft", sourceDirectory() + "/aircraft/xplane-toliss-a320.ini" });
    ASSERT_TRUE(displayReadsN1(84)) << bridge.errors();
    ASSERT_TRUE(eventually([&] { return bridge.read<float>(0x66C8) == 58; })) << bridge.errors();

    SimData const data = bridge.acquire(shippedAircraft("xplane-toliss-a320.ini"));
    struct Shown {
        AircraftValue value;
        int instance;
        double expected;
        double within;
    };
    Shown const shown[] = {
        { AircraftValue::ThrustLimitMode, 0, static_cast<double>(ThrustLimitCode::Flex), 0 },
        { AircraftValue::EngineModeSelector, 0, static_cast<double>(EngineModeCode::IgnitionStart), 0 },
        { AircraftValue::N1Limit, 0, 86.5, 0 },
        { AircraftValue::FlexTemp, 0, 58, 0 },
        { AircraftValue::ThrottleLever, 0, 50, 0.01 },
        { AircraftValue::ThrottleLever, 1, 75, 0.01 },
        { AircraftValue::ReverserPosition, 0, 0, 0 },
        { AircraftValue::ReverserPosition, 1, 1, 0 },
        { AircraftValue::Starter, 0, 1, 0 },
        { AircraftValue::Combustion, 1, 1, 0 },
        { AircraftValue::OilPress, 0, 40, 55.0 / 16384 },
        { AircraftValue::OilTemp, 1, 70, 140.0 / 16384 },
    };
    for (Shown const& value : shown) {
        EXPECT_NEAR(data.aircraft.get(value.value, value.instance), value.expected, value.within)
            << aircraftValueRow(value.value).name << "." << value.instance + 1;
    }
    // And tarnex itself, given the file, draws them on the full page.
    std::string const file = sourceDirectory() + "/aircraft/xplane-toliss-a320.ini";
    std::string const page = bridge.drawnPage({ "--layout", sourceDirectory() + "/layouts/a320cfm.ini", "--aircraft", file });
    for (char const* text : { "\"FLX\"", "\"86.5\"", "\"+58\u00B0C\"", "\"84.0\"" })
        EXPECT_NE(page.find(text), std::string::npos) << text << " is not drawn";
    bridge.stop();
    EXPECT_EQ(occurrences(bridge.errors(), "never arrived"), 0) << bridge.errors();
}

// A dataref the aircraft does not have is named once, at its line, ten
// seconds after X-Plane first answers; the rest flies meanwhile.
TEST_F(XPlaneBridge, NamesOnceADatarefThatNeverArrives)
{
    std::string const file = sourceDirectory() + "/aircraft/xplane-toliss-a320.ini";
    xplane.set(kN1Engine1, 60);
    xplane.set("AirbusFBW/THRRatingN1", 80);
    xplane.withhold("toliss_airbus/performance/flextemp");
    startBridge({ "--aircraft", file });
    std::string const message = file + ":57: dataref \"toliss_airbus/performance/flextemp\" never arrived; X-Plane "
                                       "sends the others";
    EXPECT_TRUE(displayReadsN1(60)) << bridge.errors();
    EXPECT_TRUE(eventually([&] { return bridge.read<float>(0x66C4) == 80; })) << bridge.errors();
    ASSERT_TRUE(eventually([&] { return bridge.errors().find(message) != std::string::npos; })) << bridge.errors();
    xplane.set(kN1Engine1, 61);
    EXPECT_TRUE(displayReadsN1(61)) << bridge.errors();
    bridge.stop();
    std::string const errors = bridge.errors();
    EXPECT_EQ(occurrences(errors, message), 1) << errors;
    EXPECT_EQ(occurrences(errors, "never arrived"), 1) << errors;
}

TEST_F(XPlaneBridge, ServesNothingThroughSilenceAndSubscribesAgainAfterARestart)
{
    std::string const waiting = "Waiting for X-Plane at 127.0.0.1:" + std::to_string(xplane.port());
    xplane.set(kN1Engine1, 50);
    startBridge();
    ASSERT_TRUE(displayReadsN1(50)) << bridge.errors();
    EXPECT_EQ(occurrences(bridge.errors(), waiting), 1);

    xplane.set(kN1Engine1, 55); // never sent: X-Plane goes silent first
    xplane.goSilent();
    // Silent, the bridge stops serving and says why, once, and subscribes
    // again every period.
    EXPECT_TRUE(eventually([&] {
        LinkState const& display = bridge.frame();
        return !display.connected && display.noServerHelp == waiting;
    })) << bridge.errors();
    EXPECT_TRUE(eventually([&] { return xplane.requestsUnheard() >= 2 * kDefaultBindings; }));
    EXPECT_EQ(bridge.read<double>(0x2000), 0.0);
    EXPECT_EQ(occurrences(bridge.errors(), "Waiting for X-Plane"), 2) << bridge.errors();

    std::size_t const requestsBefore = xplane.requestsTaken();
    xplane.set(kN1Engine1, 60);
    xplane.restart();
    EXPECT_TRUE(displayReadsN1(60)) << bridge.errors();
    EXPECT_TRUE(eventually([&] { return bridge.frame().connected; }));
    EXPECT_TRUE(eventually([&] { return xplane.subscriptionCount() == kDefaultBindings; }));
    EXPECT_GT(xplane.requestsTaken(), requestsBefore);
    EXPECT_EQ(occurrences(bridge.errors(), "X-Plane at 127.0.0.1:"), 2 + 2); // waited twice, heard twice
}

TEST_F(XPlaneBridge, IgnoresAndCountsBadDatagramsAndOtherHosts)
{
    xplane.set(kN1Engine1, 40);
    startBridge();
    ASSERT_TRUE(displayReadsN1(40)) << bridge.errors();
    std::int32_t const n1 = indexOf(kN1Engine1);
    xplane.goSilent();

    std::vector<std::byte> cutPair = reply(n1, 99);
    cutPair.pop_back();
    std::vector<std::byte> tooManyPairs = bytesOf("RREF,");
    for (std::int32_t i = 0; i <= static_cast<std::int32_t>(kDefaultBindings); ++i) {
        appendInt32(tooManyPairs, n1);
        appendFloat(tooManyPairs, 99);
    }
    std::vector<std::byte> notRref = reply(n1, 99);
    notRref[0] = std::byte { 'D' };
    std::vector<std::byte> refused = reply(n1, std::numeric_limits<float>::quiet_NaN());
    appendInt32(refused, n1);
    appendFloat(refused, std::numeric_limits<float>::infinity());
    appendInt32(refused, 9999);
    appendFloat(refused, 99);
    appendInt32(refused, indexOf("sim/cockpit2/engine/indicators/N2_percent[0]"));
    appendFloat(refused, 77.5f);

    xplane.sendFromAnotherHost(reply(n1, 77)); // another host
    xplane.sendToSubscriber(cutPair); // truncated
    xplane.sendToSubscriber(bytesOf("RRE")); // truncated
    xplane.sendToSubscriber(tooManyPairs); // oversized
    xplane.sendToSubscriber(std::vector<std::byte>(5000, std::byte { 'R' })); // oversized
    xplane.sendToSubscriber(notRref); // garbage
    xplane.sendToSubscriber(bytesOf("hello, world")); // garbage
    xplane.sendToSubscriber(refused); // used, three values refused
    // Loopback datagrams arrive in the order sent: once the N2 of the last
    // one shows, the bridge has judged all of them.
    EXPECT_TRUE(eventually([&] { return bridge.read<double>(0x2008) == 77.5; }));
    EXPECT_EQ(bridge.read<double>(0x2000), 40.0);

    bridge.stop();
    std::string const errors = bridge.errors();
    EXPECT_TRUE(std::regex_search(errors,
        std::regex("X-Plane datagrams: [0-9]+ used, 1 from other hosts, 2 truncated, 2 oversized, 2 garbage; 3 "
                   "values refused\\.")))
        << errors;
}

TEST_F(XPlaneBridge, EndsEverySubscriptionWhenItStops)
{
    startBridge({ "--duration", "1" });
    EXPECT_TRUE(eventually([&] { return xplane.cancelled().size() == kDefaultBindings; }))
        << xplane.cancelled().size() << bridge.errors();
    EXPECT_EQ(xplane.subscriptionCount(), 0u);
}

TEST_F(XPlaneBridge, TakesDatarefsFromTheUsersFile)
{
    std::ofstream(bridge.file("a320.txt")) << "# an add-on's own datarefs\n"
                                              "n1.1 = addon/engines/n1_ratio[0] * 100\n"
                                              "epr =\n";
    xplane.set("addon/engines/n1_ratio[0]", 0.25f);
    xplane.set("sim/cockpit2/engine/indicators/EPR_ratio[0]", 1.3f);
    startBridge({ "--datarefs", bridge.file("a320.txt") });
    EXPECT_TRUE(displayReadsN1(25)) << bridge.errors();
    EXPECT_TRUE(eventually([&] { return xplane.subscriptionCount() == kDefaultBindings - 4; }));
    EXPECT_FALSE(xplane.indexOf("sim/cockpit2/engine/indicators/N1_percent[0]"));
    EXPECT_FALSE(xplane.indexOf("sim/cockpit2/engine/indicators/EPR_ratio[0]"));
    EXPECT_EQ(bridge.read<double>(0x2030), 0.0);
}

TEST_F(XPlaneBridge, RefusesADatarefFileItCannotUse)
{
    std::ofstream(bridge.file("wrong.txt")) << "n1.1 = addon/n1\nthrust = addon/thrust\n";
    std::string error;
    EXPECT_FALSE(bridge.start({ "--source", "xplane:127.0.0.1:" + std::to_string(xplane.port()), "--datarefs",
                                    bridge.file("wrong.txt") },
        error));
    EXPECT_NE(bridge.errors().find("wrong.txt, line 2: there is no field called \"thrust\"."), std::string::npos)
        << bridge.errors();
    EXPECT_FALSE(xplane.hasSubscriber());
}

} // namespace
