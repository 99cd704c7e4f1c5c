#pragma once

// The simulator link against a real tarnex-sim process, over a platform's real
// transport. Each platform instantiates the suite with a type that supplies:
//
//   static std::string ipcDirectory();                 a fresh one per test
//   static void removeIpcDirectory(std::string const&);
//   static std::unique_ptr<IpcTransport> transport(std::string const& ipcDirectory);

#include "sim/data_acquisition.h"
#include "sim/fsuipc_link.h"
#include "sim_process.h"
#include "support/wide_read_client.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace live_link {

using namespace std::chrono_literals;

// Short pauses; the full timeout, so that a busy machine does not fail a test.
constexpr FsuipcTiming kTiming { 2000ms, 9, 5ms, 1ms };
// For the silent server only: nine quick timeouts.
constexpr FsuipcTiming kQuickTimeouts { 100ms, 9, 5ms, 1ms };
// For a server made silent after a good start: short enough to keep the test
// quick, long enough that a good answer on a busy machine is never missed.
constexpr FsuipcTiming kShortTimeouts { 500ms, 9, 5ms, 1ms };
// Scenario seconds per real second small enough to hold a moment still.
constexpr char const* kFrozen = "0.00001";

// The display's frames over a link of their own, on a clock the test moves:
// no test waits for the real pacing of the connection attempts.
struct Frames {
    Frames(IpcTransport& transport, FsuipcTiming linkTiming, ConnectionTiming pacing = {})
        : link(transport, linkTiming)
        , acquisition(link, data, { pacing.attemptInterval, pacing.slowRetryInterval, [this] { return now; } })
    {
    }

    void run(int count = 1)
    {
        for (int frame = 0; frame < count; ++frame)
            acquisition.acquire(state);
    }
    // One frame, after the clock has moved by span.
    void after(std::chrono::milliseconds span)
    {
        now += span;
        run();
    }

    ConnectionTiming::Clock::time_point now {};
    FsuipcLink link;
    SimData data;
    LinkState state;
    DataAcquisition acquisition;
};

inline std::string buildDirectory()
{
    char const* fromEnvironment = std::getenv("TARNEX_BUILD_DIR");
    return fromEnvironment && *fromEnvironment ? fromEnvironment : TARNEX_BUILD_DIR;
}

// A destination with guard bytes on both sides, to see any write outside it.
struct GuardedValue {
    std::array<std::uint8_t, 16> before;
    std::uint32_t value = 0x11111111;
    std::array<std::uint8_t, 16> after;

    GuardedValue()
    {
        before.fill(0xA5);
        after.fill(0xA5);
    }
    bool guardsIntact() const
    {
        for (std::size_t i = 0; i < before.size(); ++i) {
            if (before[i] != 0xA5 || after[i] != 0xA5)
                return false;
        }
        return true;
    }
};

template <typename Platform>
class LiveLink : public ::testing::Test {
protected:
    std::string ipcDirectory = Platform::ipcDirectory();
    std::unique_ptr<IpcTransport> transport = Platform::transport(ipcDirectory);
    FsuipcLink link { *transport, kTiming };
    SimProcess sim;
    FsuipcResult result = FsuipcResult::Okay;

    ~LiveLink() override
    {
        link.close();
        sim.stop();
        Platform::removeIpcDirectory(ipcDirectory);
    }

    void startSim(std::vector<std::string> const& arguments, std::string const& windowClass = "UIPCMAIN")
    {
        std::string error;
        ASSERT_TRUE(sim.start(SimProcess::programIn(buildDirectory()), arguments, ipcDirectory, windowClass, error))
            << error;
    }

    void openLink()
    {
        ASSERT_TRUE(link.open(0, result)) << fsuipcResultText(result);
    }

    // Two frames of the display's acquisition, the second with engine values.
    // A link the test opened counts as connected.
    SimData acquireTwoFrames()
    {
        SimData data;
        DataAcquisition acquisition(link, data);
        LinkState state;
        state.connected = link.isOpen();
        acquisition.acquire(state);
        acquisition.acquire(state);
        EXPECT_TRUE(state.connected) << state.linkErrorText;
        return data;
    }

