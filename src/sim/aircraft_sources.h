#pragma once

#include "sim/aircraft_values.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

// Where one aircraft's named values come from, per simulator: FSUIPC offsets
// for the display (and for tarnex-sim to serve at), X-Plane datarefs and
// FlightGear properties for tarnex-sim's bridges. Built from the standard
// table, then changed by an aircraft file (aircraft_file.h).

// An X-Plane dataref; instance i reads element indices[i] of an array
// dataref, or the plain value when isArray is false.
struct XPlaneSource {
    std::string dataref;
    int line = 0; // of the xplane field, for a bridge to name when the dataref never arrives
    bool isArray = false;
    std::array<int, kMaxValueInstances> indices {};
    double scale = 1;
    double bias = 0;
};

// A FlightGear property per instance.
struct FlightGearSource {
    std::array<std::string, kMaxValueInstances> paths;
    int line = 0; // of the flightgear field
    double scale = 1;
    double bias = 0;
};

struct ValueSources {
    std::optional<FsuipcSource> fsuipc;
    std::optional<XPlaneSource> xplane;
    std::optional<FlightGearSource> flightgear;
    // An aircraft's own coding of a code value, stored number to the table's
    // code; when given it replaces scale and bias, and a number it does not
    // list reads as not available.
    std::vector<std::pair<int, int>> codes;
    // The aircraft file's line that named these sources; 0 for the standard ones.
    int line = 0;

};

struct AircraftSources {
    std::array<ValueSources, kAircraftValueCount> values;

    ValueSources& operator[](AircraftValue value) { return values[static_cast<std::size_t>(value)]; }
    ValueSources const& operator[](AircraftValue value) const { return values[static_cast<std::size_t>(value)]; }
};

// A stored or published number in the value's unit: through the codes when
// there are any (NaN for a number they do not list), else scale and bias.
double storedToUnit(double stored, double scale, double bias, std::span<std::pair<int, int> const> codes);

// The inverse, for a server that serves a value where a source says: the
// number to store for a value in its unit (through the codes when there are
// any: the first stored number listed for that code; NaN when none is).
double unitToStored(double value, double scale, double bias, std::span<std::pair<int, int> const> codes);

// What the display reads without an aircraft file: the table's standard
// offsets, and no dataref or property.
AircraftSources const& standardAircraftSources();
