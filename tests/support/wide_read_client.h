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
// one message, through a platform's real transport.
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

    // A 64-bit read when wide, else an ordinary one keyed by its index.
    void read(std::uint32_t offset, std::uint32_t size, void* destination, bool wide)
    {
        std::uint64_t const key = wide ? reinterpret_cast<std::uintptr_t>(destination) : reads.size();
        reads.push_back({ used, size, destination, key, wide });
        put(std::uint32_t { wide ? 4u : 1u });
        put(offset);
        put(size);
        if (wide)
            put(key);
        else
            put(static_cast<std::uint32_t>(key));
        std::memset(view + used, 0, size);
        used += size;
    }

    void write(std::uint32_t offset, std::uint32_t value)
    {
        put(std::uint32_t { 2 });
        put(offset);
        put(std::uint32_t { 4 });
        put(value);
    }

    // Sends the block; true when the server answered "processed" and left
    // every read's size and key as written. The data then goes to the buffers.
    bool process()
    {
        put(std::uint32_t { 0 });
        IpcTransport::SendOutcome const outcome = transport.send(server, message, atom, std::chrono::seconds(2));
        if (!outcome.delivered || outcome.reply != 1)
            return false;
        for (Read const& queued : reads) {
            std::uint32_t size;
            std::uint64_t key = 0;
            std::memcpy(&size, view + queued.position + 8, 4);
            std::memcpy(&key, view + queued.position + 12, queued.wide ? 8 : 4);
            if (size != queued.size || key != queued.key)
                return false;
            std::memcpy(queued.destination, view + queued.position + (queued.wide ? 20 : 16), size);
        }
        return true;
    }

private:
    static constexpr std::size_t kBlockSize = 0x8000;

    struct Read {
        std::size_t position;
        std::uint32_t size;
        void* destination;
        std::uint64_t key;
        bool wide;
    };

    template <typename T>
    void put(T value)
    {
        std::memcpy(view + used, &value, sizeof value);
        used += sizeof value;
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
