#pragma once

#include "aircraft_state.h"
#include "offset_space.h"
#include "sim/aircraft_sources.h"

// Writes the state's named values where sources put them, through the same
// types, scalings and codings the display decodes them with, so that what the
// display reads is what the state holds. A value not available, or one its
// coding has no stored number for, is written as NaN at a float offset (the
// display reads it as missing). At an integer offset a value not available is
// written as a number its coding does not list (read as missing too), and
// otherwise not at all.
void encodeNamedValues(AircraftState const& state, AircraftSources const& sources, OffsetSpace& space);
