#include "bridge_test_support.h"
#include "fake_xplane.h"
#include "keyframe_scenario.h"

#include <arpa/inet.h>
#include <atomic>
#include <netinet/in.h>
#include <regex>
#include <sys/socket.h>
#include <thread>

using namespace bridge_test;

namespace {

constexpr std::size_t kColumns = 38;

// FlightGear's generic protocol output, from a loopback address.
class FakeFlightGear {
public:
    explicit FakeFlightGear(std::uint32_t from = INADDR_LOOPBACK)
    {
        socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in local {};
        local.sin_family = AF_INET;
        local.sin_addr.s_addr = htonl(from);
        bind(socket, reinterpret_cast<sockaddr*>(&local), sizeof local);
    }
    ~FakeFlightGear() { close(socket); }

    void send(std::string const& line, std::uint16_t port) const
    {
        sockaddr_in destination {};
        destination.sin_family = AF_INET;
        destination.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        destination.sin_port = htons(port);
        sendto(socket, line.data(), line.size(), 0, reinterpret_cast<sockaddr*>(&destination), sizeof destination);
    }

private:
    int socket = -1;
};

// A port no one listens on now, for the bridge to take.
std::uint16_t freePort()
{
    int const probe = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in local {};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(probe, reinterpret_cast<sockaddr*>(&local), sizeof local);
    socklen_t length = sizeof local;
    getsockname(probe, reinterpret_cast<sockaddr*>(&local), &length);
    close(probe);
    return ntohs(local.sin_port);
}

// One line of tarnex.xml's output: time, two engines, tanks, flaps and
// slats, spoilers, brake, autopilot, ground, four doors, anti-ice and lights,
// and whether the flight model is ready.
std::string line(double n1, bool ready = true)
{
    std::ostringstream text;
    text << "812.25," << n1 << ",96.5,1.42,645.5,2600.0,1,0," << n1 + 1 << ",96.0,1.41,640.0,2500.0,0,1,"
         << "3000.0,4500.0,0.0,4400.0,0.0,"
         << "0.5,15.0,22.0,1,40.0,"
         << "0.00,1,0,"
         << "0.00,0.00,0.00,1.00,"
         << "1,1,0,1,1," << ready << "\n";
    return text.str();
}

class FlightGearBridge : public ::testing::Test {
protected:
    std::uint16_t port = freePort();
    FakeFlightGear flightGear;
    BridgeRun bridge;

    void startBridge(std::vector<std::string> const& extra = {})
    {
        std::string error;
        std::vector<std::string> arguments { "--source", "flightgear:" + std::to_string(port) };
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        ASSERT_TRUE(bridge.start(arguments, error)) << error;
    }

