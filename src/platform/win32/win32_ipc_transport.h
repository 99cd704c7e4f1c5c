#pragma once

#include "sim/ipc_transport.h"

// The simulator link's transport on Windows: the FSUIPC window-message calls
// themselves. Handles are the system's handles.
class Win32IpcTransport final : public IpcTransport {
public:
    ServerHandle findServer(char const* windowClass) override;
    // FSUIPC's own text says it all on Windows.
    std::string noServerHelp() const override { return {}; }
    void releaseServer(ServerHandle server) override;
    std::uint32_t registerMessage(char const* name) override;
    std::uint16_t addAtom(char const* name) override;
    void deleteAtom(std::uint16_t atom) override;
    MappingHandle createMapping(char const* name, std::size_t size) override;
    std::byte* mapView(MappingHandle mapping, std::size_t size) override;
    void unmapView(std::byte* view, std::size_t size) override;
    void closeMapping(MappingHandle mapping) override;
    SendOutcome send(ServerHandle server, std::uint32_t message, std::uint16_t atom,
        std::chrono::milliseconds timeout) override;
    void sleep(std::chrono::milliseconds duration) override;
    std::uint32_t processId() override;
};
