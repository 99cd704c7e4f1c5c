#pragma once

#include "sim/sim_data.h"

#include <array>
#include <cstdint>
#include <optional>

// Named read-only views of SimData in engineering units. Gauges are bound to
// the two parameter tables by row, each row reading its own value (the
// link's fields or a named aircraft value); the named tests serve the page
// and the warning logic. None of them caches, smooths or clamps.

enum class UnitSystem : int { US = 0, Metric = 1 };

using EngineValueFn = double (*)(SimData const&, int engine);
using OtherValueFn = double (*)(SimData const&);

struct EngineParam {
    char const* name;
    EngineValueFn us;
    EngineValueFn metric;
    double value(SimData const& data, int engine, UnitSystem units) const
    {
        return (units == UnitSystem::Metric ? metric : us)(data, engine);
    }
};

struct OtherParam {
    char const* name;
    OtherValueFn us;
    OtherValueFn metric;
    double value(SimData const& data, UnitSystem units) const
    {
        return (units == UnitSystem::Metric ? metric : us)(data);
    }
};

constexpr int kEngineParamCount = 14;
constexpr int kOtherParamCount = 9;

// "N1", "N2", "EPR", "CEPR", "Torque", "EGT", "ITT", "FF", "OilQty",
// "OilPress", "OilTemp", "Vib", "HydPress", "HydQty".
extern std::array<EngineParam, kEngineParamCount> const EngineParamTable;
// The rows of EngineParamTable that the page draws more than a gauge for.
namespace EngineRow {
enum : int { N1 = 0, N2 = 1, EPR = 2, EGT = 5, FF = 7 };
}
// "LeftFuel", "RightFuel", "CenterFuel", "TotalFuel", "FlapHandle",
// "FlapAngle", "SlatAngle", "ApuRPM", "ApuEGT".
extern std::array<OtherParam, kOtherParamCount> const OtherParamTable;

// A named value (aircraft_values.h), or nullopt while it is not available:
// the aircraft gives none, or it has not been read yet.
std::optional<double> aircraftValue(SimData const&, AircraftValue value, int instance = 0);
// A named switch or flag: on from 0.5 up, so a value an aircraft file scales
// lands on a whole state; off while it is not available.
bool aircraftSwitch(SimData const&, AircraftValue value, int instance = 0);

// Engine indices are zero-based and must be below min(engineCount, 4).
std::uint16_t engineCount(SimData const&);
double engineN1(SimData const&, int engine);
bool engineRunning(SimData const&, int engine);
bool engineAntiIceOn(SimData const&, int engine);
bool engineOnFire(SimData const&, int engine);
double fuelLeftKg(SimData const&);
double fuelRightKg(SimData const&);
double fuelTotalLbs(SimData const&);
double fuelTotalKg(SimData const&);
bool spoilersArmed(SimData const&);
double spoilerLeftPosition(SimData const&);
double spoilerRightPosition(SimData const&);
double flapLeverPosition(SimData const&);
// The lever's six detents (0, 1, 1+F, 2, 3, FULL) share its travel evenly.
constexpr double kFlapLeverUnitsPerDetent = 3276.8;
// The detent nearest the lever, 0 to 5; a lever beyond the travel shows the
// detent at its end.
int flapLeverDetent(SimData const&);
double flapAngleDeg(SimData const&);
double slatAngleDeg(SimData const&);
bool autopilotEngaged(SimData const&);
bool landingLightsOn(SimData const&);
bool strobeOn(SimData const&);
double simTime(SimData const&);
bool onGround(SimData const&);
bool anyExitOpen(SimData const&);
bool overspeedActive(SimData const&);
bool parkingBrakeSet(SimData const&);
bool pushbackActive(SimData const&);
std::uint8_t autobrakeSetting(SimData const&);
bool wingAntiIceOn(SimData const&);
