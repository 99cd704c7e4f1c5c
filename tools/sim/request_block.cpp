#include "request_block.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr std::uint32_t kEndMarker = 0;
constexpr std::uint32_t kReadMarker = 1;
constexpr std::uint32_t kWriteMarker = 2;
// A read from a 64-bit client: its destination field is 8 bytes wide.
constexpr std::uint32_t kWideReadMarker = 4;
constexpr std::size_t kReadHeaderSize = 16;
constexpr std::size_t kWriteHeaderSize = 12;
constexpr std::size_t kWideReadHeaderSize = 20;

std::size_t headerSize(std::uint32_t marker)
{
    switch (marker) {
    case kReadMarker:
        return kReadHeaderSize;
    case kWriteMarker:
        return kWriteHeaderSize;
    case kWideReadMarker:
        return kWideReadHeaderSize;
    default:
        return 0;
    }
}

std::uint32_t loadU32(std::byte const* at)
{
    std::uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

void storeU32(std::byte* at, std::uint32_t value)
{
    std::memcpy(at, &value, sizeof value);
}

struct Record {
    std::size_t position;
    std::uint32_t marker;
    std::uint32_t offset;
    std::span<std::byte> data;
};

// Calls visit for each record in order; false as soon as something does not fit.
template <typename Visit>
bool walkRecords(std::span<std::byte> block, Visit visit)
{
    std::size_t position = 0;
    for (;;) {
        if (block.size() - position < 4)
            return false;
        std::uint32_t const marker = loadU32(block.data() + position);
        if (marker == kEndMarker)
            return true;
        std::size_t const header = headerSize(marker);
        if (header == 0 || block.size() - position < header)
            return false;
        std::uint32_t const offset = loadU32(block.data() + position + 4);
        std::uint32_t const size = loadU32(block.data() + position + 8);
        if (size > block.size() - position - header || !OffsetSpace::contains(offset, size))
            return false;
        visit(Record { position, marker, offset, block.subspan(position + header, size) });
        position += header + size;
    }
}

} // namespace

bool serveRequestBlock(std::span<std::byte> block, OffsetSpace& space)
{
    if (!walkRecords(block, [](Record const&) {}))
        return false;
    // The block lives in shared memory: the second walk checks every bound again.
    return walkRecords(block, [&](Record const& record) {
        if (record.marker == kWriteMarker)
            space.write(record.offset, record.data);
        else
            space.read(record.offset, record.data);
    });
}

void corruptLastRead(std::span<std::byte> block, Corruption corruption)
{
    std::byte* last = nullptr;
    walkRecords(block, [&](Record const& record) {
        if (record.marker != kWriteMarker)
            last = block.data() + record.position;
    });
    if (!last)
        return;
    switch (corruption) {
    case Corruption::Marker:
        storeU32(last, 0x0BAD);
        break;
    case Corruption::Size:
        // Eight bytes more than the client asked for: a trusting client copies past its buffer.
        storeU32(last + 8, loadU32(last + 8) + 8);
        break;
    case Corruption::Destination:
        storeU32(last + 12, loadU32(last + 12) + 1);
        break;
    case Corruption::None:
        break;
    }
}
