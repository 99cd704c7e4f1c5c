#pragma once

#include <cstddef>
#include <cstdint>

// One exchange over the server's Unix socket: the client sends the magic, the
// length of the mapping name and the name (no terminator); the server
// processes the request block in that shared memory object ("/" + name) and
// answers one u32, 1 meaning processed. All numbers little-endian.
constexpr std::uint32_t kIpcSocketMagic = 0x50495346; // "FSIP"
// The longest name a global atom can carry.
constexpr std::uint32_t kMaxMappingNameLength = 255;

// A server that is up but has nothing true to serve (a bridge whose simulator
// is silent) keeps its socket and closes each connection at once, and says
// why in one line of UTF-8 in a file named after its class with this suffix,
// beside the socket ("UIPCMAIN.waiting"). Clients that know the file show the
// line; others see their exchange fail.
constexpr char const* kWaitingFileSuffix = ".waiting";
// Longer lines are cut there.
constexpr std::size_t kMaxWaitingLineLength = 200;
