#include "offset_space.h"
#include "request_block.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// Builds request blocks as a client would, and lets a test break them.
class Block {
public:
    Block()
        : bytes(0x8000)
    {
    }
    std::size_t read(std::uint32_t offset, std::uint32_t size)
    {
        std::size_t const at = put({ 1, offset, size, 0 });
        position += size;
        return at;
    }
    // A 64-bit client's read: an 8-byte destination after offset and size.
    std::size_t wideRead(std::uint32_t offset, std::uint32_t size, std::uint64_t destination)
    {
        std::size_t const at = put({ 4, offset, size, static_cast<std::uint32_t>(destination),
            static_cast<std::uint32_t>(destination >> 32) });
        position += size;
        return at;
    }
    std::size_t write(std::uint32_t offset, std::uint32_t value)
    {
        std::size_t const at = put({ 2, offset, 4 });
        std::memcpy(&bytes[position], &value, 4);
        position += 4;
        return at;
    }
    void setU32(std::size_t at, std::uint32_t value) { std::memcpy(&bytes[at], &value, 4); }
    std::uint32_t u32(std::size_t at) const
    {
        std::uint32_t value;
        std::memcpy(&value, &bytes[at], 4);
        return value;
    }
    std::span<std::byte> span() { return bytes; }

private:
    std::size_t put(std::vector<std::uint32_t> const& header)
    {
        std::size_t const at = position;
        for (std::uint32_t field : header) {
            setU32(position, field);
            position += 4;
        }
        return at;
    }
    std::vector<std::byte> bytes;
    std::size_t position = 0;
};

std::uint32_t stored(OffsetSpace const& space, std::uint32_t offset)
{
    std::uint32_t value;
    space.read(offset, std::as_writable_bytes(std::span(&value, 1)));
    return value;
}

TEST(SimRequestBlock, ServesReadsAndWritesInOrder)
{
    OffsetSpace space;
    space.put<std::uint32_t>(0x3304, 0x49740000);
    Block block;
    std::size_t const first = block.read(0x3304, 4);
    block.write(0x4000, 77);
    std::size_t const second = block.read(0x4000, 4);
    ASSERT_TRUE(serveRequestBlock(block.span(), space));
    EXPECT_EQ(block.u32(first + 16), 0x49740000u);
    EXPECT_EQ(block.u32(second + 16), 77u);
    EXPECT_EQ(stored(space, 0x4000), 77u);
}

TEST(SimRequestBlock, WideReadsMixWithNarrowReadsAndWrites)
{
    OffsetSpace space;
    space.put<std::uint32_t>(0x3304, 0x49740000);
    space.put<std::uint16_t>(0x0AEC, 2);
    Block block;
    std::uint64_t const destination = 0x00007FF6'12345678;
    std::size_t const wide = block.wideRead(0x3304, 4, destination);
    block.write(0x4000, 77);
    std::size_t const narrow = block.read(0x0AEC, 2);
    std::size_t const wideAfterWrite = block.wideRead(0x4000, 4, destination + 8);
    ASSERT_TRUE(serveRequestBlock(block.span(), space));
    EXPECT_EQ(block.u32(wide + 20), 0x49740000u);
    EXPECT_EQ(block.u32(narrow + 16) & 0xFFFF, 2u);
    EXPECT_EQ(block.u32(wideAfterWrite + 20), 77u);
    // The client's destinations come back as they went.
    EXPECT_EQ(block.u32(wide + 12), 0x12345678u);
    EXPECT_EQ(block.u32(wide + 16), 0x00007FF6u);
    EXPECT_EQ(block.u32(wideAfterWrite + 12), 0x12345680u);
}

