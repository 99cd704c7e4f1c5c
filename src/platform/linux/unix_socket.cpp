#include "platform/linux/unix_socket.h"

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

bool unixSocketAddress(std::string const& path, sockaddr_un& address)
{
    address = {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

int connectUnixSocket(std::string const& path, bool nonBlocking, int& error)
{
    sockaddr_un address;
    if (!unixSocketAddress(path, address)) {
        error = ENAMETOOLONG;
        return -1;
    }
    int const socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | (nonBlocking ? SOCK_NONBLOCK : 0), 0);
    if (socket < 0) {
        error = errno;
        return -1;
    }
    // A Unix socket connects at once or not at all (EAGAIN: the server's queue is full).
    if (::connect(socket, reinterpret_cast<sockaddr const*>(&address), sizeof address) != 0) {
        error = errno;
        ::close(socket);
        return -1;
    }
    return socket;
}
