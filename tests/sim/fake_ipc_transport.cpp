#include "fake_ipc_transport.h"

namespace {

constexpr IpcTransport::ServerHandle kUipcmain = 1;
constexpr IpcTransport::ServerHandle kFs98main = 2;
constexpr std::uint32_t kMessage = 0xC123;
constexpr std::uint16_t kAtom = 0xC042;
constexpr IpcTransport::MappingHandle kMapping = 7;

std::uint32_t loadU32(std::byte const* at)
{
    std::uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

} // namespace

FakeIpcTransport::FakeIpcTransport()
    : offsets(0x10000)
{
    set<std::uint32_t>(0x3304, 0x49740000);
    set<std::uint32_t>(0x3308, 0xFADE0008);
}

IpcTransport::ServerHandle FakeIpcTransport::findServer(char const* windowClass)
{
    std::string const name = windowClass;
    if (name == "UIPCMAIN" && uipcmainPresent)
        return kUipcmain;
    if (name == "FS98MAIN" && fs98mainPresent)
        return kFs98main;
    return 0;
}

std::uint32_t FakeIpcTransport::registerMessage(char const* name)
{
    return registerFails || std::string(name) != "FsasmLib:IPC" ? 0 : kMessage;
}

std::uint16_t FakeIpcTransport::addAtom(char const*)
{
    if (atomFails)
        return 0;
    ++liveAtoms;
    return kAtom;
}

void FakeIpcTransport::deleteAtom(std::uint16_t)
{
    --liveAtoms;
}

IpcTransport::MappingHandle FakeIpcTransport::createMapping(char const* name, std::size_t size)
{
    mappingNames.push_back(name);
    if (mappingFails)
        return 0;
    block.assign(size, std::byte { 0xCC });
    ++liveMappings;
    return kMapping;
}

std::byte* FakeIpcTransport::mapView(MappingHandle, std::size_t)
{
    if (viewFails)
        return nullptr;
    ++liveViews;
    return block.data();
}

void FakeIpcTransport::unmapView(std::byte*, std::size_t)
{
    --liveViews;
}

void FakeIpcTransport::closeMapping(MappingHandle)
{
    --liveMappings;
}

IpcTransport::SendOutcome FakeIpcTransport::send(ServerHandle server, std::uint32_t message, std::uint16_t atom,
    std::chrono::milliseconds timeout)
{
    ++sends;
    sendTimeouts.push_back(timeout);
    if (failingSends > 0) {
        --failingSends;
        return { false, 0, sendError };
    }
    if (!server || message != kMessage || atom != kAtom)
        return { false, 0, 1400 };
    serve(block);
    if (tamper)
        tamper(block);
    return { true, reply, 0 };
}

// Serves a well-formed block as FSUIPC would; the version words are read-only.
void FakeIpcTransport::serve(std::span<std::byte> requests)
{
    std::vector<Request>& batch = batches.emplace_back();
    std::size_t position = 0;
    for (;;) {
        std::uint32_t const marker = loadU32(&requests[position]);
        endMarkerSeen = marker == 0;
        if (marker != 1 && marker != 2)
            return;
        Request const request { marker, loadU32(&requests[position + 4]), loadU32(&requests[position + 8]) };
        batch.push_back(request);
        std::size_t const data = position + (marker == 1 ? 16 : 12);
        if (marker == 1)
            std::memcpy(&requests[data], offsets.data() + request.offset, request.size);
        else if (request.offset == 0x330A && request.size == 2)
            std::memcpy(&clientVersion, &requests[data], 2);
        else
            std::memcpy(offsets.data() + request.offset, &requests[data], request.size);
        position = data + request.size;
    }
}
