#pragma once

#include "live_source_options.h"
#include "request_block.h"
#include "sim/aircraft_sources.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// A value held at an offset whatever the scenario or a client writes there.
struct PinnedValue {
    std::uint32_t offset;
    std::vector<std::byte> bytes;
};

// Ways to misbehave, so that every failure path of a client can be driven.
struct FaultOptions {
    bool noAnswer = false; // take requests, never answer
    std::optional<std::uint32_t> reply; // answer this instead of 1
    bool badVersion = false; // a server version one below the accepted minimum
    Corruption corruption = Corruption::None; // damage the last read record
    std::uint64_t faultsAfter = 0; // exchanges answered properly first
};

struct SimOptions {
    std::string windowClass = "UIPCMAIN";
    std::string scenario = "demo"; // "demo", "static" or a keyframe file
    std::optional<LiveSourceOptions> source; // relayed instead of a scenario
    std::vector<PinnedValue> pins;
    // Where the named values are served: the standard offsets, or where an
    // aircraft file given with --aircraft says (and, for a bridge, which
    // datarefs feed them).
    AircraftSources aircraft = standardAircraftSources();
    std::string aircraftFile;
    // Where to write FlightGear's protocol for the aircraft file's
    // properties, instead of serving; none when empty.
    std::string protocolDirectory;
    std::optional<double> durationSeconds;
    double startAt = 0; // scenario seconds at start
    double timeScale = 1;
    // Scenario seconds per answered exchange, in place of the wall clock: a
    // client then sees the same moments however fast it asks.
    std::optional<double> secondsPerExchange;
    FaultOptions faults;
    std::string recordFile; // where to record what is served; none when empty
    double recordRate = 10; // recorded moments per scenario second, at most
    bool help = false;
    bool version = false;
};

// The options in args (program name excluded), or none with error set to one
// plain sentence.
std::optional<SimOptions> parseSimOptions(std::span<char const* const> args, std::string& error);

std::string simUsage();
