#include "udp_socket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

sockaddr_in socketAddress(UdpEndpoint endpoint)
{
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(endpoint.address);
    address.sin_port = htons(endpoint.port);
    return address;
}

UdpEndpoint endpointOf(sockaddr_in const& address)
{
    return { ntohl(address.sin_addr.s_addr), ntohs(address.sin_port) };
}

} // namespace

std::string UdpEndpoint::addressText() const
{
    return std::to_string(address >> 24) + "." + std::to_string(address >> 16 & 0xFF) + "."
        + std::to_string(address >> 8 & 0xFF) + "." + std::to_string(address & 0xFF);
}

std::string UdpEndpoint::text() const
{
    return addressText() + ":" + std::to_string(port);
}

bool resolveHost(std::string const& host, std::uint16_t port, UdpEndpoint& endpoint, std::string& error)
{
    addrinfo hints {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    if (int const failed = getaddrinfo(host.c_str(), nullptr, &hints, &found); failed != 0 || !found) {
        error = "Cannot find the IPv4 address of " + host + ": " + gai_strerror(failed) + ".";
        return false;
    }
    endpoint = endpointOf(*reinterpret_cast<sockaddr_in const*>(found->ai_addr));
    endpoint.port = port;
    freeaddrinfo(found);
    return true;
}

UdpSocket::~UdpSocket()
{
    if (socket >= 0)
        close(socket);
}

bool UdpSocket::open(UdpEndpoint local, bool shareAddress, std::string& error)
{
    socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    int const yes = 1;
    sockaddr_in const address = socketAddress(local);
    if (socket < 0 || (shareAddress && setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes) != 0)
        || bind(socket, reinterpret_cast<sockaddr const*>(&address), sizeof address) != 0) {
        error = "Cannot listen for UDP at " + local.text() + ": " + std::strerror(errno) + ".";
        return false;
    }
    return true;
}

bool UdpSocket::joinMulticast(std::uint32_t group, std::string& error)
{
    ip_mreq request {};
    request.imr_multiaddr.s_addr = htonl(group);
    request.imr_interface.s_addr = htonl(INADDR_ANY);
    if (setsockopt(socket, IPPROTO_IP, IP_ADD_MEMBERSHIP, &request, sizeof request) != 0) {
        error = "Cannot join the multicast group " + UdpEndpoint { group, 0 }.addressText() + ": "
            + std::strerror(errno) + ".";
        return false;
    }
    return true;
}

bool UdpSocket::sendTo(UdpEndpoint destination, std::span<std::byte const> bytes)
{
    sockaddr_in const address = socketAddress(destination);
    return sendto(socket, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr const*>(&address), sizeof address)
        == static_cast<ssize_t>(bytes.size());
}

std::optional<ReceivedDatagram> UdpSocket::receive(std::span<std::byte> buffer)
{
    sockaddr_in sender {};
    socklen_t length = sizeof sender;
    // With MSG_TRUNC the whole datagram's size comes back even when only part
    // of it fits, so that an oversized one can be told apart.
    ssize_t const size
        = recvfrom(socket, buffer.data(), buffer.size(), MSG_TRUNC, reinterpret_cast<sockaddr*>(&sender), &length);
    if (size < 0)
        return std::nullopt;
    return ReceivedDatagram { static_cast<std::size_t>(size), endpointOf(sender) };
}

UdpEndpoint UdpSocket::local() const
{
    sockaddr_in address {};
    socklen_t length = sizeof address;
    getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length);
    return endpointOf(address);
}
