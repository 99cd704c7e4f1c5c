#pragma once

#include "sim/ipc_transport.h"

#include <chrono>
#include <cstdint>
#include <cstring>
#include <functional>
#include <span>
#include <string>
#include <vector>

// An in-process IpcTransport with a small FSUIPC server inside: reads are
// answered from a 64 KiB offset array, writes are stored there. Tests set its
// public fields to make any step fail and read what the client did.
class FakeIpcTransport final : public IpcTransport {
public:
    struct Request {
        std::uint32_t marker;
        std::uint32_t offset;
        std::uint32_t size;
        bool operator==(Request const&) const = default;
    };

    FakeIpcTransport();

    // The server side.
    bool uipcmainPresent = true;
    bool fs98mainPresent = false;
    bool registerFails = false;
    bool atomFails = false;
    bool mappingFails = false;
    bool viewFails = false;
    int failingSends = 0; // the next sends are not delivered...
    std::uint32_t sendError = 0; // ...and report this error (0 = timed out)
    std::uint32_t reply = 1;
    std::string help; // what the page is told when no server is found
    std::function<void(std::span<std::byte>)> tamper; // runs on each block after it is served
    std::vector<std::byte> offsets;

    template <typename T>
    void set(std::uint32_t offset, T value)
    {
        std::memcpy(offsets.data() + offset, &value, sizeof value);
    }
    template <typename T>
    T get(std::uint32_t offset) const
    {
        T value;
        std::memcpy(&value, offsets.data() + offset, sizeof value);
        return value;
    }

    // What the client did.
    std::vector<std::string> mappingNames;
    std::vector<std::vector<Request>> batches; // each delivered block's requests, in order
    bool endMarkerSeen = false; // the last block served ended with a zero marker
    int sends = 0;
    std::vector<std::chrono::milliseconds> sendTimeouts;
    std::vector<std::chrono::milliseconds> sleeps;
    std::uint16_t clientVersion = 0; // written at 0x330A
    int liveAtoms = 0;
    int liveMappings = 0;
    int liveViews = 0;

    static constexpr std::uint32_t kProcessId = 0x1A2B;

    ServerHandle findServer(char const* windowClass) override;
    void releaseServer(ServerHandle) override { }
    std::uint32_t registerMessage(char const* name) override;
    std::uint16_t addAtom(char const* name) override;
    void deleteAtom(std::uint16_t atom) override;
    MappingHandle createMapping(char const* name, std::size_t size) override;
    std::byte* mapView(MappingHandle mapping, std::size_t size) override;
    void unmapView(std::byte* view, std::size_t size) override;
    void closeMapping(MappingHandle mapping) override;
    SendOutcome send(ServerHandle server, std::uint32_t message, std::uint16_t atom,
        std::chrono::milliseconds timeout) override;
    void sleep(std::chrono::milliseconds duration) override { sleeps.push_back(duration); }
    std::uint32_t processId() override { return kProcessId; }
    std::string noServerHelp() const override { return help; }

private:
    void serve(std::span<std::byte> block);

    std::vector<std::byte> block;
};
