#include "sim/aircraft_values.h"

#include "config/ascii_text.h"

#include <algorithm>

// Sources of the standard offsets, sizes and scalings:
// - Peter Dowson's FSUIPC offset list ("FSUIPC Offsets", as reformatted at
//   http://www.projectmagenta.com/resources/FSUIPCOffsets.html, and the same
//   list as a table in the 5Daddy Landing Monitor's Offsets.cs): the engine
//   blocks from 0x088C, 0x98 (152) bytes apart (throttle lever 0x088C, -4096 to
//   16384; starter 0x0892 (engine 2: 0x092A), jets 0 off, 1 start, 2 generator;
//   combustion flag 0x0894; oil temperature 0x08B8, 16384 = 140 degC; oil
//   pressure 0x08BA, 16384 = 55 psi; oil quantity 0x08D0, 16384 = 100 %;
//   vibration 0x08D4, 16384 = 5.0; hydraulic pressure 0x08D8, 4 x psi;
//   hydraulic quantity 0x08DC, 16384 = 100 %; turbine temperature 0x08F0,
//   degC x 16384; torque 0x08F4, 16384 = 100 %); IAS 0x02BC, knots x 128;
//   autothrottle arm 0x0810; elevator trim input 0x0BC0, -16383 to 16383;
//   flap lever 0x0BDC, 0 to 16383; gear lever 0x0BE8 and gear positions nose
//   0x0BEC, right 0x0BF0, left 0x0BF4, 0 up to 16383 down.
// - wineUIPC's OFFSET_STATUS.md (github.com/ktechmidas/wineUIPC): radio
//   altitude 0x31E4, metres x 65536.
// - The link's own flap and slat angles 0x30F0 / 0x30F8, degrees x 256.
// - Public FSUIPC client offset tables for what FSUIPC4 and later add: the
//   turbine engine blocks from 0x2000, 0x100 apart, with the reverser
//   fraction at 0x207C (double, 0 to 1); seat belts sign 0x341D and no
//   smoking sign 0x341C (one byte each); APU RPM percent 0x0B54 (4-byte float,
//   also in fsuipc-node/api's src/lib/offsets/plane/apu.ts).
// FSUIPC has no standard offset for the thrust limit mode, the N1 limit, the
// flex temperature, commanded N1, alpha floor, the slat lock, ignition, the
// engine mode selector, APU EGT and bleed, steering, PTU and pumps: aircraft
// files name them (FSUIPC maps an aircraft's variables onto its free user
// offsets, 0x66C0 and on).
//
// Oil quantity: FSUIPC gives the share of a full tank; taking a full tank as
// 20 QT (about a CFM56-5's) gives quarts. Fuel tanks: the link's level and
// capacity fields, in kilograms.

namespace {

using T = FsuipcValueType;
using I = ValueInstances;
using V = AircraftValue;

constexpr std::uint32_t kEngineStride = 0x98;
constexpr std::uint32_t kWideEngineStride = 0x100;
constexpr double kFullScale = 16384.0;
constexpr double kFullLever = 16383.0;
constexpr double kFullOilTankQuarts = 20.0;
constexpr double kFeetPerMetre = 3.28084;

constexpr FsuipcSource engines(std::uint32_t first, std::uint32_t stride, T type, double scale)
{
    return { { first, first + stride, first + 2 * stride, first + 3 * stride }, type, scale, 0 };
}

constexpr FsuipcSource single(std::uint32_t offset, T type, double scale)
{
    return { { offset, 0, 0, 0 }, type, scale, 0 };
}

constexpr AircraftValueRow offset(V value, std::string_view name, I instances, std::string_view unit, FsuipcSource source)
{
    return { value, name, instances, unit, StandardSource::FsuipcOffset, source };
}

constexpr AircraftValueRow none(V value, std::string_view name, I instances, std::string_view unit)
{
    return { value, name, instances, unit, StandardSource::NotAvailable, {} };
}

constexpr AircraftValueRow tanks(V value, std::string_view name)
{
    return { value, name, I::Single, "kg", StandardSource::FuelTanks, {} };
}

} // namespace

