#pragma once

#include "sim/fsuipc_value_type.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// The named aircraft values: what the page, the parameter tables and the
// warning logic read beyond the link's fixed fields, under the names that
// aircraft files, scenario files and the documentation use. One table holds,
// for each, its instances, its unit and where FSUIPC serves it as standard;
// an aircraft file (aircraft_file.h) may name other sources.
enum class AircraftValue : std::uint8_t {
    // Per engine.
    ThrottleLever,
    ReverserPosition,
    Starter,
    Ignition,
    Combustion,
    CommandedN1,
    OilTemp,
    OilPress,
    OilQty,
    Vib,
    HydPress,
    HydQty,
    Torque,
    ITT,
    // One each.
    AutothrustActive,
    ThrustLimitMode,
    N1Limit,
    FlexTemp,
    AlphaFloor,
    SlatAlphaLock,
    RadioAltitude,
    IndicatedAirspeed,
    GearLever,
    SeatBelts,
    NoSmoking,
    ApuN,
    ApuEGT,
    ApuBleed,
    EngineModeSelector,
    NoseWheelSteering,
    Ptu,
    CentreTankPumps,
    PitchTrim,
    FlapHandle,
    FlapAngle,
    SlatAngle,
    LeftFuel,
    RightFuel,
    CenterFuel,
    // Per landing gear: nose, left, right.
    GearPosition,
    Count
};

constexpr std::size_t kAircraftValueCount = static_cast<std::size_t>(AircraftValue::Count);

// How many of a value there are: one, one per engine (up to four), or one
// per landing gear (nose, left, right).
enum class ValueInstances : std::uint8_t { Single, PerEngine, PerGear };

constexpr int kMaxValueInstances = 4;
constexpr int kGearCount = 3;

constexpr int instanceCount(ValueInstances instances)
{
    switch (instances) {
    case ValueInstances::Single:
        return 1;
    case ValueInstances::PerEngine:
        return kMaxValueInstances;
    case ValueInstances::PerGear:
        return kGearCount;
    }
    return 1;
}

// Where FSUIPC serves a value: instance i is stored at offsets[i] as type;
// value = stored × scale + bias, in the value's unit.
struct FsuipcSource {
    std::array<std::uint32_t, kMaxValueInstances> offsets {};
    FsuipcValueType type = FsuipcValueType::U8;
    double scale = 1;
    double bias = 0;

    bool operator==(FsuipcSource const&) const = default;
};

// What the display does for a value no aircraft file names.
enum class StandardSource : std::uint8_t {
    FsuipcOffset, // reads the row's standard offset
    FuelTanks, // computes it from the link's tank levels and capacities
    NotAvailable, // has none: the value reads as not available
};

struct AircraftValueRow {
    AircraftValue value;
    std::string_view name;
    ValueInstances instances;
    std::string_view unit;
    StandardSource standard;
    FsuipcSource offset; // when standard is FsuipcOffset
};

// The codes of ThrustLimitMode. An aircraft with its own coding maps it in
// its aircraft file ("map = ...").
enum class ThrustLimitCode : int {
    None = 0,
    Climb = 1, // CL
    MaxContinuous = 2, // MCT
    Flex = 3, // FLX
    TakeOffGoAround = 4, // TOGA
    MaxReverse = 5, // MREV
};

// The codes of EngineModeSelector.
enum class EngineModeCode : int { Crank = 0, Normal = 1, IgnitionStart = 2 };

extern std::array<AircraftValueRow, kAircraftValueCount> const kAircraftValueTable;

AircraftValueRow const& aircraftValueRow(AircraftValue value);

// The value of that name, letters compared without case.
std::optional<AircraftValue> findAircraftValue(std::string_view name);
