#pragma once

#include "named_feed.h"

#include <vector>

// One feed per instance of every value the sources give a dataref, in the
// core table's order, each named as X-Plane takes it: "name[2]".
std::vector<NamedFeed> namedDatarefBindings(AircraftSources const& sources);
