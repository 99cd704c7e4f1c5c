#include "sim/fsuipc_result.h"

#include <array>

namespace {

// Indexed by result code.
constexpr std::array<char const*, 16> kResultTexts = {
    "Okay",
    "Attempt to Open when already Open",
    "Cannot link to FSUIPC or WideClient",
    "Failed to Register common message with Windows",
    "Failed to create Atom for mapping filename",
    "Failed to create a file mapping object",
    "Failed to open a view to the file map",
    "Incorrect version of FSUIPC, or not FSUIPC",
    "Sim is not version requested",
    "Call cannot execute, link not Open",
    "Call cannot execute: no requests accumulated",
    "IPC timed out all retries",
    "IPC sendmessage failed all retries",
    "IPC request contains bad data",
    "Maybe running on WideClient, but FS not running on Server, or wrong FSUIPC",
    "Read or Write request cannot be added, memory for Process is full",
};

} // namespace

char const* fsuipcResultText(FsuipcResult code)
{
    auto const index = static_cast<std::uint32_t>(code);
    return index < kResultTexts.size() ? kResultTexts[index] : "";
}