    template <typename T>
    T readValue(std::uint32_t offset)
    {
        T value {};
        EXPECT_TRUE(link.read(offset, sizeof value, &value, result));
        EXPECT_TRUE(link.process(result)) << fsuipcResultText(result);
        return value;
    }

    // Opens against a server that corrupts the last read record of every
    // batch after the handshake, and checks the link refuses the batch.
    void expectCorruptionRefused(char const* field)
    {
        SCOPED_TRACE(field);
        startSim({ "--corrupt", field, "--faults-after", "1" });
        openLink();
        GuardedValue first, second;
        link.read(0x3304, 4, &first.value, result);
        link.read(0x3308, 4, &second.value, result);
        EXPECT_FALSE(link.process(result));
        EXPECT_EQ(result, FsuipcResult::BadData);
        EXPECT_STREQ(fsuipcResultText(result), "IPC request contains bad data");
        EXPECT_EQ(first.value, 0x11111111u);
        EXPECT_EQ(second.value, 0x11111111u);
        EXPECT_TRUE(first.guardsIntact());
        EXPECT_TRUE(second.guardsIntact());
        link.close();
        sim.stop();
    }
};

TYPED_TEST_SUITE_P(LiveLink);

TYPED_TEST_P(LiveLink, OpensAndReadsTheDemoFlightAtTakeOff)
{
    this->startSim({ "--at", "260", "--time-scale", kFrozen });
    this->openLink();
    EXPECT_EQ(this->result, FsuipcResult::Okay);
    EXPECT_EQ(this->link.serverVersion(), 0x49740000u);
    EXPECT_EQ(this->link.simulatorVersion(), 8u);
    SimData const data = this->acquireTwoFrames();
    EXPECT_EQ(data.engineCount, 2);
    EXPECT_NEAR(data.simTime, 260.0, 0.5);
    EXPECT_NEAR(data.n1Percent[0], 85.8, 0.01);
    EXPECT_NEAR(data.n1Percent[1], 85.8, 0.01);
    EXPECT_NEAR(data.egtC[0], 820.0, 0.1);
    EXPECT_NEAR(data.fuelFlowPph[0] * 0.4536, 2900.0, 0.01);
    EXPECT_EQ(data.onGround, 1);
    EXPECT_EQ(data.flapsControl, 6554u); // detent 2 of 5
    EXPECT_EQ(data.flapAngleRaw, 10 * 256);
    EXPECT_EQ(data.slatAngleRaw, 18 * 256);
    EXPECT_NE(data.spoilersArmed, 0u);
    EXPECT_EQ(data.autobrake, 5);
    EXPECT_EQ(data.pushbackState, 3u);
    EXPECT_NE(data.landingLights, 0);
    // The centre tank burns from 1970 kg at 248 s, the mains from 5400 kg at 0 s.
    EXPECT_NEAR(data.totalFuelKg, 1883.9 + 2 * 5389.3 + 2 * 690, 1.0);
}

TYPED_TEST_P(LiveLink, FlapsTravelAtTheSurfaceRateAfterTheLeverMoves)
{
    // The lever reached detent 5 at 405 s; the flaps left 20 degrees then.
    this->startSim({ "--at", "410", "--time-scale", kFrozen });
    this->openLink();
    SimData const data = this->acquireTwoFrames();
    EXPECT_EQ(data.flapsControl, 16383u);
    EXPECT_NEAR(data.flapAngleRaw / 256.0, 26.0, 0.05);
    EXPECT_NEAR(data.slatAngleRaw / 256.0, 27.0, 0.01);
    EXPECT_EQ(data.autopilotMaster, 1u);
}

TYPED_TEST_P(LiveLink, AStaticServerHoldsEverythingButItsVersionsAtZero)
{
    this->startSim({ "--scenario", "static" });
    this->openLink();
    SimData const data = this->acquireTwoFrames();
    EXPECT_EQ(data.engineCount, 0);
    EXPECT_EQ(data.simTime, 0.0);
    EXPECT_EQ(data.fuelWeightRaw, 0);
    EXPECT_EQ(data.totalFuelLbs, 0.0);
}

