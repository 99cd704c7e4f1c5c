// The Linux front end: a Unix socket named after the server class in the IPC
// directory; each exchange names a shared memory object holding the block.
// While the server has nothing true to serve it keeps the socket, closes each
// connection at once and says why in the class's waiting file.

#include "sim_front_end.h"

#include "platform/linux/ipc_directory.h"
#include "platform/linux/ipc_socket_protocol.h"
#include "platform/linux/unix_socket.h"
#include "sim/fsuipc_link.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <list>
#include <poll.h>
#include <string>
#include <sys/mman.h>
#include <sys/signalfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t kBlockSize = FsuipcLink::kBlockSize;
constexpr std::size_t kMaxClients = 32;
constexpr std::size_t kHeaderSize = 8;

int fail(std::string const& sentence)
{
    std::cerr << sentence << "\n";
    return 1;
}

// One connected client and the block it last named, kept mapped between
// exchanges so that a steady client costs no system calls beyond the socket.
struct Client {
    int socket = -1;
    std::byte input[kHeaderSize + kMaxMappingNameLength] {};
    std::size_t received = 0;
    std::string mappedName;
    std::byte* view = nullptr;

    ~Client()
    {
        if (view)
            munmap(view, kBlockSize);
        if (socket >= 0)
            close(socket);
    }
};

bool validMappingName(std::string const& name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) { return c > ' ' && c != '/' && c < 127; });
}

// Maps the block the client named, which must be a shared memory object of
// this user holding at least a whole block.
std::byte* mapBlock(std::string const& name)
{
    int const descriptor = shm_open(("/" + name).c_str(), O_RDWR | O_CLOEXEC, 0);
    if (descriptor < 0)
        return nullptr;
    struct stat info {};
    void* view = MAP_FAILED;
    if (fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == geteuid()
        && info.st_size >= static_cast<off_t>(kBlockSize))
        view = mmap(nullptr, kBlockSize, PROT_READ | PROT_WRITE, MAP_SHARED, descriptor, 0);
    close(descriptor);
    return view == MAP_FAILED ? nullptr : static_cast<std::byte*>(view);
}

std::byte* blockFor(Client& client, std::string const& name)
{
    if (client.view && client.mappedName == name)
        return client.view;
    if (client.view)
        munmap(client.view, kBlockSize);
    client.view = validMappingName(name) ? mapBlock(name) : nullptr;
    client.mappedName = client.view ? name : std::string();
    return client.view;
}

class SocketServer {
public:
    SocketServer(SimServer& server, std::string socketPath, std::string waitingPath)
        : server(server)
        , socketPath(std::move(socketPath))
        , waitingPath(std::move(waitingPath))
    {
    }
    ~SocketServer();

    bool listen(std::string& error);
    bool catchStopSignals(std::string& error);
    void run(std::optional<double> durationSeconds);

private:
    void accept();
    // False when the client is to be dropped.
    bool receive(Client& client);
    bool answer(Client& client, std::string const& name);
    // Follows the server into and out of waiting.
    void followServer();
    void writeWaitingFile(std::string const& line);

    SimServer& server;
    std::string socketPath;
    std::string waitingPath;
    std::string waitingShown; // the line in the waiting file; empty when there is none
    int listener = -1;
    int signals = -1;
    std::list<Client> clients;
};

SocketServer::~SocketServer()
{
    if (listener >= 0) {
        close(listener);
        unlink(socketPath.c_str());
        unlink(waitingPath.c_str());
    }
    if (signals >= 0)
        close(signals);
}

bool SocketServer::listen(std::string& error)
{
    sockaddr_un address;
    if (!unixSocketAddress(socketPath, address)) {
        error = "The socket path " + socketPath + " is too long; choose a shorter FSUIPC_IPC_DIR.";
        return false;
    }
    // A socket left by a server that died is taken over; a live one is not.
    struct stat info {};
    if (lstat(socketPath.c_str(), &info) == 0) {
        int connectError = 0;
        int const probe = connectUnixSocket(socketPath, false, connectError);
        if (probe >= 0) {
            close(probe);
            error = "Another server already answers at " + socketPath + "; stop it first.";
            return false;
        }
        if (!S_ISSOCK(info.st_mode)) {
            error = socketPath + " exists and is not a socket; remove it first.";
            return false;
        }
        unlink(socketPath.c_str());
    }
    listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listener < 0 || bind(listener, reinterpret_cast<sockaddr const*>(&address), sizeof address) != 0
        || ::listen(listener, 16) != 0) {
        error = "Cannot listen at " + socketPath + ": " + std::strerror(errno) + ".";
        if (listener >= 0)
            close(listener);
        listener = -1;
        return false;
    }
    // The socket is ours now: a waiting file left beside it is not.
    unlink(waitingPath.c_str());
    return true;
}

bool SocketServer::catchStopSignals(std::string& error)
{
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
    signals = signalfd(-1, &stopSignals, SFD_CLOEXEC | SFD_NONBLOCK);
    if (signals < 0)
        error = std::string("Cannot watch for stop signals: ") + std::strerror(errno) + ".";
    return signals >= 0;
}