TEST(SimRequestBlock, AMalformedBlockIsRefusedWithNothingApplied)
{
    struct Case {
        char const* what;
        void (*damage)(Block&, std::size_t lastRead);
    };
    for (Case const& broken : {
             Case { "unknown marker", [](Block& b, std::size_t at) { b.setU32(at, 3); } },
             Case { "size past the block", [](Block& b, std::size_t at) { b.setU32(at + 8, 0x8000); } },
             Case { "size that wraps", [](Block& b, std::size_t at) { b.setU32(at + 8, 0xFFFFFFF0); } },
             Case { "offset past the space", [](Block& b, std::size_t at) { b.setU32(at + 4, 0xFFFE); } },
             Case { "offset that wraps", [](Block& b, std::size_t at) { b.setU32(at + 4, 0xFFFFFFFF); } },
             // A wide read's data starts 4 bytes later: one byte short of the block.
             Case { "wide read past the block",
                 [](Block& b, std::size_t at) {
                     b.setU32(at, 4);
                     b.setU32(at + 8, static_cast<std::uint32_t>(0x8000 - at - 20 + 1));
                 } },
         }) {
        SCOPED_TRACE(broken.what);
        OffsetSpace space;
        Block block;
        block.write(0x4000, 77);
        std::size_t const last = block.read(0x3304, 4);
        broken.damage(block, last);
        EXPECT_FALSE(serveRequestBlock(block.span(), space));
        EXPECT_EQ(stored(space, 0x4000), 0u);
    }
}

TEST(SimRequestBlock, ABlockWithoutEndMarkerIsRefused)
{
    OffsetSpace space;
    std::vector<std::byte> full(0x8000);
    // One write whose data fills the block exactly: no room for the end marker.
    std::uint32_t const header[] = { 2, 0x4000, 0x8000 - 12 };
    std::memcpy(full.data(), header, sizeof header);
    EXPECT_FALSE(serveRequestBlock(full, space));
    // A block shorter than a header.
    std::vector<std::byte> tiny(3);
    EXPECT_FALSE(serveRequestBlock(tiny, space));
    // A wide read whose header is cut off by the end of the block.
    std::vector<std::byte> cut(16);
    std::uint32_t const wideHeader[] = { 4, 0x3304, 0, 0 };
    std::memcpy(cut.data(), wideHeader, sizeof wideHeader);
    EXPECT_FALSE(serveRequestBlock(cut, space));
}

TEST(SimRequestBlock, ReadsAtTheTopOfTheSpaceFitExactly)
{
    OffsetSpace space;
    Block block;
    block.read(0xFFFC, 4);
    EXPECT_TRUE(serveRequestBlock(block.span(), space));
}

TEST(SimOffsetSpace, PinnedBytesKeepTheirValue)
{
    OffsetSpace space;
    std::uint32_t const pinned = 1;
    space.pin(0x0BC8, std::as_bytes(std::span(&pinned, 1)));
    space.put<std::uint32_t>(0x0BC6, 0xFFFFFFFF); // overlaps the pin's first two bytes
    EXPECT_EQ(stored(space, 0x0BC8), 1u);
    EXPECT_EQ(stored(space, 0x0BC4), 0xFFFF0000u);
}

TEST(SimCorruption, DamagesTheLastReadOnly)
{
    for (Corruption const corruption : { Corruption::Marker, Corruption::Size, Corruption::Destination }) {
        OffsetSpace space;
        Block block;
        std::size_t const first = block.read(0x3304, 4);
        std::size_t const last = block.read(0x3308, 4);
        block.write(0x4000, 1);
        ASSERT_TRUE(serveRequestBlock(block.span(), space));
        corruptLastRead(block.span(), corruption);
        EXPECT_EQ(block.u32(first), 1u);
        EXPECT_EQ(block.u32(first + 8), 4u);
        EXPECT_EQ(block.u32(last) != 1u, corruption == Corruption::Marker);
        EXPECT_EQ(block.u32(last + 8) != 4u, corruption == Corruption::Size);
        EXPECT_EQ(block.u32(last + 12) != 0u, corruption == Corruption::Destination);
    }
}

} // namespace
