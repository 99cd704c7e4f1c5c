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

// The field of each aircraft column, in the order of the XML's chunks. A line
// holds one more column, last: /sim/fdm-initialized.
std::span<LiveField const> flightGearColumns();

// Whether the line's numbers (as parseGenericLine appends them) say that
// FlightGear's flight model is ready. FlightGear clears /sim/fdm-initialized
// while it starts or reloads the flight model and sets it once the model runs
// (FlightGear source, src/FDM/fdm_shell.cxx, FDMShell::init); until then its
// engine and fuel properties read as zeros.
bool flightModelReady(std::span<double const> numbers);

enum class GenericLine { Values, Garbage, Truncated, Oversized };

// One number per column, the readiness included, appended to numbers when the
// line is whole: fewer columns or a missing newline make it truncated, more
// make it oversized, and anything that is not a number makes it garbage.
// "nan" and "inf" are numbers here; the aircraft refuses them.
GenericLine parseGenericLine(std::span<std::byte const> datagram, std::vector<double>& numbers);
