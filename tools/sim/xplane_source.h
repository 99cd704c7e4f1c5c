#pragma once

#include "arrival_watch.h"
#include "shared_aircraft.h"
#include "simulator_presence.h"
#include "simulator_source.h"
#include "udp_socket.h"
#include "xplane_datarefs.h"
#include "xplane_named_datarefs.h"
#include "xplane_protocol.h"

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

struct XPlaneSettings {
    std::optional<UdpEndpoint> simulator; // none: taken from the first master's beacon
    std::vector<DatarefBinding> bindings;
    std::vector<NamedFeed> named; // an aircraft file's, subscribed after bindings
    std::string aircraftFile; // its name, for the message about a dataref that never arrives
    // How long X-Plane may send values without one of named's before it is
    // named as never arrived.
    std::chrono::milliseconds arrivalPatience { 10000 };
    int frequency = 20; // values a second
    // Silence after which X-Plane counts as gone: the subscriptions are then
    // sent again, this often, until it answers (a restarted X-Plane has
    // forgotten them).
    std::chrono::milliseconds quietAfter { 3000 };
};

// Subscribes to X-Plane's datarefs with RREF requests and keeps the aircraft
// up to date with its replies. Replies are taken only from the host
// subscribed to; each binding's index is its position in the bindings, and
// the named values' bindings follow on from there.
class XPlaneSource final : public SimulatorSource {
public:
    XPlaneSource(XPlaneSettings settings, SharedAircraft& aircraft);

    bool open(std::string& error);
    void run(int stop) override;
    // Ends every subscription.
    void finish() override;
    DatagramCounts counts() const override { return tally; }

private:
    using Clock = std::chrono::steady_clock;

    void subscribe(int frequency);
    void receiveReplies(Clock::time_point now);
    void useReply(std::span<std::byte const> datagram, std::size_t size, Clock::time_point now);
    void noteArrivals(Clock::time_point now);
    bool useValue(LiveAircraft& live, RrefValue const& value) const;
    std::size_t subscriptions() const { return settings.bindings.size() + settings.named.size(); }
    void receiveBeacons(Clock::time_point now);
    void superviseSubscriptions(Clock::time_point now);
    std::string where() const;

    XPlaneSettings settings;
    SharedAircraft& aircraft;
    std::optional<UdpEndpoint> simulator;
    UdpSocket replies;
    UdpSocket beacons; // only while the simulator is found from its beacon
    std::optional<Clock::time_point> lastSubscribed;
    SimulatorPresence presence;
    ArrivalWatch arrivals;
    DatagramCounts tally;
    std::size_t largestReply;
    std::vector<RrefValue> values;
    std::array<std::byte, 2048> buffer {};
};
