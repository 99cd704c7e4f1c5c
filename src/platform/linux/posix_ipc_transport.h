#pragma once

#include "sim/ipc_transport.h"

#include <iostream>
#include <map>
#include <string>

// The simulator link's transport on Linux. A server "window" is a Unix socket
// named after its class in the IPC directory; the shared block is a POSIX
// shared memory object; an atom is a process-local handle on the mapping
// name, which travels over the socket with every exchange.
//
// A server whose socket answers while its waiting file says why it does not
// serve (see ipc_socket_protocol.h) is not taken: findServer finds none, and
// noServerHelp gives the server's line.
//
// The connection to a server is kept between exchanges. A send that times out
// or fails drops it, so a late answer is never taken for the next one, and
// the next send connects afresh.
class PosixIpcTransport final : public IpcTransport {
public:
    // A directory that is there but refused (see ipc_directory.h) is told
    // on problems, once: the link itself reports only that it cannot connect.
    explicit PosixIpcTransport(std::string directory, std::ostream& problems = std::cerr);
    ~PosixIpcTransport() override;
    PosixIpcTransport(PosixIpcTransport const&) = delete;
    PosixIpcTransport& operator=(PosixIpcTransport const&) = delete;

    ServerHandle findServer(char const* windowClass) override;
    std::string noServerHelp() const override;
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

private:
    struct Server {
        std::string socketPath;
        int socket = -1; // -1 between a dropped connection and the next send
    };
    struct Atom {
        std::string name;
        int references = 0;
    };
    struct Mapping {
        std::string objectName;
        int descriptor = -1;
    };

    bool connectServer(Server& server, int& error) const;
    static void dropConnection(Server& server);

    std::string directory;
    std::ostream& problems;
    bool problemTold = false;
    // The waiting line of each class last looked for in vain; empty when
    // nothing answered there.
    std::map<std::string, std::string> absentServers;
    std::map<ServerHandle, Server> servers;
    ServerHandle nextServer = 1;
    std::map<std::string, std::uint32_t> messages;
    std::map<std::uint16_t, Atom> atoms;
    std::map<MappingHandle, Mapping> mappings;
    MappingHandle nextMapping = 1;
};
