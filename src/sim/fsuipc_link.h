#pragma once

#include "sim/fsuipc_result.h"
#include "sim/ipc_transport.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// How long the link waits. The program uses these defaults; tests shorten them.
struct FsuipcTiming {
    std::chrono::milliseconds sendTimeout { 2000 };
    int maxSends = 9;
    std::chrono::milliseconds retrySleep { 100 }; // after every failed send
    std::chrono::milliseconds handshakeSleep { 100 }; // after every handshake exchange
};

// The client side of the FSUIPC protocol: callers queue reads and writes into
// a 32 KiB shared block, and process() hands the whole batch to the server in
// one exchange, then copies every read result to the buffer named when it was
// queued.
//
// The server is never trusted: the block holds, in each read's destination
// field, only the request's index into the link's own table of queued
// requests; results are delivered from that table with the sizes the caller
// gave, and only when every queued record is found as it was written.
// Delivery is all or nothing: a failed process() leaves every destination as
// it was.
//
// Every operation reports a result code; operations that can fail also return
// true on success.
class FsuipcLink {
public:
    static constexpr std::size_t kBlockSize = 0x8000;
    // Requests and the end-of-batch zero stay below this; the top 256 bytes of
    // the block are never used.
    static constexpr std::size_t kRequestLimit = 0x7F00;
    static constexpr std::uint16_t kClientVersion = 1004;
    static constexpr std::uint32_t kMinimumServerVersion = 0x19980005;
    static constexpr std::uint32_t kSimulatorVersionTag = 0xFADE0000;

    explicit FsuipcLink(IpcTransport& transport, FsuipcTiming timing = {});
    ~FsuipcLink();
    FsuipcLink(FsuipcLink const&) = delete;
    FsuipcLink& operator=(FsuipcLink const&) = delete;

    // Finds the server, creates the shared block and checks the server's
    // versions. requestedSimulator 0 accepts any simulator.
    bool open(std::uint16_t requestedSimulator, FsuipcResult& result);
    // Queues a read of size bytes at offset; the next successful process()
    // copies them to destination, which must stay valid until then. A null
    // destination or a size of 0 is exchanged but receives nothing.
    bool read(std::uint32_t offset, std::uint32_t size, void* destination, FsuipcResult& result);
    // Queues a write of size bytes at offset, copied from source at once.
    bool write(std::uint32_t offset, std::uint32_t size, void const* source, FsuipcResult& result);
    // Exchanges the queued batch and delivers the reads. The queue is empty
    // afterwards, whatever the outcome.
    bool process(FsuipcResult& result);
    // Releases everything; safe at any time, repeatedly.
    void close();

    bool isOpen() const { return view != nullptr; }
    // The transport's help when open found no server.
    std::string noServerHelp() const { return transport.noServerHelp(); }
    std::uint32_t serverVersion() const { return serverVersionValue; }
    // After a good handshake only the simulator id (low 16 bits) remains.
    std::uint32_t simulatorVersion() const { return simulatorVersionValue; }

private:
    struct QueuedRequest {
        std::uint32_t position; // of the record in the block
        std::uint32_t marker;
        std::uint32_t offset;
        std::uint32_t size;
        void* destination; // reads only; may be null
    };

    bool findServer(FsuipcResult& result);
    bool createBlock(FsuipcResult& result);
    bool handshake(FsuipcResult& result);
    bool acceptVersions(std::uint16_t requestedSimulator, FsuipcResult& result);
    bool queue(std::uint32_t marker, std::uint32_t offset, std::uint32_t size, void const* source, void* destination,
        FsuipcResult& result);
    bool exchange(FsuipcResult& result);
    bool sendBatch(FsuipcResult& result);
    bool blockMatchesQueue() const;
    void deliverReads() const;

    IpcTransport& transport;
    FsuipcTiming timing;

    IpcTransport::ServerHandle server = 0;
    bool usedFallbackClass = false;
    std::uint32_t messageId = 0;
    std::uint16_t atom = 0;
    IpcTransport::MappingHandle mapping = 0;
    std::byte* view = nullptr;
    std::size_t used = 0; // bytes of requests queued from the start of the view
    std::vector<QueuedRequest> requests;

    std::uint32_t serverVersionValue = 0;
    std::uint32_t simulatorVersionValue = 0;
};
