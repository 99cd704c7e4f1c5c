#include "platform/linux/posix_ipc_transport.h"

#include "platform/linux/ipc_directory.h"
#include "platform/linux/ipc_socket_protocol.h"
#include "platform/linux/unix_socket.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kFirstAtom = 0xC000; // where Windows starts string atoms
constexpr std::uint32_t kFirstMessage = 0xC000;

enum class Wait { Ready, TimedOut, Failed };

// Waits for events on socket until deadline.
Wait waitFor(int socket, short events, Clock::time_point deadline)
{
    for (;;) {
        auto const left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return Wait::TimedOut;
        pollfd entry { socket, events, 0 };
        int const ready = poll(&entry, 1, static_cast<int>(left));
        if (ready > 0)
            return Wait::Ready;
        if (ready < 0 && errno != EINTR)
            return Wait::Failed;
    }
}

// Moves length bytes over socket before deadline, in either direction.
Wait transfer(int socket, std::byte* bytes, std::size_t length, bool outgoing, Clock::time_point deadline,
    int& error)
{
    std::size_t done = 0;
    while (done < length) {
        Wait const wait = waitFor(socket, outgoing ? POLLOUT : POLLIN, deadline);
        if (wait != Wait::Ready) {
            error = wait == Wait::Failed ? errno : 0;
            return wait;
        }
        ssize_t const moved = outgoing ? ::send(socket, bytes + done, length - done, MSG_NOSIGNAL)
                                       : ::recv(socket, bytes + done, length - done, 0);
        if (moved > 0) {
            done += static_cast<std::size_t>(moved);
        } else if (moved == 0) {
            error = ECONNRESET; // the server closed the connection
            return Wait::Failed;
        } else if (errno != EAGAIN && errno != EINTR) {
            error = errno;
            return Wait::Failed;
        }
    }
    return Wait::Ready;
}

} // namespace

PosixIpcTransport::PosixIpcTransport(std::string directory, std::ostream& problems)
    : directory(std::move(directory))
    , problems(problems)
{
}

PosixIpcTransport::~PosixIpcTransport()
{
    for (auto& [handle, server] : servers)
        dropConnection(server);
    for (auto& [handle, mapping] : mappings) {
        ::close(mapping.descriptor);
        shm_unlink(mapping.objectName.c_str());
    }
}

IpcTransport::ServerHandle PosixIpcTransport::findServer(char const* windowClass)
{
    std::string problem;
    if (!checkIpcDirectory(directory, false, problem)) {
        // A directory not made yet only means no server has started.
        struct stat info {};
        if (!problemTold && lstat(directory.c_str(), &info) == 0) {
            problems << problem << '\n';
            problemTold = true;
        }
        return 0;
    }
    Server server { directory + "/" + windowClass };
    int error = 0;
    if (!connectServer(server, error)) {
        absentServers[windowClass].clear();
        return 0;
    }
    // Read after connecting: a file left by a server that has since died is
    // not believed, since its socket no longer answers. A file without a
    // line says nothing.
    std::optional<std::string> waiting = readWaitingLine(waitingFilePath(directory, windowClass));
    if (waiting && !waiting->empty()) {
        dropConnection(server);
        absentServers[windowClass] = std::move(*waiting);
        return 0;
    }
    absentServers.clear();
    ServerHandle const handle = nextServer++;
    servers.emplace(handle, std::move(server));
    return handle;
}

std::string PosixIpcTransport::noServerHelp() const
{
    for (auto const& [windowClass, waiting] : absentServers) {
        if (!waiting.empty())
            return waiting;
    }
    return "No tarnex-sim answers at " + directory + ": start tarnex-sim";
}

bool PosixIpcTransport::connectServer(Server& server, int& error) const
{
    server.socket = connectUnixSocket(server.socketPath, true, error);
    return server.socket >= 0;
}

void PosixIpcTransport::dropConnection(Server& server)
{
    if (server.socket >= 0)
        ::close(server.socket);
    server.socket = -1;
}

void PosixIpcTransport::releaseServer(ServerHandle handle)
{
    if (auto found = servers.find(handle); found != servers.end()) {
        dropConnection(found->second);
        servers.erase(found);
    }
}

