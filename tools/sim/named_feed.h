#pragma once

#include "arrival_watch.h"
#include "sim/aircraft_sources.h"

#include <span>
#include <string>
#include <utility>
#include <vector>

// One instance of a named value that a live simulator feeds, as an aircraft
// file names it: the simulator's own name for it (an X-Plane dataref with its
// element, "name[2]", or a FlightGear property path), the file's line, and
// how the simulator's number becomes the value: through the file's map when
// it has one, else its scale and bias.
struct NamedFeed {
    AircraftValue value;
    int instance = 0;
    std::string name;
    int line = 0; // of the aircraft file's xplane or flightgear field
    double scale = 1;
    double bias = 0;
    std::vector<std::pair<int, int>> codes;

    // The number in the value's unit; NaN for a code the map does not list.
    double toUnit(double number) const { return storedToUnit(number, scale, bias, codes); }
};

// What the arrival watch names when a feed never sends.
inline std::vector<ArrivalWatch::Watched> watchedFeeds(std::span<NamedFeed const> feeds)
{
    std::vector<ArrivalWatch::Watched> watched;
    for (NamedFeed const& feed : feeds)
        watched.push_back({ feed.line, feed.name });
    return watched;
}
