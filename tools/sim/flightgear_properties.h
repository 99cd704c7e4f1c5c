#pragma once

#include "sim/aircraft_sources.h"

#include <span>
#include <string>
#include <utility>
#include <vector>

// An aircraft file's FlightGear properties, as columns that follow the
// standard ones in each line of the generic protocol: one per instance, in
// the order of the named values' table, engines 1 and 2 only (the bridge
// carries two engines). FlightGear sends each property's text, nothing for
// a property the aircraft lacks; the bridge turns it into the value's unit.
struct PropertyColumn {
    AircraftValue value;
    int instance = 0;
    std::string path;
    int line = 0; // of the aircraft file's flightgear field
    double scale = 1;
    double bias = 0;
    std::vector<std::pair<int, int>> codes;

    // The property's number in the value's unit; NaN for a code the file's
    // map does not list.
    double toUnit(double sent) const;
};

std::vector<PropertyColumn> propertyColumns(AircraftSources const& sources);

// The generic protocol FlightGear needs to send those columns: the standard
// flightgear/tarnex.xml with a chunk per column added after its last.
std::string protocolWithProperties(std::span<PropertyColumn const> columns);

// Writes that protocol as DIR/Protocol/tarnex.xml, where FlightGear looks for
// it when started with --data=DIR, making the folders it needs. The file's
// path, or false with error set to one sentence.
bool writeProtocol(std::string const& directory, std::span<PropertyColumn const> columns, std::string& path,
    std::string& error);
