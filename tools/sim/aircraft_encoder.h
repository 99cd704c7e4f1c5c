#pragma once

#include "aircraft_state.h"
#include "offset_space.h"

// Writes an aircraft state into the offsets the display reads, in the units
// and scalings the simulator serves them.
void encodeAircraft(AircraftState const& state, OffsetSpace& space);

// The fuel density served at 0x0AF4: 6.7 lb per US gallon, in 1/256 lb.
constexpr std::uint16_t kFuelWeightRaw = 1715;

// Tank capacities in US gallons (A320: inner, outer and centre tanks).
constexpr std::uint32_t kCentreCapacity = 2179;
constexpr std::uint32_t kMainCapacity = 1816;
constexpr std::uint32_t kAuxCapacity = 228;