    // Sends the line until the display reads its N1.
    bool displayReadsLineOf(double n1)
    {
        return eventually([&] {
            flightGear.send(line(n1), port);
            return bridge.read<double>(0x2000) == n1;
        });
    }
};

TEST_F(FlightGearBridge, ServesEachColumnInTheDisplaysOffsets)
{
    EXPECT_EQ(occurrences(line(50), ","), static_cast<int>(kColumns) - 1);
    startBridge();
    ASSERT_TRUE(displayReadsLineOf(62.5)) << bridge.errors();

    SimData const data = bridge.acquire();
    EXPECT_EQ(data.engineCount, 2);
    EXPECT_EQ(data.simTime, 812.25);
    EXPECT_EQ(data.n1Percent[1], 63.5);
    EXPECT_EQ(data.n2Percent[0], 96.5);
    EXPECT_EQ(data.epr[1], 1.41);
    EXPECT_NEAR(data.egtC[0], 645.5, 860.0 / 16384);
    EXPECT_NEAR(data.fuelFlowPph[1] * 0.4536, 2500.0, 1e-6);
    EXPECT_EQ(data.engineAntiIce[0], 1);
    EXPECT_EQ(data.engineFireFlags, 2);
    EXPECT_NEAR(data.centreLbs * 0.4536, 3000.0, 0.01);
    EXPECT_NEAR(data.totalFuelKg, 11900.0, 0.05);
    EXPECT_EQ(data.flapsControl, 8192u);
    EXPECT_EQ(data.flapAngleRaw, 15 * 256);
    EXPECT_EQ(data.slatAngleRaw, 22 * 256);
    EXPECT_EQ(data.spoilersArmed, 1u);
    EXPECT_EQ(data.spoilerLeft, 6553u); // 40 % of the travel
    EXPECT_EQ(data.parkingBrake, 0u);
    EXPECT_EQ(data.autopilotMaster, 1u);
    EXPECT_EQ(data.onGround, 0);
    EXPECT_EQ(data.exitsOpen, 8);
    EXPECT_EQ(data.structuralDeice, 1);
    EXPECT_EQ(data.landingLights, 1);
    EXPECT_EQ(data.lights & 0x10, 0);
    EXPECT_EQ(data.autobrake, 1); // FlightGear sends none: off
}

// FlightGear's A320 family through the protocol the bridge writes for its
// aircraft file, read by a display given the same file.
TEST_F(FlightGearBridge, CarriesTheAircraftFilesPropertiesToTheDisplayReadingTheSameFile)
{
    std::string const file = sourceDirectory() + "/aircraft/flightgear-a320-family.ini";
    // The columns the written protocol adds, in its order, as FlightGear
    // prints their text: its own codes, ratios and booleans.
    std::string const protocol = bridge.file("fgdata/Protocol/tarnex.xml");
    ASSERT_EQ(std::system(("'" + SimProcess::programIn(buildDirectory()) + "' --source flightgear --aircraft '" + file
                              + "' --write-protocol '" + bridge.file("fgdata") + "' > /dev/null")
                              .c_str()),
        0);
    std::ifstream written(protocol);
    std::ostringstream text;
    text << written.rdbuf();
    std::string const xml = text.str();
    std::vector<std::string> names;
    std::regex const added("<!-- aircraft file, line [0-9]+ -->\\s*<name>([^<]+)</name>");
    for (auto match = std::sregex_iterator(xml.begin(), xml.end(), added); match != std::sregex_iterator(); ++match)
        names.push_back((*match)[1]);
    std::vector<std::string> const expected { "ThrottleLever.1", "ThrottleLever.2", "ReverserPosition.1",
        "ReverserPosition.2", "Starter.1", "Starter.2", "Combustion.1", "Combustion.2", "CommandedN1.1",
        "CommandedN1.2", "ThrustLimitMode", "N1Limit", "FlexTemp", "AlphaFloor", "SlatAlphaLock",
        "EngineModeSelector" };
    ASSERT_EQ(names, expected);
    std::string const properties = "0.25,0.8,0,0.5,true,false,true,1,61.5,62.5,3,85.2,55,0,1,2\n";

    startBridge({ "--aircraft", file });
    std::string withProperties = line(70);
    withProperties.back() = ',';
    withProperties += properties;
    ASSERT_TRUE(eventually([&] {
        flightGear.send(withProperties, port);
        return bridge.read<double>(0x2000) == 70;
    })) << bridge.errors();
    SimData const data = bridge.acquire(shippedAircraft("flightgear-a320-family.ini"));
    struct Shown {
        AircraftValue value;
        int instance;
        double expected;
    };
    Shown const shown[] = {
        { AircraftValue::ThrottleLever, 0, 25 },
        { AircraftValue::ThrottleLever, 1, 80 },
        { AircraftValue::ReverserPosition, 1, 0.5 },
        { AircraftValue::Starter, 0, 1 },
        { AircraftValue::Combustion, 1, 1 },
        { AircraftValue::CommandedN1, 0, 61.5 },
        { AircraftValue::CommandedN1, 1, 62.5 },
        { AircraftValue::ThrustLimitMode, 0, static_cast<double>(ThrustLimitCode::Flex) },
        { AircraftValue::N1Limit, 0, 85.2 },
        { AircraftValue::FlexTemp, 0, 55 },
        { AircraftValue::AlphaFloor, 0, 0 },
        { AircraftValue::SlatAlphaLock, 0, 1 },
        { AircraftValue::EngineModeSelector, 0, static_cast<double>(EngineModeCode::IgnitionStart) },
    };
    for (Shown const& value : shown) {
        EXPECT_NEAR(data.aircraft.get(value.value, value.instance), value.expected, 0.01)
            << aircraftValueRow(value.value).name << "." << value.instance + 1;
    }
    EXPECT_FALSE(data.aircraft.available(AircraftValue::Ignition)) << "the file names none";
    EXPECT_EQ(data.n1Percent[1], 71) << "the standard columns as before";
    // And tarnex itself, given the file, draws them on the full page: FLX
    // with its limit and temperature, engine 2's reverser in transit.
    // FlightGear goes on sending while the snapshot starts, however long
    // that takes, so the bridge never finds it silent.
    std::atomic<bool> drawn = false;
    std::thread sending([&] {
        while (!drawn) {
            flightGear.send(withProperties, port);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    });
    std::string const page = bridge.drawnPage({ "--layout", sourceDirectory() + "/layouts/a320cfm.ini", "--aircraft", file });
    drawn = true;
    sending.join();
    for (char const* text : { "\"FLX\"", "\"85.2\"", "\"+55\u00B0C\"", "\"REV\"" })
        EXPECT_NE(page.find(text), std::string::npos) << text << " is not drawn";

    // FlightGear restarted with an aircraft without the FADEC's properties:
    // it sends them empty, and the last aircraft's values go with it.
    std::string withoutFadec = line(72);
    withoutFadec.back() = ',';
    withoutFadec += "0.25,0.8,0,0.5,true,false,true,1,,,,,,0,1,2\n";
    ASSERT_TRUE(eventually([&] {
        flightGear.send(withoutFadec, port);
        return bridge.read<double>(0x2000) == 72;
    })) << bridge.errors();
    SimData const restarted = bridge.acquire(shippedAircraft("flightgear-a320-family.ini"));
    for (AircraftValue const gone :
        { AircraftValue::CommandedN1, AircraftValue::ThrustLimitMode, AircraftValue::N1Limit, AircraftValue::FlexTemp })
        EXPECT_FALSE(restarted.aircraft.available(gone)) << aircraftValueRow(gone).name;
    EXPECT_NEAR(restarted.aircraft.get(AircraftValue::ThrottleLever, 1), 80, 0.01);
    EXPECT_EQ(restarted.aircraft.get(AircraftValue::SlatAlphaLock), 1);
    bridge.stop();
    EXPECT_EQ(occurrences(bridge.errors(), "never arrived"), 0) << bridge.errors();
}

// FlightGear still on the standard protocol: the display flies, and each
// property of the aircraft file is named once as never arrived. Then on the
// written protocol with an aircraft that lacks the FADEC's properties
// (FlightGear sends them empty): those stay not available, never a 0 shown
// as the aircraft's, and each is named once.
TEST_F(FlightGearBridge, NamesOnceEachPropertyThatNeverArrivesAndFliesWithoutIt)
{
    std::string const file = sourceDirectory() + "/aircraft/flightgear-a320-family.ini";
    startBridge({ "--aircraft", file });
    std::string const flexTemp = file + ":72: property \"/systems/fadec/limit/flex-temp\" never arrived; "
                                        "FlightGear sends the standard protocol";
    ASSERT_TRUE(eventually([&] {
        flightGear.send(line(40), port);
        return bridge.errors().find(flexTemp) != std::string::npos;
    })) << bridge.errors();
    EXPECT_EQ(bridge.acquire(shippedAircraft("flightgear-a320-family.ini")).n1Percent[0], 40);
    for (int i = 0; i < 5; ++i)
        flightGear.send(line(41), port);
    EXPECT_TRUE(eventually([&] { return bridge.read<double>(0x2000) == 41; }));

    std::string withEmpty = line(42);
    withEmpty.back() = ',';
    withEmpty += "0.25,0.8,0,0,false,false,false,false,,,,,,,,1\n";
    std::string const emptyFlexTemp = file + ":72: property \"/systems/fadec/limit/flex-temp\" never arrived; "
                                             "FlightGear sends it empty";
    ASSERT_TRUE(eventually([&] {
        flightGear.send(withEmpty, port);
        return bridge.errors().find(emptyFlexTemp) != std::string::npos;
    })) << bridge.errors();
    SimData const data = bridge.acquire(shippedAircraft("flightgear-a320-family.ini"));
    EXPECT_EQ(data.n1Percent[0], 42);
    EXPECT_NEAR(data.aircraft.get(AircraftValue::ThrottleLever, 1), 80, 0.01);
    EXPECT_EQ(data.aircraft.get(AircraftValue::EngineModeSelector, 0), static_cast<double>(EngineModeCode::Normal));
    for (AircraftValue const lacking :
        { AircraftValue::ThrustLimitMode, AircraftValue::N1Limit, AircraftValue::FlexTemp, AircraftValue::CommandedN1 })
        EXPECT_FALSE(data.aircraft.available(lacking)) << aircraftValueRow(lacking).name;
    // A switch at an integer offset without a coding cannot say so: off.
    EXPECT_EQ(data.aircraft.get(AircraftValue::AlphaFloor), 0);

    bridge.stop();
    std::string const errors = bridge.errors();
    EXPECT_EQ(occurrences(errors, flexTemp), 1) << errors;
    EXPECT_EQ(occurrences(errors, emptyFlexTemp), 1) << errors;
    EXPECT_EQ(occurrences(errors, "FlightGear sends the standard protocol"), 11) << errors; // one per field
    EXPECT_EQ(occurrences(errors, "FlightGear sends it empty"), 6) << errors; // one per field sent empty
    EXPECT_TRUE(std::regex_search(errors, std::regex("[0-9]+ garbage; 0 values refused\\.")))
        << errors;
}

TEST_F(FlightGearBridge, IgnoresAndCountsBadLinesAndOtherHosts)
{
    startBridge();
    ASSERT_TRUE(displayReadsLineOf(30)) << bridge.errors();
    std::string withoutNewline = line(99);
    withoutNewline.pop_back();
    std::string notANumber = line(99);
    notANumber.replace(notANumber.find("96.5"), 4, "high");
    std::string infinite = line(99);
    infinite.replace(0, infinite.find(','), "inf");
    infinite.replace(infinite.find(",99,") + 1, 2, "nan");

    FakeFlightGear(0x7F000002).send(line(77), port); // another host
    flightGear.send("812.25,99,96.5\n", port); // truncated
    flightGear.send(withoutNewline, port); // truncated
    flightGear.send(line(99).insert(0, "1,"), port); // oversized
    flightGear.send(std::string(6000, '1'), port); // oversized
    flightGear.send(notANumber, port); // garbage
    flightGear.send(std::string("\x01\x02\x03\n", 4), port); // garbage
    flightGear.send(infinite, port); // used, time and N1 refused
    // Loopback datagrams arrive in the order sent: once engine 2 of the last
    // one shows, the bridge has judged all of them.
    EXPECT_TRUE(eventually([&] { return bridge.read<double>(0x2100) == 100.0; }));
    EXPECT_EQ(bridge.read<double>(0x2000), 30.0);

    bridge.stop();
    std::string const errors = bridge.errors();
    EXPECT_TRUE(std::regex_search(errors,
        std::regex("FlightGear datagrams: [0-9]+ used, 1 from other hosts, 2 truncated, 2 oversized, 2 garbage; 2 "
                   "values refused\\.")))
        << errors;
}

// The display's frames while FlightGear is silent at first, sends, reloads
// its flight model, sends, falls silent and sends again: not connected with
// the bridge's reason whenever nothing true comes, back by itself, and
// nothing of those moments recorded.
TEST_F(FlightGearBridge, TheDisplayShowsWhyNothingComesAndRecoversByItself)
{
    std::string const waiting = "Waiting for FlightGear at 127.0.0.1:" + std::to_string(port);
    auto const displayWaits = [&](std::string const& reason) {
        return eventually([&] {
            LinkState const& display = bridge.frame();
            return !display.connected && display.noServerHelp == reason;
        });
    };
    auto const displayFlies = [&](double n1) {
        return eventually([&] {
            flightGear.send(line(n1), port);
            return bridge.frame().connected && bridge.frameData().n1Percent[0] == n1;
        });
    };
    startBridge({ "--record", bridge.file("flight.txt") });

    EXPECT_TRUE(displayWaits(waiting)) << bridge.errors();
    EXPECT_EQ(bridge.frame().linkErrorText, "Cannot link to FSUIPC or WideClient");
    EXPECT_TRUE(displayFlies(45)) << bridge.errors();

    // Reloading, FlightGear sends zeros with its flight model not ready.
    EXPECT_TRUE(eventually([&] {
        flightGear.send(line(0, false), port);
        LinkState const& display = bridge.frame();
        return !display.connected && display.noServerHelp == waiting + " to load its flight model";
    })) << bridge.errors();
    EXPECT_TRUE(displayFlies(46)) << bridge.errors();

    EXPECT_TRUE(displayWaits(waiting)) << bridge.errors();
    EXPECT_TRUE(displayFlies(47)) << bridge.errors();

    bridge.stop();
    std::string const errors = bridge.errors();
    EXPECT_EQ(occurrences(errors, waiting + ";"), 2) << errors;
    EXPECT_EQ(occurrences(errors, waiting + " to load its flight model;"), 1) << errors;
    EXPECT_EQ(occurrences(errors, "FlightGear at 127.0.0.1:" + std::to_string(port) + " is sending."), 3) << errors;

    std::ifstream file(bridge.file("flight.txt"));
    std::ostringstream text;
    text << file.rdbuf();
    std::string error;
    std::optional<KeyframeScenario> const replay = KeyframeScenario::parse(text.str(), "flight.txt", error);
    ASSERT_TRUE(replay) << error;
    // No moment of the stand-in's own (no fuel, engines at rest) nor of the
    // reload's zeros: N1 never leaves 45 to 47, from the first line on.
    std::istringstream lines(text.str());
    int moments = 0;
    for (std::string recorded; std::getline(lines, recorded);) {
        if (recorded.empty() || recorded[0] == '#')
            continue;
        double const seconds = std::stod(recorded);
        AircraftState const state = replay->stateAt(seconds);
        EXPECT_GE(state.engine[0].n1, 45.0) << recorded;
        EXPECT_LE(state.engine[0].n1, 47.0) << recorded;
        EXPECT_EQ(state.fuelLeftMain, 4500.0) << recorded;
        ++moments;
    }
    EXPECT_GE(moments, 3);
}

} // namespace
