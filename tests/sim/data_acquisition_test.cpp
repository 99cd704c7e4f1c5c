#include "fake_ipc_transport.h"
#include "sim/aircraft_file.h"
#include "sim/data_acquisition.h"
#include "sim/value_sources.h"

#include <gtest/gtest.h>

namespace {

using Request = FakeIpcTransport::Request;

Request read(std::uint32_t offset, std::uint32_t size)
{
    return { 1, offset, size };
}

std::vector<Request> const kAircraftReads = {
    read(0x3366, 1), read(0x07BC, 4), read(0x0BC8, 4), read(0x31F0, 4), read(0x0B74, 4), read(0x0B78, 4),
    read(0x0B7C, 4), read(0x0B80, 4), read(0x0B84, 4), read(0x0B88, 4), read(0x0B94, 4), read(0x0B98, 4),
    read(0x0B9C, 4), read(0x0BA0, 4), read(0x0BCC, 4), read(0x0BD4, 4), read(0x0BD8, 4), read(0x0BDC, 4),
    read(0x0366, 2), read(0x3367, 1), read(0x036D, 1), read(0x2F80, 1), read(0x337D, 1), read(0x028C, 1),
    read(0x0D0C, 2), read(0x30F0, 2), read(0x30F8, 2),
};

std::vector<Request> engineReads(std::uint32_t i)
{
    return { read(0x2000 + 0x100 * i, 8), read(0x2008 + 0x100 * i, 8), read(0x2030 + 0x100 * i, 8),
        read(0x08BE + 0x98 * i, 2), read(0x0918 + 0x98 * i, 8), read(0x08B2 + 0x98 * i, 2) };
}

// The named values' reads after those, from the standard offsets:
// per-engine values for the engines read.
std::vector<Request> namedReads(int engines)
{
    std::vector<Request> reads;
    for (AircraftValueRow const& row : kAircraftValueTable) {
        if (row.standard != StandardSource::FsuipcOffset)
            continue;
        int const count = row.instances == ValueInstances::PerEngine ? engines : instanceCount(row.instances);
        for (int i = 0; i < count; ++i)
            reads.push_back(read(row.offset.offsets[i], fsuipcValueSize(row.offset.type)));
    }
    return reads;
}

std::size_t namedCount(int engines)
{
    return namedReads(engines).size();
}

using namespace std::chrono_literals;

class DataAcquisitionTest : public ::testing::Test {
protected:
    FakeIpcTransport transport;
    FsuipcLink link { transport, { std::chrono::milliseconds(1), 9, {}, {} } };
    SimData data;
    // The attempts' clock stands still unless a test moves it.
    ConnectionTiming::Clock::time_point now {};
    DataAcquisition acquisition { link, data, { 1000ms, 10000ms, [this] { return now; } } };
    LinkState state;

    void SetUp() override
    {
        transport.set<std::uint16_t>(0x0AEC, 2);
        transport.set<std::uint16_t>(0x0AF4, 1715);
        transport.set<double>(0x2000, 85.0);
        transport.set<double>(0x2100, 62.5);
        transport.set<std::uint16_t>(0x08BE, 16384);
        transport.set<std::uint16_t>(0x08BE + 0x98, 8192);
        transport.set<std::uint32_t>(0x0B74, 4194304);
        transport.set<std::uint32_t>(0x0B78, 2000);
    }

    std::vector<Request> const& lastBatch() const { return transport.batches.back(); }

    // Frames of the given period until the clock has moved by span.
    void runFor(std::chrono::milliseconds span, std::chrono::milliseconds period = 100ms)
    {
        for (auto end = now + span; now < end; now += period)
            acquisition.acquire(state);
    }

    // Two frames: connected, with engine values.
    void connectWithEngines()
    {
        acquisition.acquire(state);
        acquisition.acquire(state);
        ASSERT_TRUE(state.connected);
        ASSERT_EQ(data.n1Percent[0], 85.0);
    }

