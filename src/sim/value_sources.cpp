#include "sim/value_sources.h"

#include <algorithm>
#include <cmath>

namespace {

double n1(SimData const& data, int engine) { return data.n1Percent[engine]; }
double n2(SimData const& data, int engine) { return data.n2Percent[engine]; }
double epr(SimData const& data, int engine) { return data.epr[engine]; }
double cepr(SimData const& data, int engine) { return data.cepr[engine]; }
double egt(SimData const& data, int engine) { return data.egtC[engine]; }
double fuelFlowPph(SimData const& data, int engine) { return data.fuelFlowPph[engine]; }
double fuelFlowKgh(SimData const& data, int engine) { return data.fuelFlowPph[engine] * kKilogramsPerPound; }
double totalFuelLbs(SimData const& data) { return data.totalFuelLbs; }
double totalFuelKg(SimData const& data) { return data.totalFuelKg; }

// A gauge draws a value the aircraft does not give as 0.
double shown(SimData const& data, AircraftValue value, int instance = 0)
{
    return data.aircraft.available(value, instance) ? data.aircraft.get(value, instance) : 0.0;
}

template <AircraftValue Value>
double engineValue(SimData const& data, int engine)
{
    return shown(data, Value, engine);
}

template <AircraftValue Value>
double otherValue(SimData const& data)
{
    return shown(data, Value);
}

template <AircraftValue Value>
double pounds(SimData const& data)
{
    return shown(data, Value) / kKilogramsPerPound;
}

} // namespace

// Each row reads its own value (aircraft_values.h gives units and sources);
// fuel shows in pounds under US and kilograms under METRIC.
std::array<EngineParam, kEngineParamCount> const EngineParamTable = { {
    { "N1", n1, n1 },
    { "N2", n2, n2 },
    { "EPR", epr, epr },
    { "CEPR", cepr, cepr },
    { "Torque", engineValue<AircraftValue::Torque>, engineValue<AircraftValue::Torque> },
    { "EGT", egt, egt },
    { "ITT", engineValue<AircraftValue::ITT>, engineValue<AircraftValue::ITT> },
    { "FF", fuelFlowPph, fuelFlowKgh },
    { "OilQty", engineValue<AircraftValue::OilQty>, engineValue<AircraftValue::OilQty> },
    { "OilPress", engineValue<AircraftValue::OilPress>, engineValue<AircraftValue::OilPress> },
    { "OilTemp", engineValue<AircraftValue::OilTemp>, engineValue<AircraftValue::OilTemp> },
    { "Vib", engineValue<AircraftValue::Vib>, engineValue<AircraftValue::Vib> },
    { "HydPress", engineValue<AircraftValue::HydPress>, engineValue<AircraftValue::HydPress> },
    { "HydQty", engineValue<AircraftValue::HydQty>, engineValue<AircraftValue::HydQty> },
} };

std::array<OtherParam, kOtherParamCount> const OtherParamTable = { {
    { "LeftFuel", pounds<AircraftValue::LeftFuel>, otherValue<AircraftValue::LeftFuel> },
    { "RightFuel", pounds<AircraftValue::RightFuel>, otherValue<AircraftValue::RightFuel> },
    { "CenterFuel", pounds<AircraftValue::CenterFuel>, otherValue<AircraftValue::CenterFuel> },
    { "TotalFuel", totalFuelLbs, totalFuelKg },
    { "FlapHandle", otherValue<AircraftValue::FlapHandle>, otherValue<AircraftValue::FlapHandle> },
    { "FlapAngle", otherValue<AircraftValue::FlapAngle>, otherValue<AircraftValue::FlapAngle> },
    { "SlatAngle", otherValue<AircraftValue::SlatAngle>, otherValue<AircraftValue::SlatAngle> },
    { "ApuRPM", otherValue<AircraftValue::ApuN>, otherValue<AircraftValue::ApuN> },
    { "ApuEGT", otherValue<AircraftValue::ApuEGT>, otherValue<AircraftValue::ApuEGT> },
} };

std::optional<double> aircraftValue(SimData const& data, AircraftValue value, int instance)
{
    if (!data.aircraft.available(value, instance))
        return std::nullopt;
    return data.aircraft.get(value, instance);
}

bool aircraftSwitch(SimData const& data, AircraftValue value, int instance)
{
    std::optional<double> const number = aircraftValue(data, value, instance);
    return number && *number >= 0.5;
}

std::uint16_t engineCount(SimData const& data) { return data.engineCount; }
double engineN1(SimData const& data, int engine) { return data.n1Percent[engine]; }
bool engineRunning(SimData const& data, int engine) { return data.n1Percent[engine] > 1.0; }
bool engineAntiIceOn(SimData const& data, int engine) { return data.engineAntiIce[engine] != 0; }
bool engineOnFire(SimData const& data, int engine) { return (data.engineFireFlags >> engine) & 1u; }
double fuelLeftKg(SimData const& data) { return (data.leftAuxLbs + data.leftMainLbs) * kKilogramsPerPound; }
double fuelRightKg(SimData const& data) { return (data.rightAuxLbs + data.rightMainLbs) * kKilogramsPerPound; }
double fuelTotalLbs(SimData const& data) { return data.totalFuelLbs; }
double fuelTotalKg(SimData const& data) { return data.totalFuelKg; }
bool spoilersArmed(SimData const& data) { return data.spoilersArmed != 0; }
double spoilerLeftPosition(SimData const& data) { return data.spoilerLeft; }
double spoilerRightPosition(SimData const& data) { return data.spoilerRight; }
double flapLeverPosition(SimData const& data) { return data.flapsControl; }
int flapLeverDetent(SimData const& data)
{
    double const detent = std::floor(flapLeverPosition(data) / kFlapLeverUnitsPerDetent + 0.5);
    return static_cast<int>(std::clamp(detent, 0.0, 5.0));
}
double flapAngleDeg(SimData const& data) { return data.flapAngleRaw / 256.0; }
double slatAngleDeg(SimData const& data) { return data.slatAngleRaw / 256.0; }
bool autopilotEngaged(SimData const& data) { return data.autopilotMaster != 0; }
bool landingLightsOn(SimData const& data) { return data.landingLights != 0; }
bool strobeOn(SimData const& data) { return (data.lights >> 4) & 1u; }
double simTime(SimData const& data) { return data.simTime; }
bool onGround(SimData const& data) { return data.onGround != 0; }
bool anyExitOpen(SimData const& data) { return data.exitsOpen != 0; }
bool overspeedActive(SimData const& data) { return data.overspeed != 0; }
bool parkingBrakeSet(SimData const& data) { return (data.parkingBrake & 0xFFFFu) != 0; }
bool pushbackActive(SimData const& data) { return data.pushbackState != 3; }
std::uint8_t autobrakeSetting(SimData const& data) { return data.autobrake; }
bool wingAntiIceOn(SimData const& data) { return data.structuralDeice != 0; }
