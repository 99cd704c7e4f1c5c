#pragma once

#include "arrival_watch.h"
#include "flightgear_properties.h"
#include "shared_aircraft.h"
#include "simulator_presence.h"
#include "simulator_source.h"
#include "udp_socket.h"

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

struct FlightGearSettings {
    // The host FlightGear sends from, and the port it sends to.
    UdpEndpoint simulator { kLoopbackAddress, 0 };
    // Silence after which FlightGear counts as gone: over the gaps of a
    // simulator drawing one frame a second.
    std::chrono::milliseconds quietAfter { 3000 };
    // An aircraft file's properties, sent after the standard columns, and
    // the file's name for the messages about them.
    std::vector<NamedFeed> properties;
    std::string aircraftFile;
    // How long lines may come without them before each is named as never
    // arrived: FlightGear then runs the standard protocol.
    std::chrono::milliseconds arrivalPatience { 10000 };
};

// Listens for the lines FlightGear's generic protocol sends with
// flightgear/tarnex.xml, or with the protocol written for an aircraft file
// (flightgear_properties.h), from the simulator's host alone. Lines sent
// while FlightGear's flight model is not ready are counted but not used.
class FlightGearSource final : public SimulatorSource {
public:
    FlightGearSource(FlightGearSettings settings, SharedAircraft& aircraft);

    bool open(std::string& error);
    void run(int stop) override;
    void finish() override { }
    DatagramCounts counts() const override { return tally; }

private:
    using Clock = std::chrono::steady_clock;

    void receiveLines(Clock::time_point now);
    void useLine(std::span<std::byte const> datagram, std::size_t size, Clock::time_point now);
    void useProperties(LiveAircraft& live);

    FlightGearSettings settings;
    SharedAircraft& aircraft;
    UdpSocket lines;
    SimulatorPresence presence;
    ArrivalWatch arrivals; // FlightGear runs the standard protocol
    ArrivalWatch emptyProperties; // the aircraft lacks a property
    DatagramCounts tally;
    std::vector<double> numbers;
    std::vector<std::optional<double>> properties;
    std::array<std::byte, 4096> buffer {};
};
