#pragma once

#include <cstdint>

// One exchange over the server's Unix socket: the client sends the magic, the
// length of the mapping name and the name (no terminator); the server
// processes the request block in that shared memory object ("/" + name) and
// answers one u32, 1 meaning processed. All numbers little-endian.
constexpr std::uint32_t kIpcSocketMagic = 0x50495346; // "FSIP"
// The longest name a global atom can carry.
constexpr std::uint32_t kMaxMappingNameLength = 255;
