#pragma once

#include "named_feed.h"

#include <span>
#include <string>
#include <vector>

// An aircraft file's FlightGear properties, as columns that follow the
// standard ones in each line of the generic protocol: one per instance, in
// the order of the named values' table, engines 1 and 2 only (the bridge
// carries two engines), each named by its property path. FlightGear sends
// each property's text, nothing for a property the aircraft lacks.
std::vector<NamedFeed> propertyColumns(AircraftSources const& sources);

// The generic protocol FlightGear needs to send those columns: the standard
// flightgear/tarnex.xml with a chunk per column added after its last.
std::string protocolWithProperties(std::span<NamedFeed const> columns);

// Writes that protocol as DIR/Protocol/tarnex.xml, where FlightGear looks for
// it when started with --data=DIR, making the folders it needs. The file's
// path, or false with error set to one sentence.
bool writeProtocol(std::string const& directory, std::span<NamedFeed const> columns, std::string& path,
    std::string& error);
