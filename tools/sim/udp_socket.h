#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

// An IPv4 address and port, both in host byte order.
struct UdpEndpoint {
    std::uint32_t address = 0;
    std::uint16_t port = 0;

    bool operator==(UdpEndpoint const&) const = default;
    bool isLoopback() const { return address >> 24 == 127; }
    std::string addressText() const; // "192.168.1.5"
    std::string text() const; // "192.168.1.5:49000"
};

inline constexpr std::uint32_t kLoopbackAddress = 0x7F000001; // 127.0.0.1

// The IPv4 address of host, a name or dotted numbers, with port; false with
// error set to one sentence when it cannot be found.
bool resolveHost(std::string const& host, std::uint16_t port, UdpEndpoint& endpoint, std::string& error);

struct ReceivedDatagram {
    std::size_t size; // the whole datagram's, which may exceed what was copied
    UdpEndpoint sender;
};

// A non-blocking IPv4 UDP socket, closed with the object.
class UdpSocket {
public:
    UdpSocket() = default;
    ~UdpSocket();
    UdpSocket(UdpSocket const&) = delete;
    UdpSocket& operator=(UdpSocket const&) = delete;

    // Binds to local: address 0 listens on every address, port 0 takes any
    // free port. shareAddress lets other programs bind the same port (for
    // multicast listeners on the simulator's machine).
    bool open(UdpEndpoint local, bool shareAddress, std::string& error);
    bool joinMulticast(std::uint32_t group, std::string& error);

    bool sendTo(UdpEndpoint destination, std::span<std::byte const> bytes);
    // The next waiting datagram, as much of it as buffer holds; none when
    // nothing waits.
    std::optional<ReceivedDatagram> receive(std::span<std::byte> buffer);

    int descriptor() const { return socket; }
    UdpEndpoint local() const;

private:
    int socket = -1;
};
