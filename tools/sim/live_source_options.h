#pragma once

#include "sim/aircraft_sources.h"

#include <cstdint>
#include <string>
#include <string_view>

// A live simulator for the stand-in to relay, as --source names it.
struct LiveSourceOptions {
    enum class Simulator { XPlane, FlightGear };

    Simulator simulator = Simulator::XPlane;
    // X-Plane: its host, or empty to find it from its beacon. FlightGear: the
    // host it sends from, or empty for this machine.
    std::string host;
    // X-Plane: where it takes requests. FlightGear: where it sends to.
    std::uint16_t port = 0;
    std::string datarefFile; // X-Plane only; empty for the built-in table
    // The named values' datarefs and properties: an aircraft file's, or none.
    AircraftSources aircraft = standardAircraftSources();
    std::string aircraftFile; // its name, for messages about its lines
};

// xplane[:HOST[:PORT]], flightgear[:PORT] or flightgear:HOST[:PORT]; false
// with error set to one sentence when text is none of these.
bool parseLiveSource(std::string_view text, LiveSourceOptions& options, std::string& error);
