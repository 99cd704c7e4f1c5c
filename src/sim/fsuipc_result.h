#pragma once

#include <cstdint>

// The result codes of the simulator link, each with its fixed English text.
enum class FsuipcResult : std::uint32_t {
    Okay = 0,
    AlreadyOpen = 1,
    NoServer = 2,
    RegisterMessageFailed = 3,
    AtomFailed = 4,
    MappingFailed = 5,
    ViewFailed = 6,
    WrongServerVersion = 7,
    WrongSimulator = 8,
    NotOpen = 9,
    NothingQueued = 10,
    TimedOut = 11,
    SendFailed = 12,
    BadData = 13,
    WideClientWithoutSimulator = 14,
    QueueFull = 15,
};

// The fixed text of a result code; a value outside the table gives "".
char const* fsuipcResultText(FsuipcResult code);
