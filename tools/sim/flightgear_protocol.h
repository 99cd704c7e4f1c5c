#pragma once

#include "live_fields.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// FlightGear's generic protocol as flightgear/tarnex.xml sets it up: one
// datagram per line, numbers separated by commas, the line ended by a
// newline. The XML converts FlightGear's units into the fields' own.

inline constexpr std::uint16_t kFlightGearPort = 5500;

// The field of each column, in the order of the XML's chunks.
std::span<LiveField const> flightGearColumns();

enum class GenericLine { Values, Garbage, Truncated, Oversized };

// One number per column, appended to numbers when the line is whole: fewer
// columns or a missing newline make it truncated, more make it oversized, and
// anything that is not a number makes it garbage. "nan" and "inf" are numbers
// here; the aircraft refuses them.
GenericLine parseGenericLine(std::span<std::byte const> datagram, std::vector<double>& numbers);
