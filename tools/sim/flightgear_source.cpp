#include "flightgear_source.h"

#include "flightgear_protocol.h"

#include <iostream>
#include <poll.h>

namespace {

constexpr auto kPollStep = std::chrono::milliseconds(100);

} // namespace

FlightGearSource::FlightGearSource(FlightGearSettings settings, SharedAircraft& aircraft)
    : settings(settings)
    , aircraft(aircraft)
    , presence("FlightGear", settings.quietAfter, aircraft, settings.simulator.text())
    , arrivals(settings.aircraftFile, "property",
          "FlightGear sends the standard protocol: write the aircraft's with tarnex-sim --source flightgear "
          "--aircraft FILE --write-protocol DIR and start FlightGear with --data=DIR.",
          watchedFeeds(settings.properties), settings.arrivalPatience)
    , emptyProperties(settings.aircraftFile, "property",
          "FlightGear sends it empty: the aircraft loaded has no such property, or has not made it yet; "
          "check the name with FlightGear's telnet interface or property browser. The value stays not available.",
          watchedFeeds(settings.properties), settings.arrivalPatience)
{
}

bool FlightGearSource::open(std::string& error)
{
    // A FlightGear on this machine is listened to on the loopback address
    // alone; nothing then listens on the network.
    std::uint32_t const local = settings.simulator.isLoopback() ? kLoopbackAddress : 0;
    return lines.open({ local, settings.simulator.port }, false, error);
}

void FlightGearSource::run(int stop)
{
    for (;;) {
        presence.waiting(Clock::now(), settings.simulator.text());
        pollfd watched[] = { { stop, POLLIN, 0 }, { lines.descriptor(), POLLIN, 0 } };
        poll(watched, 2, static_cast<int>(kPollStep.count()));
        if (watched[0].revents)
            return;
        if (watched[1].revents)
            receiveLines(Clock::now());
    }
}

void FlightGearSource::receiveLines(Clock::time_point now)
{
    while (std::optional<ReceivedDatagram> const datagram = lines.receive(buffer)) {
        if (datagram->sender.address != settings.simulator.address)
            ++tally.foreign;
        else
            useLine(std::span(buffer).first(std::min(datagram->size, buffer.size())), datagram->size, now);
    }
}

void FlightGearSource::useLine(std::span<std::byte const> datagram, std::size_t size, Clock::time_point now)
{
    numbers.clear();
    properties.clear();
    GenericLine const line = size > buffer.size()
        ? GenericLine::Oversized
        : parseGenericLine(datagram, settings.properties.size(), numbers, properties);
    switch (line) {
    case GenericLine::Garbage:
        ++tally.garbage;
        return;
    case GenericLine::Truncated:
        ++tally.truncated;
        return;
    case GenericLine::Oversized:
        ++tally.oversized;
        return;
    case GenericLine::Values:
        break;
    }
    ++tally.used;
    bool const ready = flightModelReady(numbers);
    presence.heard(now, settings.simulator.text(), ready);
    bool const carriesProperties = !properties.empty();
    for (std::size_t i = 0; i < properties.size(); ++i)
        arrivals.arrived(i);
    for (std::string const& message : arrivals.heard(now))
        std::cerr << message << "\n";
    // While FlightGear loads, its properties read as zeros: not an aircraft.
    if (!ready)
        return;
    // The aircraft makes its own properties as its scripts start, which may
    // be after the flight model: the patience runs from the first line that
    // could hold them.
    if (carriesProperties) {
        for (std::size_t i = 0; i < properties.size(); ++i) {
            if (properties[i])
                emptyProperties.arrived(i);
        }
        for (std::string const& message : emptyProperties.heard(now))
            std::cerr << message << "\n";
    }
    std::span<LiveField const> const columns = flightGearColumns();
    aircraft.update([&](LiveAircraft& live) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (!live.set(columns[i], numbers[i]))
                ++tally.refusedValues;
        }
        useProperties(live);
    });
}

// A number the file's map does not list, or text that is no number, is
// refused like any other bad value: the value keeps what it had. A property
// sent empty does not exist, nor does one a standard line leaves out: the
// aircraft loaded now lacks it, whatever the one before sent.
void FlightGearSource::useProperties(LiveAircraft& live)
{
    for (std::size_t i = 0; i < settings.properties.size(); ++i) {
        NamedFeed const& column = settings.properties[i];
        if (i >= properties.size() || !properties[i]) {
            live.forgetNamed(column.value, column.instance);
            continue;
        }
        if (!live.setNamed(column.value, column.instance, column.toUnit(*properties[i])))
            ++tally.refusedValues;
    }
}
