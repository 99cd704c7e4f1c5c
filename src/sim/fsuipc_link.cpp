#include "sim/fsuipc_link.h"

#include <bit>
#include <cstdio>
#include <cstring>

static_assert(std::endian::native == std::endian::little, "the request block is little-endian");

namespace {

constexpr char const* kServerClass = "UIPCMAIN";
constexpr char const* kFallbackServerClass = "FS98MAIN";
constexpr char const* kMessageName = "FsasmLib:IPC";

constexpr std::uint32_t kEndMarker = 0;
constexpr std::uint32_t kReadMarker = 1;
constexpr std::uint32_t kWriteMarker = 2;
constexpr std::uint32_t kReadHeaderSize = 16;
constexpr std::uint32_t kWriteHeaderSize = 12;
constexpr std::uint32_t kProcessedReply = 1;
// The most records a block can hold: empty writes, then the end marker.
constexpr std::size_t kMaxRequests = (FsuipcLink::kRequestLimit - 4) / kWriteHeaderSize;

constexpr std::uint32_t kServerVersionOffset = 0x3304;
constexpr std::uint32_t kSimulatorVersionOffset = 0x3308;
constexpr std::uint32_t kClientVersionOffset = 0x330A;
constexpr int kHandshakePasses = 5;

// Process-wide, so that every link of the process names a fresh mapping.
std::uint32_t openCounter = 0;

void storeU32(std::byte* at, std::uint32_t value)
{
    std::memcpy(at, &value, sizeof value);
}

std::uint32_t loadU32(std::byte const* at)
{
    std::uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

} // namespace

FsuipcLink::FsuipcLink(IpcTransport& transport, FsuipcTiming timing)
    : transport(transport)
    , timing(timing)
{
}

FsuipcLink::~FsuipcLink()
{
    close();
}

bool FsuipcLink::open(std::uint16_t requestedSimulator, FsuipcResult& result)
{
    if (view) {
        result = FsuipcResult::AlreadyOpen;
        return false;
    }
    serverVersionValue = 0;
    simulatorVersionValue = 0;
    if (!findServer(result) || !createBlock(result) || !handshake(result)
        || !acceptVersions(requestedSimulator, result)) {
        close();
        return false;
    }
    result = FsuipcResult::Okay;
    return true;
}

bool FsuipcLink::findServer(FsuipcResult& result)
{
    usedFallbackClass = false;
    server = transport.findServer(kServerClass);
    if (!server) {
        usedFallbackClass = true;
        server = transport.findServer(kFallbackServerClass);
    }
    if (!server) {
        result = FsuipcResult::NoServer;
        return false;
    }
    messageId = transport.registerMessage(kMessageName);
    if (!messageId) {
        result = FsuipcResult::RegisterMessageFailed;
        return false;
    }
    return true;
}

bool FsuipcLink::createBlock(FsuipcResult& result)
{
    char name[40];
    std::snprintf(name, sizeof name, "FsasmLib:IPC:%X:%X", transport.processId(), ++openCounter);
    atom = transport.addAtom(name);
    if (!atom) {
        result = FsuipcResult::AtomFailed;
        return false;
    }
    mapping = transport.createMapping(name, kBlockSize);
    if (!mapping) {
        result = FsuipcResult::MappingFailed;
        return false;
    }
    view = transport.mapView(mapping, kBlockSize);
    if (!view) {
        result = FsuipcResult::ViewFailed;
        return false;
    }
    used = 0;
    requests.clear();
    // Room for a full block once, so that queueing a frame never allocates.
    requests.reserve(kMaxRequests);
    return true;
}

bool FsuipcLink::handshake(FsuipcResult& result)
{
    for (int pass = 0; pass < kHandshakePasses && (serverVersionValue == 0 || simulatorVersionValue == 0); ++pass) {
        if (!read(kServerVersionOffset, 4, &serverVersionValue, result)
            || !read(kSimulatorVersionOffset, 4, &simulatorVersionValue, result))
            return false;
        if (pass == 0 && !write(kClientVersionOffset, 2, &kClientVersion, result))
            return false;
        if (!process(result))
            return false;
        transport.sleep(timing.handshakeSleep);
    }
    return true;
}

bool FsuipcLink::acceptVersions(std::uint16_t requestedSimulator, FsuipcResult& result)
{
    if (serverVersionValue < kMinimumServerVersion
        || (simulatorVersionValue & 0xFFFF0000u) != kSimulatorVersionTag) {
        result = usedFallbackClass ? FsuipcResult::WideClientWithoutSimulator : FsuipcResult::WrongServerVersion;
        return false;
    }
    simulatorVersionValue &= 0xFFFFu;
    if (requestedSimulator != 0 && requestedSimulator != simulatorVersionValue) {
        result = FsuipcResult::WrongSimulator;
        return false;
    }
    return true;
}

bool FsuipcLink::read(std::uint32_t offset, std::uint32_t size, void* destination, FsuipcResult& result)
{
    return queue(kReadMarker, offset, size, nullptr, destination, result);
}

bool FsuipcLink::write(std::uint32_t offset, std::uint32_t size, void const* source, FsuipcResult& result)
{
    return queue(kWriteMarker, offset, size, source, nullptr, result);
}

bool FsuipcLink::queue(std::uint32_t marker, std::uint32_t offset, std::uint32_t size, void const* source,
    void* destination, FsuipcResult& result)
{
    if (!view) {
        result = FsuipcResult::NotOpen;
        return false;
    }
    std::uint64_t const header = marker == kReadMarker ? kReadHeaderSize : kWriteHeaderSize;
    // Room for the end-of-batch zero is kept below the limit.
    if (used + header + size + 4 > kRequestLimit) {
        result = FsuipcResult::QueueFull;
        return false;
    }
    std::byte* record = view + used;
    storeU32(record, marker);
    storeU32(record + 4, offset);
    storeU32(record + 8, size);
    if (marker == kReadMarker) {
        storeU32(record + 12, static_cast<std::uint32_t>(requests.size()));
        std::memset(record + header, 0, size);
    } else if (size) {
        std::memcpy(record + header, source, size);
    }
    requests.push_back({ static_cast<std::uint32_t>(used), marker, offset, size, destination });
    used += header + size;
    result = FsuipcResult::Okay;
    return true;
}

bool FsuipcLink::process(FsuipcResult& result)
{
    if (!view) {
        result = FsuipcResult::NotOpen;
        return false;
    }
    if (requests.empty()) {
        result = FsuipcResult::NothingQueued;
        return false;
    }
    storeU32(view + used, kEndMarker);
    bool const ok = exchange(result);
    used = 0;
    requests.clear();
    return ok;
}

bool FsuipcLink::exchange(FsuipcResult& result)
{
    if (!sendBatch(result))
        return false;
    if (!blockMatchesQueue()) {
        result = FsuipcResult::BadData;
        return false;
    }
    deliverReads();
    result = FsuipcResult::Okay;
    return true;
}

bool FsuipcLink::sendBatch(FsuipcResult& result)
{
    IpcTransport::SendOutcome outcome;
    for (int attempt = 1; attempt <= timing.maxSends; ++attempt) {
        outcome = transport.send(server, messageId, atom, timing.sendTimeout);
        if (outcome.delivered)
            break;
        transport.sleep(timing.retrySleep);
    }
    if (!outcome.delivered) {
        result = outcome.lastError ? FsuipcResult::SendFailed : FsuipcResult::TimedOut;
        return false;
    }
    if (outcome.reply != kProcessedReply) {
        result = FsuipcResult::BadData;
        return false;
    }
    return true;
}

// The server may only fill data areas: every record header must read back as
// queued, or the block cannot be trusted at all.
bool FsuipcLink::blockMatchesQueue() const
{
    for (std::size_t index = 0; index < requests.size(); ++index) {
        QueuedRequest const& request = requests[index];
        std::byte const* record = view + request.position;
        if (loadU32(record) != request.marker || loadU32(record + 4) != request.offset
            || loadU32(record + 8) != request.size)
            return false;
        if (request.marker == kReadMarker && loadU32(record + 12) != index)
            return false;
    }
    return true;
}

void FsuipcLink::deliverReads() const
{
    for (QueuedRequest const& request : requests) {
        if (request.marker == kReadMarker && request.destination && request.size)
            std::memcpy(request.destination, view + request.position + kReadHeaderSize, request.size);
    }
}

void FsuipcLink::close()
{
    if (server) {
        transport.releaseServer(server);
        server = 0;
    }
    messageId = 0;
    if (atom) {
        transport.deleteAtom(atom);
        atom = 0;
    }
    if (view) {
        transport.unmapView(view, kBlockSize);
        view = nullptr;
    }
    if (mapping) {
        transport.closeMapping(mapping);
        mapping = 0;
    }
    used = 0;
    requests.clear();
}