std::uint32_t PosixIpcTransport::registerMessage(char const* name)
{
    if (!*name)
        return 0;
    auto const [entry, added] = messages.try_emplace(name, kFirstMessage + static_cast<std::uint32_t>(messages.size()));
    return entry->second;
}

std::uint16_t PosixIpcTransport::addAtom(char const* name)
{
    std::size_t const length = std::strlen(name);
    if (length == 0 || length > kMaxMappingNameLength)
        return 0;
    for (auto& [atom, entry] : atoms) {
        if (entry.name == name) {
            ++entry.references;
            return atom;
        }
    }
    for (std::uint32_t atom = kFirstAtom; atom <= 0xFFFF; ++atom) {
        if (!atoms.contains(static_cast<std::uint16_t>(atom))) {
            atoms.emplace(static_cast<std::uint16_t>(atom), Atom { name, 1 });
            return static_cast<std::uint16_t>(atom);
        }
    }
    return 0;
}

void PosixIpcTransport::deleteAtom(std::uint16_t atom)
{
    if (auto found = atoms.find(atom); found != atoms.end() && --found->second.references == 0)
        atoms.erase(found);
}

IpcTransport::MappingHandle PosixIpcTransport::createMapping(char const* name, std::size_t size)
{
    // Shared memory names hold no '/' beyond the leading one.
    if (!*name || std::strchr(name, '/'))
        return 0;
    std::string objectName = std::string("/") + name;
    int const descriptor = shm_open(objectName.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (descriptor < 0)
        return 0;
    if (ftruncate(descriptor, static_cast<off_t>(size)) != 0) {
        ::close(descriptor);
        shm_unlink(objectName.c_str());
        return 0;
    }
    MappingHandle const handle = nextMapping++;
    mappings.emplace(handle, Mapping { std::move(objectName), descriptor });
    return handle;
}

std::byte* PosixIpcTransport::mapView(MappingHandle handle, std::size_t size)
{
    auto const found = mappings.find(handle);
    if (found == mappings.end())
        return nullptr;
    void* view = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, found->second.descriptor, 0);
    return view == MAP_FAILED ? nullptr : static_cast<std::byte*>(view);
}

void PosixIpcTransport::unmapView(std::byte* view, std::size_t size)
{
    munmap(view, size);
}

void PosixIpcTransport::closeMapping(MappingHandle handle)
{
    if (auto found = mappings.find(handle); found != mappings.end()) {
        ::close(found->second.descriptor);
        shm_unlink(found->second.objectName.c_str());
        mappings.erase(found);
    }
}

IpcTransport::SendOutcome PosixIpcTransport::send(ServerHandle handle, std::uint32_t message, std::uint16_t atom,
    std::chrono::milliseconds timeout)
{
    auto const server = servers.find(handle);
    auto const name = atoms.find(atom);
    bool const registered = message >= kFirstMessage && message < kFirstMessage + messages.size();
    if (server == servers.end() || name == atoms.end() || !registered)
        return { false, 0, EINVAL };

    int error = 0;
    if (server->second.socket < 0 && !connectServer(server->second, error))
        return { false, 0, static_cast<std::uint32_t>(error) };

    std::string const& mappingName = name->second.name;
    std::byte request[8 + kMaxMappingNameLength];
    auto const length = static_cast<std::uint32_t>(mappingName.size());
    std::memcpy(request, &kIpcSocketMagic, 4);
    std::memcpy(request + 4, &length, 4);
    std::memcpy(request + 8, mappingName.data(), length);

    auto const deadline = Clock::now() + timeout;
    int const socket = server->second.socket;
    std::uint32_t reply = 0;
    Wait wait = transfer(socket, request, 8 + length, true, deadline, error);
    if (wait == Wait::Ready)
        wait = transfer(socket, reinterpret_cast<std::byte*>(&reply), sizeof reply, false, deadline, error);
    if (wait != Wait::Ready) {
        dropConnection(server->second);
        return { false, 0, static_cast<std::uint32_t>(error) };
    }
    return { true, reply, 0 };
}

void PosixIpcTransport::sleep(std::chrono::milliseconds duration)
{
    std::this_thread::sleep_for(duration);
}

std::uint32_t PosixIpcTransport::processId()
{
    return static_cast<std::uint32_t>(getpid());
}
