#include "bridge_test_support.h"
#include "fake_xplane.h"
#include "keyframe_scenario.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <regex>
#include <sys/socket.h>

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