TYPED_TEST_P(LiveLink, AKeyframeFileIsInterpolated)
{
    auto const file = std::filesystem::temp_directory_path()
        / ("tarnex-scenario-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + ".txt");
    std::ofstream(file) << "# two keyframes\n0 n1.1=10 egt.1=100 engines=1\n100 n1.1=30 egt.1=500 flap_detent=3\n";
    this->startSim({ "--scenario", file.string(), "--at", "25", "--time-scale", kFrozen });
    this->openLink();
    SimData const data = this->acquireTwoFrames();
    std::filesystem::remove(file);
    EXPECT_EQ(data.engineCount, 1);
    EXPECT_NEAR(data.n1Percent[0], 15.0, 0.01);
    EXPECT_NEAR(data.egtC[0], 200.0, 0.1);
    EXPECT_EQ(data.flapsControl, 0u); // a lever holds until its keyframe
}

TYPED_TEST_P(LiveLink, PinnedValuesWinAndWritesAreStored)
{
    this->startSim({ "--set", "0x0BC8:u32=1", "--set", "0x6000:f64=2.5", "--set", "0x6008:i32=-7" });
    this->openLink();
    std::uint32_t const cleared = 0;
    std::uint32_t const stored = 0xABCD1234;
    EXPECT_TRUE(this->link.write(0x0BC8, 4, &cleared, this->result));
    EXPECT_TRUE(this->link.write(0x6100, 4, &stored, this->result));
    EXPECT_TRUE(this->link.process(this->result));
    EXPECT_EQ(this->template readValue<std::uint32_t>(0x0BC8), 1u);
    EXPECT_EQ(this->template readValue<std::uint32_t>(0x6100), stored);
    EXPECT_EQ(this->template readValue<double>(0x6000), 2.5);
    EXPECT_EQ(this->template readValue<std::int32_t>(0x6008), -7);
}

TYPED_TEST_P(LiveLink, OpenWhileOpenIsCode1)
{
    this->startSim({});
    this->openLink();
    EXPECT_FALSE(this->link.open(0, this->result));
    EXPECT_EQ(this->result, FsuipcResult::AlreadyOpen);
    EXPECT_EQ(this->template readValue<std::uint32_t>(0x3304), 0x49740000u);
}

TYPED_TEST_P(LiveLink, NoServerIsCode2)
{
    EXPECT_FALSE(this->link.open(0, this->result));
    EXPECT_EQ(this->result, FsuipcResult::NoServer);
}

TYPED_TEST_P(LiveLink, AnOldServerIsCode7AndCode14WhenFoundAsFs98Main)
{
    this->startSim({ "--bad-version" });
    EXPECT_FALSE(this->link.open(0, this->result));
    EXPECT_EQ(this->result, FsuipcResult::WrongServerVersion);
    this->sim.stop();

    this->startSim({ "--bad-version", "--class", "FS98MAIN" }, "FS98MAIN");
    EXPECT_FALSE(this->link.open(0, this->result));
    EXPECT_EQ(this->result, FsuipcResult::WideClientWithoutSimulator);
    this->sim.stop();

    this->startSim({ "--class", "FS98MAIN" }, "FS98MAIN");
    this->openLink();
}

TYPED_TEST_P(LiveLink, CallsAfterCloseAreCode9AndAnEmptyProcessCode10)
{
    this->startSim({});
    this->openLink();
    EXPECT_FALSE(this->link.process(this->result));
    EXPECT_EQ(this->result, FsuipcResult::NothingQueued);
    this->link.close();
    std::uint32_t value = 0;
    EXPECT_FALSE(this->link.read(0x3304, 4, &value, this->result));
    EXPECT_EQ(this->result, FsuipcResult::NotOpen);
    EXPECT_FALSE(this->link.process(this->result));
    EXPECT_EQ(this->result, FsuipcResult::NotOpen);
    // A fresh open after close makes a new block.
    this->openLink();
}

TYPED_TEST_P(LiveLink, ASilentServerTimesOutAllRetriesAsCode11)
{
    this->startSim({ "--no-answer", "--faults-after", "1" });
    FsuipcLink quick(*this->transport, kQuickTimeouts);
    ASSERT_TRUE(quick.open(0, this->result)) << fsuipcResultText(this->result);
    std::uint32_t value = 3;
    quick.read(0x3304, 4, &value, this->result);
    auto const started = std::chrono::steady_clock::now();
    EXPECT_FALSE(quick.process(this->result));
    auto const took = std::chrono::steady_clock::now() - started;
    EXPECT_EQ(this->result, FsuipcResult::TimedOut);
    EXPECT_EQ(value, 3u);
    // Each of the nine sends waited its whole timeout. How many sends and
    // pauses the link makes is counted exactly by the in-process link tests;
    // an upper bound here would measure the machine.
    EXPECT_GE(took, 9 * 100ms);
}

TYPED_TEST_P(LiveLink, AServerThatWentAwayIsCode12)
{
    this->startSim({});
    this->openLink();
    this->sim.stop();
    std::uint32_t value = 3;
    this->link.read(0x3304, 4, &value, this->result);
    EXPECT_FALSE(this->link.process(this->result));
    EXPECT_EQ(this->result, FsuipcResult::SendFailed);
    EXPECT_EQ(value, 3u);
}

TYPED_TEST_P(LiveLink, AReplyOtherThanProcessedIsCode13)
{
    this->startSim({ "--reply", "7", "--faults-after", "1" });
    this->openLink();
    std::uint32_t value = 3;
    this->link.read(0x3304, 4, &value, this->result);
    EXPECT_FALSE(this->link.process(this->result));
    EXPECT_EQ(this->result, FsuipcResult::BadData);
    EXPECT_EQ(value, 3u);
}

TYPED_TEST_P(LiveLink, CorruptedRecordsAreCode13WithNoWriteOutsideADestination)
{
    this->expectCorruptionRefused("marker");
    this->expectCorruptionRefused("size");
    this->expectCorruptionRefused("destination");
}

TYPED_TEST_P(LiveLink, AFullQueueIsCode15AndTheQueuedBatchStillGoes)
{
    this->startSim({});
    this->openLink();
    std::uint32_t version = 0;
    std::vector<std::byte> big(FsuipcLink::kRequestLimit);
    EXPECT_TRUE(this->link.read(0x3304, 4, &version, this->result));
    EXPECT_FALSE(this->link.read(0x0000, FsuipcLink::kRequestLimit - 20 - 19, big.data(), this->result));
    EXPECT_EQ(this->result, FsuipcResult::QueueFull);
    EXPECT_TRUE(this->link.read(0x0000, FsuipcLink::kRequestLimit - 20 - 20, big.data(), this->result));
    EXPECT_TRUE(this->link.process(this->result)) << fsuipcResultText(this->result);
    EXPECT_EQ(version, 0x49740000u);
}

TYPED_TEST_P(LiveLink, ARestartedServerIsFoundAgainWithoutAKeyAndItsEngineCountReadAfresh)
{
    this->startSim({ "--at", "260", "--time-scale", kFrozen });
    Frames frames(*this->transport, kTiming);
    frames.run(2);
    ASSERT_TRUE(frames.state.connected) << frames.state.linkErrorText;
    EXPECT_EQ(frames.data.engineCount, 2);
    EXPECT_NEAR(frames.data.n1Percent[0], 85.8, 0.01);

    this->sim.stop();
    // From the next frame on: the not-connected screen, never the last values.
    for (int frame = 0; frame < 3; ++frame) {
        frames.run();
        EXPECT_FALSE(frames.state.connected);
        EXPECT_EQ(frames.data.engineCount, 0);
        EXPECT_EQ(frames.data.n1Percent[0], 0.0);
        EXPECT_EQ(frames.data.totalFuelKg, 0.0);
    }
    EXPECT_EQ(frames.state.linkErrorText, "IPC sendmessage failed all retries");
    EXPECT_EQ(frames.state.connectionAttempts, 0);
    frames.after(1s);
    EXPECT_EQ(frames.state.linkErrorText, "Cannot link to FSUIPC or WideClient");
    EXPECT_EQ(frames.state.connectionAttempts, 1);

    // The simulator comes back with another aircraft.
    this->startSim({ "--at", "260", "--time-scale", kFrozen, "--set", "0x0AEC:u16=4" });
    frames.after(1s);
    ASSERT_TRUE(frames.state.connected) << frames.state.linkErrorText;
    EXPECT_EQ(frames.data.engineCount, 4);
    frames.run();
    EXPECT_NEAR(frames.data.n1Percent[0], 85.8, 0.01);
    EXPECT_NEAR(frames.data.totalFuelKg, 1883.9 + 2 * 5389.3 + 2 * 690, 1.0);
}

TYPED_TEST_P(LiveLink, AServerTurningFaultyEndsOnTheNotConnectedScreenWithItsTextAndAGoodOneIsFoundAgain)
{
    struct Fault {
        std::vector<std::string> options;
        char const* text;
        FsuipcTiming timing;
    };
    for (Fault const& fault : {
             Fault { { "--no-answer" }, "IPC timed out all retries", kShortTimeouts },
             Fault { { "--reply", "0" }, "IPC request contains bad data", kTiming },
             Fault { { "--corrupt", "marker" }, "IPC request contains bad data", kTiming },
             Fault { { "--corrupt", "size" }, "IPC request contains bad data", kTiming },
             Fault { { "--corrupt", "destination" }, "IPC request contains bad data", kTiming },
         }) {
        SCOPED_TRACE(fault.options.front() + " " + fault.options.back());
        // Three good exchanges: the handshake and two frames.
        std::vector<std::string> arguments { "--at", "260", "--time-scale", kFrozen, "--faults-after", "3" };
        arguments.insert(arguments.end(), fault.options.begin(), fault.options.end());
        this->startSim(arguments);
        Frames frames(*this->transport, fault.timing);
        frames.run(2);
        ASSERT_TRUE(frames.state.connected) << frames.state.linkErrorText;
        EXPECT_NEAR(frames.data.n1Percent[0], 85.8, 0.01);
        // One bad exchange among good ones keeps the page...
        frames.run();
        EXPECT_TRUE(frames.state.connected);
        EXPECT_NEAR(frames.data.n1Percent[0], 85.8, 0.01);
        // ...the second in a row gives the link up.
        frames.run();
        EXPECT_FALSE(frames.state.connected);
        EXPECT_EQ(frames.state.linkErrorText, fault.text);
        EXPECT_EQ(frames.data.n1Percent[0], 0.0);
        this->sim.stop();

        this->startSim({ "--at", "260", "--time-scale", kFrozen });
        frames.after(1s);
        EXPECT_TRUE(frames.state.connected) << frames.state.linkErrorText;
        frames.run();
        EXPECT_NEAR(frames.data.n1Percent[0], 85.8, 0.01);
        frames.link.close();
        this->sim.stop();
    }
}

TYPED_TEST_P(LiveLink, AServerFaultyFromTheFirstFrameNeverShowsAConnectedPage)
{
    this->startSim({ "--at", "260", "--time-scale", kFrozen, "--faults-after", "1", "--reply", "0" });
    Frames frames(*this->transport, kTiming);
    frames.run();
    EXPECT_FALSE(frames.state.connected);
    EXPECT_EQ(frames.state.linkErrorText, "IPC request contains bad data");
    EXPECT_EQ(frames.data.totalFuelKg, 0.0);
    // Every later attempt fails in its handshake, with the same text.
    frames.after(1s);
    EXPECT_FALSE(frames.state.connected);
    EXPECT_EQ(frames.state.linkErrorText, "IPC request contains bad data");
    EXPECT_EQ(frames.state.connectionAttempts, 1);
}

TYPED_TEST_P(LiveLink, AnEngineCountOfZeroAtFirstIsReadAgainUntilTheEnginesAppear)
{
    auto const file = std::filesystem::temp_directory_path()
        / ("tarnex-late-engines-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count())
            + ".txt");
    std::ofstream(file) << "0 engines=0 n1=50 n2=60 on_ground=1\n1.0 engines=2\n";
    // A tenth of a scenario second per exchange: the engines appear some ten
    // exchanges in, however fast the frames come.
    this->startSim({ "--scenario", file.string(), "--seconds-per-exchange", "0.1" });
    Frames frames(*this->transport, kTiming);
    frames.run();
    ASSERT_TRUE(frames.state.connected) << frames.state.linkErrorText;
    EXPECT_LT(frames.data.simTime, 1.0);
    EXPECT_EQ(frames.data.engineCount, 0);
    for (int frame = 0; frame < 30 && frames.data.engineCount == 0; ++frame)
        frames.run();
    std::filesystem::remove(file);
    EXPECT_EQ(frames.data.engineCount, 2);
    frames.run();
    EXPECT_NEAR(frames.data.n1Percent[0], 50.0, 0.01);
    EXPECT_NEAR(frames.data.n2Percent[1], 60.0, 0.01);
    EXPECT_NE(frames.data.poundsPerGallon, 0.0);
}

TYPED_TEST_P(LiveLink, ADisplayStartedBeforeTheSimulatorFindsItWithoutAKey)
{
    // Attempts every half second and slow retries every two, on the test's clock.
    Frames frames(*this->transport, kTiming, { 500ms, 2s });
    for (int frame = 0; frame < 150; ++frame) // 15 s of frames
        frames.after(100ms);
    EXPECT_EQ(frames.state.connectionAttempts, 20);
    EXPECT_EQ(frames.state.linkErrorText, "Cannot link to FSUIPC or WideClient");

    this->startSim({ "--at", "260", "--time-scale", kFrozen });
    int framesToConnect = 0;
    while (!frames.state.connected && framesToConnect < 50) {
        frames.after(100ms);
        ++framesToConnect;
    }
    EXPECT_TRUE(frames.state.connected) << frames.state.linkErrorText;
    EXPECT_LE(framesToConnect, 20); // by the next slow retry
    frames.run();
    EXPECT_NEAR(frames.data.n1Percent[0], 85.8, 0.01);
}

TYPED_TEST_P(LiveLink, A64BitClientsWideReadsAreServedBesideOrdinaryRecords)
{
    this->startSim({ "--at", "260", "--time-scale", kFrozen });
    WideReadClient client(*this->transport);
    ASSERT_TRUE(client.open());
    std::uint32_t serverVersion = 0, simulatorVersion = 0, stored = 0;
    std::uint16_t engines = 0;
    double n1 = 0;
    client.read(0x3304, 4, &serverVersion, true);
    client.read(0x3308, 4, &simulatorVersion, false);
    client.write(0x6100, 0xC0FFEE);
    client.read(0x6100, 4, &stored, true);
    client.read(0x0AEC, 2, &engines, true);
    client.read(0x2000, 8, &n1, true);
    ASSERT_TRUE(client.process());
    EXPECT_EQ(serverVersion, 0x49740000u);
    EXPECT_EQ(simulatorVersion, 0xFADE0008u);
    EXPECT_EQ(stored, 0xC0FFEEu);
    EXPECT_EQ(engines, 2);
    EXPECT_NEAR(n1, 85.8, 0.01);
}

REGISTER_TYPED_TEST_SUITE_P(LiveLink, OpensAndReadsTheDemoFlightAtTakeOff,
    FlapsTravelAtTheSurfaceRateAfterTheLeverMoves, AStaticServerHoldsEverythingButItsVersionsAtZero,
    AKeyframeFileIsInterpolated, PinnedValuesWinAndWritesAreStored, OpenWhileOpenIsCode1, NoServerIsCode2,
    AnOldServerIsCode7AndCode14WhenFoundAsFs98Main, CallsAfterCloseAreCode9AndAnEmptyProcessCode10,
    ASilentServerTimesOutAllRetriesAsCode11, AServerThatWentAwayIsCode12, AReplyOtherThanProcessedIsCode13,
    CorruptedRecordsAreCode13WithNoWriteOutsideADestination, AFullQueueIsCode15AndTheQueuedBatchStillGoes,
    ARestartedServerIsFoundAgainWithoutAKeyAndItsEngineCountReadAfresh,
    AServerTurningFaultyEndsOnTheNotConnectedScreenWithItsTextAndAGoodOneIsFoundAgain,
    AServerFaultyFromTheFirstFrameNeverShowsAConnectedPage, AnEngineCountOfZeroAtFirstIsReadAgainUntilTheEnginesAppear,
    ADisplayStartedBeforeTheSimulatorFindsItWithoutAKey, A64BitClientsWideReadsAreServedBesideOrdinaryRecords);

} // namespace live_link
