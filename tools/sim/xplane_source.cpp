#include "xplane_source.h"

#include <iostream>
#include <poll.h>

namespace {

constexpr auto kPollStep = std::chrono::milliseconds(100);

} // namespace

XPlaneSource::XPlaneSource(XPlaneSettings settings, SharedAircraft& aircraft)
    : settings(std::move(settings))
    , aircraft(aircraft)
    , simulator(this->settings.simulator)
    , presence("X-Plane", this->settings.quietAfter, aircraft, where())
    , arrivals(this->settings.aircraftFile, "dataref",
          "X-Plane sends the others: check the name with DataRefTool and that the aircraft is loaded; the value stays "
          "not available.",
          watchedFeeds(this->settings.named), this->settings.arrivalPatience)
    , largestReply(kRrefReplyHeaderSize + kRrefPairSize * subscriptions())
{
}

bool XPlaneSource::open(std::string& error)
{
    // An X-Plane on this machine is reached, and answers, on the loopback
    // address alone; nothing then listens on the network.
    UdpEndpoint const local { simulator && simulator->isLoopback() ? kLoopbackAddress : 0, 0 };
    if (!replies.open(local, false, error))
        return false;
    if (simulator)
        return true;
    if (beacons.open({ 0, kBeaconPort }, true, error) && beacons.joinMulticast(kBeaconGroup, error))
        return true;
    error += " Name X-Plane's host instead, as in --source xplane:192.168.1.5.";
    return false;
}

void XPlaneSource::run(int stop)
{
    std::vector<pollfd> watched;
    for (;;) {
        superviseSubscriptions(Clock::now());
        watched.assign({ { stop, POLLIN, 0 }, { replies.descriptor(), POLLIN, 0 } });
        if (beacons.descriptor() >= 0)
            watched.push_back({ beacons.descriptor(), POLLIN, 0 });
        poll(watched.data(), watched.size(), static_cast<int>(kPollStep.count()));
        if (watched[0].revents)
            return;
        Clock::time_point const now = Clock::now();
        if (watched[1].revents)
            receiveReplies(now);
        if (watched.size() > 2 && watched[2].revents)
            receiveBeacons(now);
    }
}

void XPlaneSource::finish()
{
    if (simulator)
        subscribe(0);
}

void XPlaneSource::subscribe(int frequency)
{
    for (std::size_t index = 0; index < subscriptions(); ++index) {
        std::string const& dataref = index < settings.bindings.size()
            ? settings.bindings[index].dataref
            : settings.named[index - settings.bindings.size()].name;
        replies.sendTo(*simulator, rrefRequest(frequency, static_cast<std::int32_t>(index), dataref));
    }
}

void XPlaneSource::superviseSubscriptions(Clock::time_point now)
{
    if (!presence.waiting(now, where()) || !simulator)
        return;
    if (!lastSubscribed || now - *lastSubscribed >= settings.quietAfter) {
        subscribe(settings.frequency);
        lastSubscribed = now;
    }
}

void XPlaneSource::receiveReplies(Clock::time_point now)
{
    while (std::optional<ReceivedDatagram> const datagram = replies.receive(buffer)) {
        if (!simulator || datagram->sender.address != simulator->address)
            ++tally.foreign;
        else
            useReply(std::span(buffer).first(std::min(datagram->size, buffer.size())), datagram->size, now);
    }
}

void XPlaneSource::useReply(std::span<std::byte const> datagram, std::size_t size, Clock::time_point now)
{
    if (size > largestReply) {
        ++tally.oversized;
        return;
    }
    values.clear();
    switch (parseRrefReply(datagram, values)) {
    case RrefReply::Garbage:
        ++tally.garbage;
        return;
    case RrefReply::Truncated:
        ++tally.truncated;
        return;
    case RrefReply::Values:
        break;
    }
    ++tally.used;
    presence.heard(now, where());
    noteArrivals(now);
    aircraft.update([&](LiveAircraft& live) {
        for (RrefValue const& value : values) {
            if (!useValue(live, value))
                ++tally.refusedValues;
        }
    });
}

// A dataref X-Plane does not have gets no answer (or, from some versions,
// zeros, which no one can tell from a value): the first is what this notices.
void XPlaneSource::noteArrivals(Clock::time_point now)
{
    for (RrefValue const& value : values) {
        if (value.index >= 0 && static_cast<std::size_t>(value.index) >= settings.bindings.size())
            arrivals.arrived(static_cast<std::size_t>(value.index) - settings.bindings.size());
    }
    for (std::string const& message : arrivals.heard(now))
        std::cerr << message << "\n";
}

// False for an index never subscribed, or a number its value refuses.
bool XPlaneSource::useValue(LiveAircraft& live, RrefValue const& value) const
{
    if (value.index < 0 || static_cast<std::size_t>(value.index) >= subscriptions())
        return false;
    auto const index = static_cast<std::size_t>(value.index);
    auto const number = static_cast<double>(value.value);
    if (index < settings.bindings.size())
        return live.set(settings.bindings[index].field, number * settings.bindings[index].factor);
    NamedFeed const& feed = settings.named[index - settings.bindings.size()];
    return live.setNamed(feed.value, feed.instance, feed.toUnit(number));
}

// The first master X-Plane heard is the one subscribed to. Another one is
// taken only when the first has fallen silent.
void XPlaneSource::receiveBeacons(Clock::time_point now)
{
    while (std::optional<ReceivedDatagram> const datagram = beacons.receive(buffer)) {
        std::optional<XPlaneBeacon> const beacon
            = parseBeacon(std::span(buffer).first(std::min(datagram->size, buffer.size())));
        if (!beacon || !beacon->isMasterXPlane() || beacon->port == 0)
            continue;
        UdpEndpoint const announced { datagram->sender.address, beacon->port };
        if (simulator == announced || (simulator && !presence.waiting(now, where())))
            continue;
        if (simulator)
            subscribe(0);
        simulator = announced;
        lastSubscribed.reset();
        std::cerr << "Found X-Plane on " << beacon->computerName << " at " << announced.text() << ".\n";
    }
}

std::string XPlaneSource::where() const
{
    return simulator ? simulator->text() : "the beacon group " + UdpEndpoint { kBeaconGroup, kBeaconPort }.text();
}
