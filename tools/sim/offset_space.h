#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The simulator's 64 KiB of numbered offsets. Pinned bytes keep the value
// they were pinned to: neither the scenario nor a client write changes them.
class OffsetSpace {
public:
    static constexpr std::size_t kSize = 0x10000;

    static bool contains(std::uint64_t offset, std::uint64_t size) { return offset <= kSize && size <= kSize - offset; }

    // offset and size must lie inside the space.
    void read(std::uint32_t offset, std::span<std::byte> out) const;
    void write(std::uint32_t offset, std::span<std::byte const> bytes);
    void pin(std::uint32_t offset, std::span<std::byte const> bytes);

    template <typename T>
    void put(std::uint32_t offset, T value)
    {
        write(offset, std::as_bytes(std::span(&value, 1)));
    }

private:
    std::vector<std::byte> bytes = std::vector<std::byte>(kSize);
    std::bitset<kSize> pinned;
};
