#pragma once

#include "sim/ipc_transport.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

// A minimal FSUIPC client as a 64-bit program built on the public SDK is:
// it queues read records of id 4 (id, offset, size, then the caller's 8-byte
// buffer address, packed: a 20-byte header before the data) next to ordinary
// reads (id 1, 4-byte destination) and writes (id 2), and sends the block in
// one message. It speaks through a platform's real transport, so the server
// on the other end is a real tarnex-sim.
class WideReadClient {
public:
    explicit WideReadClient(IpcTransport& transport)
        : transport(transport)
    {
    }
    ~WideReadClient()
    {
        if (view)
            transport.unmapView(view, kBlockSize);
        if (mapping)
            transport.closeMapping(mapping);
        if (atom)
            transport.deleteAtom(atom);
        if (server)
            transport.releaseServer(server);
    }
    WideReadClient(WideReadClient const&) = delete;
    WideReadClient& operator=(WideReadClient const&) = delete;

    bool open()
    {
        server = transport.findServer("UIPCMAIN");
        message = transport.registerMessage("FsasmLib:IPC");
        char name[40];
        // A suffix the display's own link never uses, so both may share a process.
        std::snprintf(name, sizeof name, "FsasmLib:IPC:%X:W", transport.processId());
        atom = server && message ? transport.addAtom(name) : 0;
        mapping = atom ? transport.createMapping(name, kBlockSize) : 0;
        view = mapping ? transport.mapView(mapping, kBlockSize) : nullptr;
        return view != nullptr;
    }

    void wideRead(std::uint32_t offset, std::uint32_t size, void* destination)
    {
        reads.push_back({ used, size, destination, true });
        put32(4);
        put32(offset);
        put32(size);
        std::uint64_t const address = reinterpret_cast<std::uintptr_t>(destination);
        std::memcpy(view + used, &address, 8);
        used += 8;
        std::memset(view + used, 0, size);
        used += size;
    }

    void read(std::uint32_t offset, std::uint32_t size, void* destination)
    {
        reads.push_back({ used, size, destination, false });
        put32(1);
        put32(offset);
        put32(size);
        put32(static_cast<std::uint32_t>(reads.size()));
        std::memset(view + used, 0, size);
        used += size;
    }

    void write(std::uint32_t offset, std::uint32_t size, void const* source)
    {
        put32(2);
        put32(offset);
        put32(size);
        std::memcpy(view + used, source, size);
        used += size;
    }

    // Sends the block; true when the server answered "processed". Each read's
    // data is then copied to its buffer, provided the server left the
    // record's header as it was written.
    bool process()
    {
        put32(0);
        IpcTransport::SendOutcome const outcome
            = transport.send(server, message, atom, std::chrono::milliseconds(2000));
        if (!outcome.delivered || outcome.reply != 1)
            return false;
        for (Read const& queued : reads) {
            std::uint32_t const size = load32(queued.position + 8);
            std::uint32_t const header = queued.wide ? 20 : 16;
            bool const addressKept
                = !queued.wide || load64(queued.position + 12) == reinterpret_cast<std::uintptr_t>(queued.destination);
            if (size != queued.size || !addressKept)
                return false;
            std::memcpy(queued.destination, view + queued.position + header, size);
        }
        return true;
    }

private:
    static constexpr std::size_t kBlockSize = 0x8000;

    struct Read {
        std::size_t position;
        std::uint32_t size;
        void* destination;
        bool wide;
    };

    void put32(std::uint32_t value)
    {
        std::memcpy(view + used, &value, 4);
        used += 4;
    }
    std::uint32_t load32(std::size_t at) const
    {
        std::uint32_t value;
        std::memcpy(&value, view + at, 4);
        return value;
    }
    std::uint64_t load64(std::size_t at) const
    {
        std::uint64_t value;
        std::memcpy(&value, view + at, 8);
        return value;
    }

    IpcTransport& transport;
    IpcTransport::ServerHandle server = 0;
    std::uint32_t message = 0;
    std::uint16_t atom = 0;
    IpcTransport::MappingHandle mapping = 0;
    std::byte* view = nullptr;
    std::size_t used = 0;
    std::vector<Read> reads;
};
