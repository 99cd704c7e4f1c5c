#include "fake_xplane.h"

#include <arpa/inet.h>
#include <bit>
#include <chrono>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr std::size_t kRequestSize = 413;
constexpr std::size_t kPairsPerReply = 16;
constexpr auto kAnswerPeriod = std::chrono::milliseconds(20);

int loopbackSocket(std::uint32_t address)
{
    int const made = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in local {};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(address);
    if (made >= 0 && bind(made, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
        close(made);
        return -1;
    }
    return made;
}

std::int32_t int32At(std::byte const* bytes)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= std::to_integer<std::uint32_t>(bytes[i]) << (8 * i);
    return static_cast<std::int32_t>(value);
}

} // namespace

void appendInt32(std::vector<std::byte>& bytes, std::int32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<std::byte>(static_cast<std::uint32_t>(value) >> (8 * i) & 0xFF));
}

void appendFloat(std::vector<std::byte>& bytes, float value)
{
    appendInt32(bytes, std::bit_cast<std::int32_t>(value));
}

std::vector<std::byte> bytesOf(std::string const& text)
{
    std::vector<std::byte> bytes;
    for (char const c : text)
        bytes.push_back(static_cast<std::byte>(c));
    return bytes;
}

FakeXPlane::FakeXPlane()
{
    socket = loopbackSocket(INADDR_LOOPBACK);
    sockaddr_in local {};
    socklen_t length = sizeof local;
    getsockname(socket, reinterpret_cast<sockaddr*>(&local), &length);
    localPort = ntohs(local.sin_port);
    server = std::thread([this] { serve(); });
}

FakeXPlane::~FakeXPlane()
{
    stopping = true;
    server.join();
    close(socket);
}

void FakeXPlane::set(std::string const& dataref, float value)
{
    std::lock_guard const lock(mutex);
    values[dataref] = value;
}

void FakeXPlane::withhold(std::string const& dataref)
{
    std::lock_guard const lock(mutex);
    withheld.insert(dataref);
}

void FakeXPlane::goSilent()
{
    std::lock_guard const lock(mutex);
    silent = true;
}

void FakeXPlane::restart()
{
    std::lock_guard const lock(mutex);
    subscriptions.clear();
    silent = false;
}

std::size_t FakeXPlane::subscriptionCount() const
{
    std::lock_guard const lock(mutex);
    return subscriptions.size();
}

std::size_t FakeXPlane::requestsTaken() const
{
    std::lock_guard const lock(mutex);
    return requests;
}

std::size_t FakeXPlane::requestsUnheard() const
{
    std::lock_guard const lock(mutex);
    return unheard;
}

std::optional<std::int32_t> FakeXPlane::indexOf(std::string const& dataref) const
{
    std::lock_guard const lock(mutex);
    for (auto const& [index, name] : subscriptions) {
        if (name == dataref)
            return index;
    }
    return std::nullopt;
}

std::vector<std::string> FakeXPlane::cancelled() const
{
    std::lock_guard const lock(mutex);
    return cancellations;
}

bool FakeXPlane::hasSubscriber() const
{
    std::lock_guard const lock(mutex);
    return subscriber.has_value();
}

void FakeXPlane::sendToSubscriber(std::vector<std::byte> const& datagram)
{
    sendTo(socket, datagram);
}

void FakeXPlane::sendFromAnotherHost(std::vector<std::byte> const& datagram)
{
    int const other = loopbackSocket(0x7F000002);
    sendTo(other, datagram);
    close(other);
}

void FakeXPlane::sendTo(int from, std::vector<std::byte> const& datagram)
{
    std::lock_guard const lock(mutex);
    if (!subscriber || from < 0)
        return;
    sockaddr_in destination {};
    destination.sin_family = AF_INET;
    destination.sin_addr.s_addr = htonl(subscriber->first);
    destination.sin_port = htons(subscriber->second);
    sendto(from, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&destination), sizeof destination);
}

void FakeXPlane::serve()
{
    auto nextAnswer = std::chrono::steady_clock::now();
    while (!stopping) {
        pollfd watched { socket, POLLIN, 0 };
        poll(&watched, 1, 5);
        if (watched.revents)
            takeRequests();
        if (std::chrono::steady_clock::now() >= nextAnswer) {
            answer();
            nextAnswer += kAnswerPeriod;
        }
    }
}

void FakeXPlane::takeRequests()
{
    std::byte request[kRequestSize + 1];
    sockaddr_in sender {};
    socklen_t length = sizeof sender;
    ssize_t const size
        = recvfrom(socket, request, sizeof request, MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&sender), &length);
    std::lock_guard const lock(mutex);
    if (size != static_cast<ssize_t>(kRequestSize) || std::memcmp(request, "RREF", 5) != 0)
        return;
    if (silent) {
        ++unheard;
        return;
    }
    std::int32_t const frequency = int32At(request + 5);
    std::int32_t const index = int32At(request + 9);
    char const* const name = reinterpret_cast<char const*>(request + 13);
    std::string const dataref(name, strnlen(name, 400));
    subscriber = std::pair(ntohl(sender.sin_addr.s_addr), ntohs(sender.sin_port));
    if (frequency == 0) {
        subscriptions.erase(index);
        cancellations.push_back(dataref);
        return;
    }
    subscriptions[index] = dataref;
    ++requests;
}

void FakeXPlane::answer()
{
    std::vector<std::vector<std::byte>> replies;
    {
        std::lock_guard const lock(mutex);
        if (silent || !subscriber)
            return;
        std::size_t pairs = 0;
        for (auto const& [index, dataref] : subscriptions) {
            if (withheld.contains(dataref))
                continue;
            if (pairs++ % kPairsPerReply == 0)
                replies.push_back(bytesOf(std::string("RREFO")));
            appendInt32(replies.back(), index);
            auto const value = values.find(dataref);
            appendFloat(replies.back(), value == values.end() ? 0.0f : value->second);
        }
    }
    for (std::vector<std::byte> const& reply : replies)
        sendToSubscriber(reply);
}
