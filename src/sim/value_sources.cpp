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

} // namespace

// Parameters the link does not acquire (torque, ITT, oil, vibration,
// hydraulics) show N2.
std::array<EngineParam, kEngineParamCount> const EngineParamTable = { {
    { "N1", n1, n1 },
    { "N2", n2, n2 },
    { "EPR", epr, epr },
    { "CEPR", cepr, cepr },
    { "Torque", n2, n2 },
    { "EGT", egt, egt },
    { "ITT", n2, n2 },
    { "FF", fuelFlowPph, fuelFlowKgh },
    { "OilQty", n2, n2 },
    { "OilPress", n2, n2 },
    { "OilTemp", n2, n2 },
    { "Vib", n2, n2 },
    { "HydPress", n2, n2 },
    { "HydQty", n2, n2 },
} };

// Every row shows the total fuel quantity.
std::array<OtherParam, kOtherParamCount> const OtherParamTable = { {
    { "LeftFuel", totalFuelLbs, totalFuelKg },
    { "RightFuel", totalFuelLbs, totalFuelKg },
    { "CenterFuel", totalFuelLbs, totalFuelKg },
    { "TotalFuel", totalFuelLbs, totalFuelKg },
    { "FlapHandle", totalFuelLbs, totalFuelKg },
    { "FlapAngle", totalFuelLbs, totalFuelKg },
    { "SlatAngle", totalFuelLbs, totalFuelKg },
    { "ApuRPM", totalFuelLbs, totalFuelKg },
    { "ApuEGT", totalFuelLbs, totalFuelKg },
} };

std::optional<double> aircraftValue(SimData const& data, AircraftValue value, int instance)
{
    if (!data.aircraft.available(value, instance))
        return std::nullopt;
    return data.aircraft.get(value, instance);
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