std::array<AircraftValueRow, kAircraftValueCount> const kAircraftValueTable = { {
    offset(V::ThrottleLever, "ThrottleLever", I::PerEngine, "%", engines(0x088C, kEngineStride, T::S16, 100 / kFullScale)),
    offset(V::ReverserPosition, "ReverserPosition", I::PerEngine, "0-1", engines(0x207C, kWideEngineStride, T::F64, 1)),
    offset(V::Starter, "Starter", I::PerEngine, "0 off, 1 start, 2 generator", engines(0x0892, kEngineStride, T::U16, 1)),
    none(V::Ignition, "Ignition", I::PerEngine, "0 off, 1 on"),
    offset(V::Combustion, "Combustion", I::PerEngine, "0 no, 1 yes", engines(0x0894, kEngineStride, T::U16, 1)),
    none(V::CommandedN1, "CommandedN1", I::PerEngine, "%"),
    offset(V::OilTemp, "OilTemp", I::PerEngine, "degC", engines(0x08B8, kEngineStride, T::U16, 140 / kFullScale)),
    offset(V::OilPress, "OilPress", I::PerEngine, "PSI", engines(0x08BA, kEngineStride, T::U16, 55 / kFullScale)),
    offset(V::OilQty, "OilQty", I::PerEngine, "QT", engines(0x08D0, kEngineStride, T::U32, kFullOilTankQuarts / kFullScale)),
    offset(V::Vib, "Vib", I::PerEngine, "units (5.0 = 16384)", engines(0x08D4, kEngineStride, T::U32, 5 / kFullScale)),
    offset(V::HydPress, "HydPress", I::PerEngine, "PSI", engines(0x08D8, kEngineStride, T::U32, 0.25)),
    offset(V::HydQty, "HydQty", I::PerEngine, "%", engines(0x08DC, kEngineStride, T::U32, 100 / kFullScale)),
    offset(V::Torque, "Torque", I::PerEngine, "%", engines(0x08F4, kEngineStride, T::S32, 100 / kFullScale)),
    offset(V::ITT, "ITT", I::PerEngine, "degC", engines(0x08F0, kEngineStride, T::S32, 1 / kFullScale)),
    offset(V::AutothrustActive, "AutothrustActive", I::Single, "0 off, 1 on", single(0x0810, T::U32, 1)),
    none(V::ThrustLimitMode, "ThrustLimitMode", I::Single, "0 none, 1 CL, 2 MCT, 3 FLX, 4 TOGA, 5 MREV"),
    none(V::N1Limit, "N1Limit", I::Single, "%"),
    none(V::FlexTemp, "FlexTemp", I::Single, "degC"),
    none(V::AlphaFloor, "AlphaFloor", I::Single, "0 off, 1 active"),
    none(V::SlatAlphaLock, "SlatAlphaLock", I::Single, "0 off, 1 locked"),
    offset(V::RadioAltitude, "RadioAltitude", I::Single, "ft", single(0x31E4, T::S32, kFeetPerMetre / 65536)),
    offset(V::IndicatedAirspeed, "IndicatedAirspeed", I::Single, "kt", single(0x02BC, T::S32, 1.0 / 128)),
    offset(V::GearLever, "GearLever", I::Single, "0 up, 1 down", single(0x0BE8, T::U32, 1 / kFullLever)),
    offset(V::SeatBelts, "SeatBelts", I::Single, "0 off, 1 on", single(0x341D, T::U8, 1)),
    offset(V::NoSmoking, "NoSmoking", I::Single, "0 off, 1 on", single(0x341C, T::U8, 1)),
    offset(V::ApuN, "ApuN", I::Single, "%", single(0x0B54, T::F32, 1)),
    none(V::ApuEGT, "ApuEGT", I::Single, "degC"),
    none(V::ApuBleed, "ApuBleed", I::Single, "0 closed, 1 open"),
    none(V::EngineModeSelector, "EngineModeSelector", I::Single, "0 CRANK, 1 NORM, 2 IGN/START"),
    none(V::NoseWheelSteering, "NoseWheelSteering", I::Single, "0 disconnected, 1 connected"),
    none(V::Ptu, "Ptu", I::Single, "0 off, 1 running"),
    none(V::CentreTankPumps, "CentreTankPumps", I::Single, "0 off, 1 on"),
    offset(V::PitchTrim, "PitchTrim", I::Single, "% (nose up positive)", single(0x0BC0, T::S16, 100 / kFullLever)),
    offset(V::FlapHandle, "FlapHandle", I::Single, "% of travel", single(0x0BDC, T::U32, 100 / kFullLever)),
    offset(V::FlapAngle, "FlapAngle", I::Single, "deg", single(0x30F0, T::U16, 1.0 / 256)),
    offset(V::SlatAngle, "SlatAngle", I::Single, "deg", single(0x30F8, T::U16, 1.0 / 256)),
    tanks(V::LeftFuel, "LeftFuel"),
    tanks(V::RightFuel, "RightFuel"),
    tanks(V::CenterFuel, "CenterFuel"),
    offset(V::GearPosition, "GearPosition", I::PerGear, "0 up, 1 down",
        { { 0x0BEC, 0x0BF4, 0x0BF0, 0 }, T::U32, 1 / kFullLever, 0 }),
} };

AircraftValueRow const& aircraftValueRow(AircraftValue value)
{
    return kAircraftValueTable[static_cast<std::size_t>(value)];
}

std::optional<AircraftValue> findAircraftValue(std::string_view name)
{
    auto const found = std::ranges::find_if(
        kAircraftValueTable, [&](AircraftValueRow const& row) { return equalsIgnoringAsciiCase(row.name, name); });
    if (found == kAircraftValueTable.end())
        return std::nullopt;
    return found->value;
}
