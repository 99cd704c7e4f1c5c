#pragma once

#include "live_fields.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// FlightGear's generic protocol as flightgear/tarnex.xml sets it up: one
// datagram per line, numbers separated by commas, the line ended by a
// newline. The XML converts FlightGear's units into the fields' own.

inline constexpr std::uint16_t kFlightGearPort = 5500;

// The field of each aircraft column, in the order of the XML's chunks. A line
// holds one more column after them: /sim/fdm-initialized. Those are the
// standard columns; an aircraft file's properties follow them.
std::span<LiveField const> flightGearColumns();

// flightgear/tarnex.xml as shipped, built in, for writing it out with an
// aircraft file's properties added.
std::string_view standardFlightGearProtocol();

// Whether the line's numbers (as parseGenericLine appends them) say that
// FlightGear's flight model is ready. FlightGear clears /sim/fdm-initialized
// while it starts or reloads the flight model and sets it once the model runs
// (FlightGear source, src/FDM/fdm_shell.cxx, FDMShell::init); until then its
// engine and fuel properties read as zeros.
bool flightModelReady(std::span<double const> numbers);

enum class GenericLine { Values, Garbage, Truncated, Oversized };

// One number per standard column, the readiness included, appended to
// numbers when the line is whole; the aircraft file's propertyColumns follow
// them when FlightGear runs the protocol written for the file (started with
// the standard protocol it sends none), each appended to properties as
// propertyValue reads it. Other counts or a missing newline make the line
// truncated, more columns make it oversized, and a standard column that is
// not a number makes it garbage. "nan" and "inf" are numbers here; the
// aircraft refuses them.
GenericLine parseGenericLine(std::span<std::byte const> datagram, std::size_t propertyColumns,
    std::vector<double>& numbers, std::vector<std::optional<double>>& properties);

// A property column as FlightGear writes a property's text: nothing for a
// property the aircraft does not have (a number type would write 0, which
// the display would show as the aircraft's value), true and false for a
// switch, else its number. Text that is none of those reads as NaN, which
// the aircraft refuses, so that one odd property does not cost the line.
std::optional<double> propertyValue(std::string_view text);
