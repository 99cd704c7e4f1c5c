#pragma once

#include "sim/aircraft_sources.h"

#include <string>
#include <utility>
#include <vector>

// An aircraft file's dataref for one instance of a named value, and how the
// dataref's number becomes the value: through the file's map when it has
// one, else xplane_scale and xplane_bias.
struct NamedDatarefBinding {
    AircraftValue value;
    int instance;
    std::string dataref; // with the array element, as X-Plane takes it: "name[2]"
    int line; // of the file's xplane field
    double scale;
    double bias;
    std::vector<std::pair<int, int>> codes;
};

// One binding per instance of every value the sources give a dataref, in
// the core table's order.
std::vector<NamedDatarefBinding> namedDatarefBindings(AircraftSources const& sources);

// The value a dataref's number gives; NaN for a number the map does not list.
double namedDatarefValue(NamedDatarefBinding const& binding, double number);
