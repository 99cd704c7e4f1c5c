#include "offset_space.h"

#include <cstring>

void OffsetSpace::read(std::uint32_t offset, std::span<std::byte> out) const
{
    std::memcpy(out.data(), bytes.data() + offset, out.size());
}

void OffsetSpace::write(std::uint32_t offset, std::span<std::byte const> values)
{
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!pinned.test(offset + i))
            bytes[offset + i] = values[i];
    }
}

void OffsetSpace::pin(std::uint32_t offset, std::span<std::byte const> values)
{
    for (std::size_t i = 0; i < values.size(); ++i) {
        bytes[offset + i] = values[i];
        pinned.set(offset + i);
    }
}
