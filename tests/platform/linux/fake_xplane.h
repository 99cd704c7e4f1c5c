#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

// X-Plane as a bridge sees it, on 127.0.0.1: takes RREF subscriptions and
// answers each subscriber every 20 ms with the subscribed values, in
// datagrams of at most 16 pairs, as X-Plane splits long answers. Datarefs
// never set read 0; a withheld one is never answered, as a dataref the
// aircraft does not have.
class FakeXPlane {
public:
    FakeXPlane();
    ~FakeXPlane();
    FakeXPlane(FakeXPlane const&) = delete;
    FakeXPlane& operator=(FakeXPlane const&) = delete;

    std::uint16_t port() const { return localPort; }

    void set(std::string const& dataref, float value);
    void withhold(std::string const& dataref);
    // Neither answers nor takes requests, as a hung or closed X-Plane.
    void goSilent();
    // Forgets every subscription and serves again, as a restarted X-Plane.
    void restart();

    // Sends bytes to the subscriber, from this X-Plane's address.
    void sendToSubscriber(std::vector<std::byte> const& datagram);
    // Sends bytes to the subscriber from another loopback host, 127.0.0.2.
    void sendFromAnotherHost(std::vector<std::byte> const& datagram);

    std::size_t subscriptionCount() const;
    // Subscription requests taken so far, renewals included.
    std::size_t requestsTaken() const;
    // Subscription requests that came while silent, and went unanswered.
    std::size_t requestsUnheard() const;
    // The index the subscriber gave dataref, if subscribed.
    std::optional<std::int32_t> indexOf(std::string const& dataref) const;
    std::vector<std::string> cancelled() const;
    bool hasSubscriber() const;

private:
    void serve();
    void takeRequests();
    void answer();
    void sendTo(int socket, std::vector<std::byte> const& datagram);

    int socket = -1;
    std::uint16_t localPort = 0;
    mutable std::mutex mutex;
    std::map<std::string, float> values;
    std::set<std::string> withheld;
    std::map<std::int32_t, std::string> subscriptions;
    std::vector<std::string> cancellations;
    std::size_t requests = 0;
    std::size_t unheard = 0;
    std::optional<std::pair<std::uint32_t, std::uint16_t>> subscriber; // address, port
    bool silent = false;
    std::atomic<bool> stopping { false };
    std::thread server;
};

// Little-endian encoding for replies built by hand in tests.
void appendInt32(std::vector<std::byte>& bytes, std::int32_t value);
void appendFloat(std::vector<std::byte>& bytes, float value);
std::vector<std::byte> bytesOf(std::string const& text);
