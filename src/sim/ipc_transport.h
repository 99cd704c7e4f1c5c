#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

// The operating-system calls the simulator link is made of. On Windows they
// are the window-message calls themselves (FindWindowExA, RegisterWindowMessageA,
// GlobalAddAtomA, CreateFileMappingA, MapViewOfFile, SendMessageTimeoutA,
// Sleep); on Linux a stand-in with the same semantics (a Unix socket per
// server class, POSIX shared memory). FsuipcLink is written once over this.
//
// Handles are opaque non-zero numbers; 0 means "none". Every release call
// accepts only a handle this transport returned and not yet released.
class IpcTransport {
public:
    using ServerHandle = std::uintptr_t;
    using MappingHandle = std::uintptr_t;

    struct SendOutcome {
        bool delivered = false; // the server took the message and answered in time
        std::uint32_t reply = 0; // the server's answer, when delivered
        // When not delivered: 0 means the send timed out; anything else is the
        // system's error code for a send that could not be made.
        std::uint32_t lastError = 0;
    };

    virtual ~IpcTransport() = default;

    // The server announcing windowClass ("UIPCMAIN" or "FS98MAIN"), or 0.
    virtual ServerHandle findServer(char const* windowClass) = 0;
    // After findServer found none: one line for the page saying where the
    // server was looked for and what to start, or why the server there does
    // not serve. Empty where the system needs no such help.
    virtual std::string noServerHelp() const = 0;
    // Gives up whatever findServer holds for the server (nothing on Windows).
    virtual void releaseServer(ServerHandle server) = 0;

    // The message id registered for name; 0 on failure.
    virtual std::uint32_t registerMessage(char const* name) = 0;

    // A global atom carrying name; 0 on failure.
    virtual std::uint16_t addAtom(char const* name) = 0;
    virtual void deleteAtom(std::uint16_t atom) = 0;

    // A new shared mapping of size bytes under name; 0 when it cannot be made
    // or when a mapping of that name already exists (creating never opens).
    virtual MappingHandle createMapping(char const* name, std::size_t size) = 0;
    // A writable view of the whole mapping; null on failure.
    virtual std::byte* mapView(MappingHandle mapping, std::size_t size) = 0;
    virtual void unmapView(std::byte* view, std::size_t size) = 0;
    virtual void closeMapping(MappingHandle mapping) = 0;

    // Sends message with the atom as its parameter and waits up to timeout for
    // the server's answer, blocking the caller.
    virtual SendOutcome send(ServerHandle server, std::uint32_t message, std::uint16_t atom,
        std::chrono::milliseconds timeout)
        = 0;

    virtual void sleep(std::chrono::milliseconds duration) = 0;
    virtual std::uint32_t processId() = 0;
};