void SocketServer::run(std::optional<double> durationSeconds)
{
    using Clock = std::chrono::steady_clock;
    std::optional<Clock::time_point> deadline;
    if (durationSeconds)
        deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(*durationSeconds));
    std::optional<std::chrono::milliseconds> const tickPeriod = server.tickPeriod();
    std::vector<pollfd> watched;
    followServer();
    for (;;) {
        long long timeout = tickPeriod ? tickPeriod->count() : -1;
        if (deadline) {
            auto const left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now()).count();
            if (left <= 0)
                return;
            timeout = std::min<long long>(timeout < 0 ? 60'000 : timeout, left);
        }
        watched.assign({ { signals, POLLIN, 0 }, { listener, POLLIN, 0 } });
        for (Client const& client : clients)
            watched.push_back({ client.socket, POLLIN, 0 });
        if (poll(watched.data(), watched.size(), static_cast<int>(timeout)) < 0 && errno != EINTR)
            return;
        if (watched[0].revents)
            return;
        if (tickPeriod) {
            server.tick(Clock::now());
            followServer();
        }
        if (watched[1].revents)
            accept();
        auto entry = watched.begin() + 2;
        for (auto client = clients.begin(); client != clients.end() && entry != watched.end(); ++entry) {
            if (client->socket == entry->fd && entry->revents && !receive(*client))
                client = clients.erase(client);
            else
                ++client;
        }
        followServer();
    }
}

void SocketServer::followServer()
{
    std::string const& waiting = server.waiting();
    if (waiting == waitingShown)
        return;
    if (waiting.empty()) {
        unlink(waitingPath.c_str());
    } else {
        // Clients holding the last values are cut off, so they show the
        // not-connected page instead of values that no longer move.
        clients.clear();
        writeWaitingFile(waiting);
    }
    waitingShown = waiting;
}

// Written aside and renamed, so a client never reads half a line.
void SocketServer::writeWaitingFile(std::string const& line)
{
    std::string const text = line.substr(0, kMaxWaitingLineLength) + "\n";
    std::string const aside = waitingPath + ".new";
    int const descriptor = open(aside.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    bool written = descriptor >= 0 && write(descriptor, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    if (descriptor >= 0)
        written = close(descriptor) == 0 && written;
    if (!written || rename(aside.c_str(), waitingPath.c_str()) != 0) {
        unlink(aside.c_str());
        std::cerr << "Cannot write " << waitingPath << "; the display shows only that it cannot link.\n";
    }
}

void SocketServer::accept()
{
    int const socket = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (socket < 0)
        return;
    // The directory admits only this user; the peer check keeps it so if the
    // directory's mode is ever loosened.
    ucred peer {};
    socklen_t length = sizeof peer;
    bool const sameUser = getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 && peer.uid == geteuid();
    // While waiting a client is turned away at once: it reads why in the
    // waiting file, and an older client sees its exchange fail.
    if (!sameUser || clients.size() >= kMaxClients || !server.waiting().empty()) {
        close(socket);
        return;
    }
    clients.emplace_back().socket = socket;
}

bool SocketServer::receive(Client& client)
{
    for (;;) {
        std::size_t wanted = kHeaderSize;
        std::uint32_t nameLength = 0;
        if (client.received >= kHeaderSize) {
            std::uint32_t magic = 0;
            std::memcpy(&magic, client.input, 4);
            std::memcpy(&nameLength, client.input + 4, 4);
            if (magic != kIpcSocketMagic || nameLength == 0 || nameLength > kMaxMappingNameLength)
                return false;
            wanted += nameLength;
        }
        if (client.received == wanted) {
            client.received = 0;
            std::string const name(reinterpret_cast<char const*>(client.input + kHeaderSize), nameLength);
            if (!answer(client, name))
                return false;
            continue;
        }
        ssize_t const got = recv(client.socket, client.input + client.received, wanted - client.received, 0);
        if (got > 0)
            client.received += static_cast<std::size_t>(got);
        else
            return got < 0 && (errno == EAGAIN || errno == EINTR);
    }
}

bool SocketServer::answer(Client& client, std::string const& name)
{
    std::byte* const block = blockFor(client, name);
    std::optional<std::uint32_t> const reply
        = block ? server.answer(std::span(block, kBlockSize)) : std::optional(SimServer::kNotProcessed);
    if (!reply)
        return true; // told to stay silent: the client gives up on its own
    return send(client.socket, &*reply, sizeof *reply, MSG_NOSIGNAL) == static_cast<ssize_t>(sizeof *reply);
}

} // namespace

int serveRequests(SimOptions const& options, SimServer& server)
{
    std::string const directory = ipcDirectory();
    std::string error;
    if (!checkIpcDirectory(directory, true, error))
        return fail(error);
    SocketServer sockets(server, directory + "/" + options.windowClass, waitingFilePath(directory, options.windowClass));
    if (!sockets.catchStopSignals(error) || !sockets.listen(error))
        return fail(error);
    sockets.run(options.durationSeconds);
    return 0;
}
