#include "fake_ipc_transport.h"
#include "sim/fsuipc_link.h"
#include "support/allocation_counter.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>

namespace {

using namespace std::chrono_literals;

class FsuipcLinkTest : public ::testing::Test {
protected:
    FakeIpcTransport transport;
    FsuipcLink link { transport };
    FsuipcResult result = FsuipcResult::Okay;

    void openLink()
    {
        ASSERT_TRUE(link.open(0, result)) << fsuipcResultText(result);
    }
};

// A destination with guard bytes on both sides, to see any write outside it.
struct GuardedBuffer {
    static constexpr std::byte kGuard { 0xA5 };
    std::array<std::byte, 8> before;
    std::uint32_t value = 0x11111111;
    std::array<std::byte, 8> after;

    GuardedBuffer()
    {
        before.fill(kGuard);
        after.fill(kGuard);
    }
    bool guardsIntact() const
    {
        for (std::byte b : before)
            if (b != kGuard)
                return false;
        for (std::byte b : after)
            if (b != kGuard)
                return false;
        return true;
    }
};

TEST(FsuipcResultTexts, AreTheSystemsOwnTexts)
{
    EXPECT_STREQ(fsuipcResultText(FsuipcResult::Okay), "Okay");
    EXPECT_STREQ(fsuipcResultText(FsuipcResult::NoServer), "Cannot link to FSUIPC or WideClient");
    EXPECT_STREQ(fsuipcResultText(FsuipcResult::WideClientWithoutSimulator),
        "Maybe running on WideClient, but FS not running on Server, or wrong FSUIPC");
    EXPECT_STREQ(fsuipcResultText(FsuipcResult::QueueFull),
        "Read or Write request cannot be added, memory for Process is full");
    EXPECT_STREQ(fsuipcResultText(static_cast<FsuipcResult>(16)), "");
}

TEST_F(FsuipcLinkTest, OpenHandshakesAndKeepsOnlyTheSimulatorId)
{
    openLink();
    EXPECT_EQ(result, FsuipcResult::Okay);
    EXPECT_TRUE(link.isOpen());
    EXPECT_EQ(link.serverVersion(), 0x49740000u);
    EXPECT_EQ(link.simulatorVersion(), 8u);
    EXPECT_EQ(transport.clientVersion, 1004);
    // One exchange of three requests, then the 100 ms pause.
    ASSERT_EQ(transport.batches.size(), 1u);
    EXPECT_EQ(transport.batches[0],
        (std::vector<FakeIpcTransport::Request> { { 1, 0x3304, 4 }, { 1, 0x3308, 4 }, { 2, 0x330A, 2 } }));
    EXPECT_TRUE(transport.endMarkerSeen);
    EXPECT_EQ(transport.sleeps, std::vector { 100ms });
    EXPECT_EQ(transport.sendTimeouts, std::vector { 2000ms });
}

TEST_F(FsuipcLinkTest, OpenRetriesTheHandshakeWhileAVersionIsZeroAtMostFiveTimes)
{
    transport.set<std::uint32_t>(0x3304, 0);
    EXPECT_FALSE(link.open(0, result));
    EXPECT_EQ(result, FsuipcResult::WrongServerVersion);
    ASSERT_EQ(transport.batches.size(), 5u);
    EXPECT_EQ(transport.batches[1].size(), 2u); // the client version is written once only
    EXPECT_FALSE(link.isOpen());
}

TEST_F(FsuipcLinkTest, OpenWhileOpenFailsAndLeavesTheLinkAlone)
{
    openLink();
    EXPECT_FALSE(link.open(0, result));
    EXPECT_EQ(result, FsuipcResult::AlreadyOpen);
    EXPECT_TRUE(link.isOpen());
    EXPECT_EQ(transport.mappingNames.size(), 1u);
    std::uint32_t value = 0;
    EXPECT_TRUE(link.read(0x3304, 4, &value, result));
    EXPECT_TRUE(link.process(result));
    EXPECT_EQ(value, 0x49740000u);
}

TEST_F(FsuipcLinkTest, WithoutAServerOpenFailsBeforeAllocatingAnything)
{
    transport.uipcmainPresent = false;
    EXPECT_FALSE(link.open(0, result));
    EXPECT_EQ(result, FsuipcResult::NoServer);
    EXPECT_STREQ(fsuipcResultText(result), "Cannot link to FSUIPC or WideClient");
    EXPECT_TRUE(transport.mappingNames.empty());
    EXPECT_EQ(transport.liveAtoms, 0);
}

TEST_F(FsuipcLinkTest, EachFailingOpenStepHasItsCodeAndReleasesWhatWasMade)
{
    struct Case {
        bool FakeIpcTransport::*step;
        FsuipcResult expected;
    };
    for (Case const& step : { Case { &FakeIpcTransport::registerFails, FsuipcResult::RegisterMessageFailed },
             Case { &FakeIpcTransport::atomFails, FsuipcResult::AtomFailed },
             Case { &FakeIpcTransport::mappingFails, FsuipcResult::MappingFailed },
             Case { &FakeIpcTransport::viewFails, FsuipcResult::ViewFailed } }) {
        FakeIpcTransport failing;
        failing.*step.step = true;
        FsuipcLink other(failing);
        EXPECT_FALSE(other.open(0, result));
        EXPECT_EQ(result, step.expected);
        EXPECT_FALSE(other.isOpen());
        EXPECT_EQ(failing.liveAtoms, 0);
        EXPECT_EQ(failing.liveMappings, 0);
        EXPECT_EQ(failing.liveViews, 0);
    }
}

TEST_F(FsuipcLinkTest, TheMappingIsNamedAfterTheProcessAndAFreshCounterOnEveryOpen)
{
    openLink();
    link.close();
    openLink();
    ASSERT_EQ(transport.mappingNames.size(), 2u);
    unsigned pid = 0, first = 0, second = 0;
    ASSERT_EQ(std::sscanf(transport.mappingNames[0].c_str(), "FsasmLib:IPC:%X:%X", &pid, &first), 2);
    ASSERT_EQ(std::sscanf(transport.mappingNames[1].c_str(), "FsasmLib:IPC:%X:%X", &pid, &second), 2);
    EXPECT_EQ(pid, FakeIpcTransport::kProcessId);
    EXPECT_EQ(transport.mappingNames[0].substr(0, 18), "FsasmLib:IPC:1A2B:");
    EXPECT_EQ(second, first + 1);
}

TEST_F(FsuipcLinkTest, VersionsAreCheckedAtTheirBoundaries)
{
    struct Case {
        std::uint32_t server;
        std::uint32_t simulator;
        bool fallback;
        FsuipcResult expected;
    };
    for (Case const& versions : {
             Case { 0x19980005, 0xFADE0001, false, FsuipcResult::Okay },
             Case { 0x19980004, 0xFADE0001, false, FsuipcResult::WrongServerVersion },
             Case { 0x19980005, 0xFADF0001, false, FsuipcResult::WrongServerVersion },
             Case { 0x19980004, 0xFADE0001, true, FsuipcResult::WideClientWithoutSimulator },
             Case { 0xFFFFFFFF, 0xFADEFFFF, true, FsuipcResult::Okay },
         }) {
        FakeIpcTransport server;
        server.uipcmainPresent = !versions.fallback;
        server.fs98mainPresent = versions.fallback;
        server.set(0x3304, versions.server);
        server.set(0x3308, versions.simulator);
        FsuipcLink other(server);
        EXPECT_EQ(other.open(0, result), versions.expected == FsuipcResult::Okay);
        EXPECT_EQ(result, versions.expected) << std::hex << versions.server << " " << versions.simulator;
        EXPECT_EQ(server.liveMappings, versions.expected == FsuipcResult::Okay ? 1 : 0);
    }
}

TEST_F(FsuipcLinkTest, ARequestedSimulatorMustMatch)
{
    EXPECT_FALSE(link.open(9, result));
    EXPECT_EQ(result, FsuipcResult::WrongSimulator);
    EXPECT_TRUE(link.open(8, result));
}

TEST_F(FsuipcLinkTest, CallsOnAClosedLinkFailWithCode9)
{
    std::uint32_t value = 0;
    EXPECT_FALSE(link.read(0x3304, 4, &value, result));
    EXPECT_EQ(result, FsuipcResult::NotOpen);
    openLink();
    link.close();
    link.close(); // harmless when repeated
    EXPECT_FALSE(link.read(0x3304, 4, &value, result));
    EXPECT_EQ(result, FsuipcResult::NotOpen);
    EXPECT_FALSE(link.write(0x4000, 4, &value, result));
    EXPECT_EQ(result, FsuipcResult::NotOpen);
    EXPECT_FALSE(link.process(result));
    EXPECT_EQ(result, FsuipcResult::NotOpen);
    EXPECT_EQ(transport.liveMappings, 0);
    EXPECT_EQ(transport.liveAtoms, 0);
}

TEST_F(FsuipcLinkTest, ProcessWithNothingQueuedFailsWithCode10)
{
    openLink();
    EXPECT_FALSE(link.process(result));
    EXPECT_EQ(result, FsuipcResult::NothingQueued);
}

TEST_F(FsuipcLinkTest, ReadsAreDeliveredInQueueOrderAndWritesStored)
{
    openLink();
    transport.set<double>(0x2000, 87.5);
    transport.set<std::uint16_t>(0x0AEC, 2);
    double n1 = 0;
    std::uint16_t engines = 0;
    std::uint32_t overlapping = 0;
    std::uint32_t const written = 0xCAFEF00D;
    EXPECT_TRUE(link.write(0x4000, 4, &written, result));
    EXPECT_TRUE(link.read(0x2000, 8, &n1, result));
    EXPECT_TRUE(link.read(0x0AEC, 2, &engines, result));
    EXPECT_TRUE(link.read(0x3304, 4, &overlapping, result));
    EXPECT_TRUE(link.read(0x4000, 4, &overlapping, result)); // the later read wins
    EXPECT_TRUE(link.process(result));
    EXPECT_EQ(result, FsuipcResult::Okay);
    EXPECT_EQ(n1, 87.5);
    EXPECT_EQ(engines, 2);
    EXPECT_EQ(overlapping, written);
    EXPECT_EQ(transport.get<std::uint32_t>(0x4000), written);
}

TEST_F(FsuipcLinkTest, AReadWithoutDestinationOrSizeIsExchangedButDeliversNothing)
{
    openLink();
    std::uint32_t untouched = 7;
    EXPECT_TRUE(link.read(0x3304, 4, nullptr, result));
    EXPECT_TRUE(link.read(0x3304, 0, &untouched, result));
    EXPECT_TRUE(link.process(result));
    EXPECT_EQ(transport.batches.back().size(), 2u);
    EXPECT_EQ(untouched, 7u);
}

TEST_F(FsuipcLinkTest, ARequestThatFitsExactlyIsTakenAndOneByteMoreIsRefused)
{
    openLink();
    std::vector<std::byte> big(FsuipcLink::kRequestLimit);
    // Read: 16 bytes of header, the data and the 4-byte end marker.
    EXPECT_FALSE(link.read(0x0000, FsuipcLink::kRequestLimit - 19, big.data(), result));
    EXPECT_EQ(result, FsuipcResult::QueueFull);
    EXPECT_TRUE(link.read(0x0000, FsuipcLink::kRequestLimit - 20, big.data(), result));
    EXPECT_FALSE(link.read(0x0000, 0, nullptr, result));
    EXPECT_EQ(result, FsuipcResult::QueueFull);
    EXPECT_TRUE(link.process(result));
    EXPECT_EQ(transport.batches.back().size(), 1u); // the refused ones left the queue as it was

    // Write: 12 bytes of header.
    EXPECT_FALSE(link.write(0x0000, FsuipcLink::kRequestLimit - 15, big.data(), result));
    EXPECT_EQ(result, FsuipcResult::QueueFull);
    EXPECT_TRUE(link.write(0x0000, FsuipcLink::kRequestLimit - 16, big.data(), result));
}

TEST_F(FsuipcLinkTest, AnOpenLinkQueuesAsManyRequestsAsTheBlockHoldsWithoutAllocating)
{
    openLink();
    std::uint32_t const value = 0;
    std::size_t queued = 0;
    AllocationCounter allocations;
    while (link.write(0x4000, 0, &value, result))
        ++queued;
    EXPECT_EQ(allocations.count(), 0u);
    EXPECT_EQ(result, FsuipcResult::QueueFull);
    // Twelve bytes of header each, and the end marker.
    EXPECT_EQ(queued, (FsuipcLink::kRequestLimit - 4) / 12);
}

TEST_F(FsuipcLinkTest, AServerThatNeverAnswersTimesOutAfterNineSends)
{
    FsuipcLink quick(transport, { 50ms, 9, 5ms, 1ms });
    ASSERT_TRUE(quick.open(0, result));
    transport.sends = 0;
    transport.sleeps.clear();
    transport.sendTimeouts.clear();
    transport.failingSends = 100;
    std::uint32_t value = 5;
    ASSERT_TRUE(quick.read(0x3304, 4, &value, result));
    EXPECT_FALSE(quick.process(result));
    EXPECT_EQ(result, FsuipcResult::TimedOut);
    EXPECT_EQ(transport.sends, 9);
    EXPECT_EQ(transport.sleeps, std::vector<std::chrono::milliseconds>(9, 5ms)); // the last one included
    EXPECT_EQ(transport.sendTimeouts, std::vector<std::chrono::milliseconds>(9, 50ms));
    EXPECT_EQ(value, 5u);
    // The queue was emptied all the same.
    EXPECT_FALSE(quick.process(result));
    EXPECT_EQ(result, FsuipcResult::NothingQueued);
}

TEST_F(FsuipcLinkTest, ASendTheSystemRefusesFailsWithCode12AndALateSuccessCounts)
{
    openLink();
    transport.failingSends = 9;
    transport.sendError = 1400;
    std::uint32_t value = 0;
    link.read(0x3304, 4, &value, result);
    EXPECT_FALSE(link.process(result));
    EXPECT_EQ(result, FsuipcResult::SendFailed);

    transport.failingSends = 8; // the ninth send gets through
    link.read(0x3304, 4, &value, result);
    EXPECT_TRUE(link.process(result));
    EXPECT_EQ(value, 0x49740000u);
}

TEST_F(FsuipcLinkTest, AReplyOtherThanProcessedIsBadDataAndDeliversNothing)
{
    openLink();
    transport.reply = 0;
    std::uint32_t value = 3;
    link.read(0x3304, 4, &value, result);
    EXPECT_FALSE(link.process(result));
    EXPECT_EQ(result, FsuipcResult::BadData);
    EXPECT_EQ(value, 3u);
}

// A hostile or broken server rewrites record headers in the shared block. The
// link must neither write outside a destination nor deliver a partial batch.
TEST_F(FsuipcLinkTest, AServerThatChangesARecordHeaderGetsBadDataAndNoWriteOutsideADestination)
{
    struct Damage {
        char const* what;
        std::size_t field; // byte offset of the u32 field in the second read record
        std::uint32_t value;
    };
    std::size_t const second = 16 + 4; // after the first read of 4 bytes
    for (Damage const& damage : {
             Damage { "marker to another kind", 0, 2 },
             Damage { "marker to end", 0, 0 },
             Damage { "marker to garbage", 0, 0xDEADBEEF },
             Damage { "offset", 4, 0x1234 },
             Damage { "size grown", 8, 12 },
             Damage { "size shrunk", 8, 1 },
             Damage { "size huge", 8, 0xFFFFFFF0 },
             Damage { "destination", 12, 0 },
         }) {
        SCOPED_TRACE(damage.what);
        FakeIpcTransport server;
        FsuipcLink other(server);
        ASSERT_TRUE(other.open(0, result));
        server.tamper = [&](std::span<std::byte> block) {
            std::memcpy(block.data() + second + damage.field, &damage.value, 4);
        };
        GuardedBuffer first, target;
        other.read(0x3304, 4, &first.value, result);
        other.read(0x3308, 4, &target.value, result);
        EXPECT_FALSE(other.process(result));
        EXPECT_EQ(result, FsuipcResult::BadData);
        EXPECT_EQ(first.value, 0x11111111u); // nothing delivered, not even the good first read
        EXPECT_EQ(target.value, 0x11111111u);
        EXPECT_TRUE(first.guardsIntact());
        EXPECT_TRUE(target.guardsIntact());
    }
}

TEST_F(FsuipcLinkTest, DataAreasAreCopiedWithTheSizesTheCallerGave)
{
    openLink();
    transport.set<std::uint64_t>(0x5000, 0xFFFFFFFFFFFFFFFF);
    GuardedBuffer buffer;
    link.read(0x5000, 4, &buffer.value, result);
    EXPECT_TRUE(link.process(result));
    EXPECT_EQ(buffer.value, 0xFFFFFFFFu);
    EXPECT_TRUE(buffer.guardsIntact());
}

} // namespace