    void expectDropped(char const* reason)
    {
        EXPECT_FALSE(state.connected);
        EXPECT_FALSE(link.isOpen());
        EXPECT_EQ(transport.liveViews, 0);
        EXPECT_EQ(state.linkErrorText, reason);
        EXPECT_EQ(state.connectionAttempts, 0);
        // Nothing of the lost server is left to draw.
        EXPECT_EQ(data.engineCount, 0);
        EXPECT_EQ(data.n1Percent[0], 0.0);
        EXPECT_EQ(data.totalFuelLbs, 0.0);
    }
};

TEST_F(DataAcquisitionTest, TheFirstFrameReadsTheOneTimeValuesAndNoEngines)
{
    acquisition.acquire(state);
    EXPECT_TRUE(state.connected);
    std::vector<Request> expected { read(0x0AEC, 2), read(0x0AF4, 2), read(0x0310, 8) };
    expected.insert(expected.end(), kAircraftReads.begin(), kAircraftReads.end());
    EXPECT_EQ(expected.size(), 30u);
    auto const named = namedReads(0);
    expected.insert(expected.end(), named.begin(), named.end());
    EXPECT_EQ(lastBatch(), expected);
    EXPECT_EQ(data.engineCount, 2);
    EXPECT_EQ(data.n1Percent[0], 0.0);
}

TEST_F(DataAcquisitionTest, WithTwoEnginesEveryLaterFrameQueuesTheFortyReadsInOrder)
{
    acquisition.acquire(state);
    acquisition.acquire(state);
    std::vector<Request> expected { read(0x0310, 8) };
    for (std::uint32_t engine = 0; engine < 2; ++engine) {
        auto const perEngine = engineReads(engine);
        expected.insert(expected.end(), perEngine.begin(), perEngine.end());
    }
    expected.insert(expected.end(), kAircraftReads.begin(), kAircraftReads.end());
    EXPECT_EQ(expected.size(), 40u);
    auto const named = namedReads(2);
    expected.insert(expected.end(), named.begin(), named.end());
    EXPECT_EQ(lastBatch(), expected);
    EXPECT_EQ(data.n1Percent[0], 85.0);
    EXPECT_EQ(data.n1Percent[1], 62.5);
}

TEST_F(DataAcquisitionTest, NamedValuesComeFromWhereTheAircraftSaysAndTellNotAvailableFromZero)
{
    AircraftFileContents const a32nx = parseAircraftFile("[ThrustLimitMode]\noffset = 0x66C0\ntype = u8\n"
                                                         "[AutothrustActive]\noffset = 0x66C1\ntype = u8\nmap = 0:0 1:0 2:1\n"
                                                         "[FlexTemp]\noffset = 0x66C8\ntype = f32\n"
                                                         "[CommandedN1]\noffset = 0x66CC\nstride = 4\ntype = f32\n"
                                                         "[OilPress]\noffset = none\n");
    ASSERT_TRUE(a32nx.problems.empty());
    acquisition.setAircraftSources(a32nx.sources);
    transport.set<std::uint8_t>(0x66C0, 3);
    transport.set<std::uint8_t>(0x66C1, 2);
    transport.set<float>(0x66C8, 0.0f);
    transport.set<float>(0x66CC, 88.5f);
    transport.set<float>(0x66D0, 87.5f);
    transport.set<float>(0x66D4, 50.0f); // a third engine the aircraft does not have
    transport.set<std::uint16_t>(0x08B8, 8192);
    EXPECT_FALSE(data.aircraft.available(AircraftValue::FlexTemp)); // not yet read
    connectWithEngines();
    EXPECT_EQ(data.aircraft.get(AircraftValue::ThrustLimitMode), static_cast<double>(ThrustLimitCode::Flex));
    EXPECT_EQ(data.aircraft.get(AircraftValue::AutothrustActive), 1.0);
    EXPECT_EQ(aircraftValue(data, AircraftValue::FlexTemp), 0.0); // read as zero: available
    EXPECT_EQ(data.aircraft.get(AircraftValue::CommandedN1, 1), 87.5);
    EXPECT_FALSE(data.aircraft.available(AircraftValue::CommandedN1, 2));
    EXPECT_FALSE(data.aircraft.available(AircraftValue::N1Limit)); // no source anywhere
    EXPECT_FALSE(data.aircraft.available(AircraftValue::OilPress)); // the file says FSUIPC has none
    EXPECT_EQ(data.aircraft.get(AircraftValue::OilTemp), 70.0); // the standard offset, 16384 = 140 degC
    EXPECT_DOUBLE_EQ(data.aircraft.get(AircraftValue::CenterFuel), 6699.21875 * 0.4536); // from the tanks
}

TEST_F(DataAcquisitionTest, MoreThanFourEnginesAreHeldAsFour)
{
    transport.set<std::uint16_t>(0x0AEC, 6);
    acquisition.acquire(state);
    acquisition.acquire(state);
    EXPECT_EQ(data.engineCount, 4);
    EXPECT_EQ(lastBatch().size(), 1u + 4 * 6 + 27 + namedCount(4));
    EXPECT_EQ(lastBatch()[1 + 3 * 6], read(0x2300, 8));
}

TEST_F(DataAcquisitionTest, OneTimeReadsAreAskedAgainUntilTheyReadAsAnAircraft)
{
    // A simulator still loading: no engines yet, and no fuel weight.
    transport.set<std::uint16_t>(0x0AEC, 0);
    transport.set<std::uint16_t>(0x0AF4, 0);
    acquisition.acquire(state);
    acquisition.acquire(state);
    EXPECT_TRUE(state.connected);
    EXPECT_EQ(lastBatch().size(), 30u + namedCount(0)); // the one-time reads again, no engines
    EXPECT_EQ(lastBatch().front(), read(0x0AEC, 2));

    // The engines come first: their values are read while the fuel weight is
    // still awaited.
    transport.set<std::uint16_t>(0x0AEC, 2);
    acquisition.acquire(state);
    acquisition.acquire(state);
    EXPECT_EQ(lastBatch().size(), 2u + 40 + namedCount(2));
    EXPECT_EQ(data.n1Percent[0], 85.0);
    EXPECT_EQ(data.centreLbs, 0.0);

    transport.set<std::uint16_t>(0x0AF4, 1715);
    acquisition.acquire(state);
    EXPECT_EQ(data.poundsPerGallon, 6.69921875);
    EXPECT_EQ(data.centreLbs, 6699.21875);
    acquisition.acquire(state);
    EXPECT_EQ(lastBatch().front(), read(0x0310, 8));
    EXPECT_EQ(lastBatch().size(), 40u + namedCount(2));
    // Read once, not followed: a later value is not taken.
    transport.set<std::uint16_t>(0x0AEC, 3);
    acquisition.acquire(state);
    EXPECT_EQ(data.engineCount, 2);
}

TEST_F(DataAcquisitionTest, WhileTheFuelWeightIsAwaitedMoreThanFourEnginesAreStillHeldAsFour)
{
    transport.set<std::uint16_t>(0x0AF4, 0); // keeps the one-time reads pending
    transport.set<std::uint16_t>(0x0AEC, 6);
    for (int frame = 0; frame < 3; ++frame)
        acquisition.acquire(state);
    EXPECT_EQ(data.engineCount, 4);
    EXPECT_EQ(lastBatch().size(), 2u + 1 + 4 * 6 + 27 + namedCount(4));
}

TEST_F(DataAcquisitionTest, OneSilentOrGarbledExchangeKeepsTheValuesAndTwoInARowDropTheLink)
{
    struct Fault {
        char const* text;
        void (*commit)(FakeIpcTransport&);
        void (*heal)(FakeIpcTransport&);
    };
    for (Fault const& fault : {
             Fault { "IPC timed out all retries", [](FakeIpcTransport& t) { t.failingSends = 9; },
                 [](FakeIpcTransport& t) { t.failingSends = 0; } },
             Fault { "IPC request contains bad data", [](FakeIpcTransport& t) { t.reply = 0; },
                 [](FakeIpcTransport& t) { t.reply = 1; } },
         }) {
        SCOPED_TRACE(fault.text);
        connectWithEngines();
        transport.set<double>(0x2000, 20.0);
        fault.commit(transport);
        acquisition.acquire(state);
        EXPECT_TRUE(state.connected);
        EXPECT_EQ(data.n1Percent[0], 85.0);
        EXPECT_EQ(data.egtC[0], 860.0);

        // A good exchange in between starts the count again.
        fault.heal(transport);
        acquisition.acquire(state);
        EXPECT_EQ(data.n1Percent[0], 20.0);
        fault.commit(transport);
        acquisition.acquire(state);
        EXPECT_TRUE(state.connected);
        fault.commit(transport);
        acquisition.acquire(state);
        expectDropped(fault.text);
        fault.heal(transport);
        transport.set<double>(0x2000, 85.0);
        now += 1s;
    }
}

TEST_F(DataAcquisitionTest, DerivedValuesFollowEveryExchange)
{
    transport.set<std::uint32_t>(0x0B7C, 8388608); // left main full, 1000 gal
    transport.set<std::uint32_t>(0x0B80, 1000);
    transport.set<std::uint32_t>(0x0B9C, 2097152); // right aux a quarter full, 400 gal
    transport.set<std::uint32_t>(0x0BA0, 400);
    acquisition.acquire(state);
    acquisition.acquire(state);
    EXPECT_EQ(data.egtC[0], 860.0);
    EXPECT_EQ(data.egtC[1], 430.0);
    EXPECT_EQ(data.centreLbs, 6699.21875);
    EXPECT_EQ(data.leftMainLbs, 6699.21875);
    EXPECT_EQ(data.rightAuxLbs, 100 * 6.69921875);
    EXPECT_EQ(data.totalFuelLbs, data.rightAuxLbs + data.leftMainLbs + data.centreLbs);
    EXPECT_EQ(data.totalFuelKg, data.totalFuelLbs * 0.4536);
    EXPECT_DOUBLE_EQ(data.cepr[0], 1.0 + 60.0 / 75.0 * 0.8);
    EXPECT_DOUBLE_EQ(data.cepr[1], 1.0 + 37.5 / 75.0 * 0.8);

    acquisition.setCeprMapping(20.0, 90.0, 1.1, 1.5);
    acquisition.acquire(state);
    EXPECT_DOUBLE_EQ(data.cepr[0], 1.1 + 65.0 / 70.0 * 0.4);
}

TEST_F(DataAcquisitionTest, AttemptsComeOneASecondThenEveryTenSecondsAfterTheTwentieth)
{
    transport.uipcmainPresent = false;
    transport.help = "No tarnex-sim answers at /run/user/1000/fsuipc: start tarnex-sim";
    // Polling frames a millisecond apart make no more attempts than slow ones.
    runFor(500ms, 1ms);
    EXPECT_EQ(state.connectionAttempts, 1);
    EXPECT_EQ(state.retryInterval, 1000ms);
    runFor(19500ms);
    EXPECT_EQ(state.connectionAttempts, 20);
    EXPECT_EQ(state.retryInterval, 10000ms); // what the page tells
    EXPECT_EQ(transport.mappingNames.size(), 0u);
    EXPECT_EQ(state.linkErrorText, "Cannot link to FSUIPC or WideClient");
    EXPECT_EQ(state.noServerHelp, transport.help);

    // The twentieth failed at 19 s; the slow retries come at 29 s and 39 s.
    transport.fs98mainPresent = true;
    transport.set<std::uint32_t>(0x3308, 0); // WideClient without its simulator
    runFor(9900ms); // to 29.9 s
    EXPECT_EQ(state.linkErrorText, "Maybe running on WideClient, but FS not running on Server, or wrong FSUIPC");
    EXPECT_EQ(state.noServerHelp, ""); // a server was found: the help is for when none is
    EXPECT_EQ(state.connectionAttempts, 20);
    EXPECT_EQ(transport.mappingNames.size(), 1u);

    transport.set<std::uint32_t>(0x3308, 0xFADE0008);
    runFor(9100ms); // frames to 38.9 s
    EXPECT_FALSE(state.connected);
    acquisition.acquire(state); // at 39 s
    EXPECT_TRUE(state.connected);
    EXPECT_EQ(data.engineCount, 2); // the read cycle runs in the frame that connects
    runFor(10s);
    EXPECT_EQ(transport.mappingNames.size(), 2u); // never opened again while it works
}

TEST_F(DataAcquisitionTest, ARejectedServerShowsItsOwnText)
{
    transport.set<std::uint32_t>(0x3304, 0x19980004);
    acquisition.acquire(state);
    EXPECT_EQ(state.linkErrorText, "Incorrect version of FSUIPC, or not FSUIPC");
    EXPECT_EQ(state.connectionAttempts, 1);
}

TEST(CommandedEpr, MapsIdleToMaxOntoTheEprRangeAndHoldsItThere)
{
    CeprMapping const mapping;
    EXPECT_EQ(commandedEpr(25.0, mapping), 1.0);
    EXPECT_EQ(commandedEpr(100.0, mapping), 1.8);
    EXPECT_DOUBLE_EQ(commandedEpr(62.5, mapping), 1.4);
    EXPECT_EQ(commandedEpr(0.0, mapping), 1.0);
    EXPECT_EQ(commandedEpr(-5.0, mapping), 1.0);
    EXPECT_EQ(commandedEpr(104.0, mapping), 1.8);
}

TEST(CommandedEpr, ADegenerateMappingStaysWithinTheRange)
{
    CeprMapping const flat { 50.0, 50.0, 1.0, 1.8 };
    EXPECT_EQ(commandedEpr(50.0, flat), 1.0); // 0 / 0
    EXPECT_EQ(commandedEpr(60.0, flat), 1.8);
    EXPECT_EQ(commandedEpr(40.0, flat), 1.0);
}

} // namespace
