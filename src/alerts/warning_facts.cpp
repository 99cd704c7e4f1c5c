#include "alerts/warning_facts.h"

#include "sim/value_sources.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kApuAvailablePercent = 95;
constexpr double kGearDownAltitudeFt = 750;
constexpr double kLandingMemoOnFt = 2000;
constexpr double kLandingMemoOffFt = 2200;
// Selector positions of the link's autobrake byte: 0 RTO, 1 off, 2..4
// settings 1..3, 5 max; the page's basic memos read them alike.
constexpr std::uint8_t kAutobrakeRto = 0;
constexpr std::uint8_t kAutobrakeOff = 1;
constexpr std::uint8_t kAutobrakeLow = 2;
constexpr std::uint8_t kAutobrakeMedium = 4;
constexpr std::uint8_t kAutobrakeMax = 5;

bool switchedOff(SimData const& data, AircraftValue value)
{
    std::optional<double> const number = aircraftValue(data, value);
    return number && *number < 0.5;
}

bool below(SimData const& data, AircraftValue value, double limit)
{
    std::optional<double> const number = aircraftValue(data, value);
    return number && *number < limit;
}

bool above(SimData const& data, AircraftValue value, double limit)
{
    std::optional<double> const number = aircraftValue(data, value);
    return number && *number > limit;
}

bool atLeast(SimData const& data, AircraftValue value, double limit)
{
    std::optional<double> const number = aircraftValue(data, value);
    return number && *number >= limit;
}

// Every gear leg down, from the legs' positions or, without them, the lever.
void readGear(SimData const& data, WarningFacts& facts)
{
    bool allLegs = true;
    bool allDown = true;
    for (int leg = 0; leg < kGearCount; ++leg) {
        std::optional<double> const position = aircraftValue(data, AircraftValue::GearPosition, leg);
        allLegs = allLegs && position.has_value();
        allDown = allDown && position && *position >= 0.99;
    }
    if (allLegs) {
        facts.gearKnown = true;
        facts.gearDown = allDown;
        return;
    }
    std::optional<double> const lever = aircraftValue(data, AircraftValue::GearLever);
    facts.gearKnown = lever.has_value();
    facts.gearDown = lever && *lever >= 0.5;
}

void readEngines(SimData const& data, WarningFacts& facts)
{
    facts.engines = std::min<int>(engineCount(data), SimData::kMaxEngines);
    int running = 0;
    for (int engine = 0; engine < facts.engines; ++engine) {
        running += engineRunning(data, engine) ? 1 : 0;
        facts.engineFire[engine] = engineOnFire(data, engine);
        facts.anyFire = facts.anyFire || facts.engineFire[engine];
        facts.engineAntiIce = facts.engineAntiIce || engineAntiIceOn(data, engine);
    }
    facts.anyEngineRunning = running > 0;
    facts.allEnginesRunning = facts.engines > 0 && running == facts.engines;
    facts.anyEngineOff = facts.engines > 1 && running > 0 && running < facts.engines;
}

void readSwitches(SimData const& data, WarningFacts& facts)
{
    facts.seatBelts = aircraftSwitch(data, AircraftValue::SeatBelts);
    facts.noSmoking = aircraftSwitch(data, AircraftValue::NoSmoking);
    facts.apuAvailable = atLeast(data, AircraftValue::ApuN, kApuAvailablePercent);
    facts.apuBleed = facts.apuAvailable && aircraftSwitch(data, AircraftValue::ApuBleed);
    std::optional<double> const mode = aircraftValue(data, AircraftValue::EngineModeSelector);
    facts.ignition = mode && std::lround(*mode) == static_cast<long>(EngineModeCode::IgnitionStart);
    facts.steeringDisconnected = switchedOff(data, AircraftValue::NoseWheelSteering);
    facts.ptu = aircraftSwitch(data, AircraftValue::Ptu);
    facts.centreTankFeeding = aircraftSwitch(data, AircraftValue::CentreTankPumps);
    facts.autothrustKnown = aircraftValue(data, AircraftValue::AutothrustActive).has_value();
    facts.autothrust = aircraftSwitch(data, AircraftValue::AutothrustActive);
    facts.autopilot = autopilotEngaged(data);
}

void readControls(SimData const& data, WarningFacts& facts)
{
    facts.flapDetent = flapLeverDetent(data);
    facts.spoilersArmed = spoilersArmed(data);
    facts.speedBrakes = spoilerLeftPosition(data) > 0 && spoilerRightPosition(data) > 0;
    facts.parkBrake = parkingBrakeSet(data);
    std::uint8_t const autobrake = autobrakeSetting(data);
    facts.autobrakeLow = autobrake == kAutobrakeLow;
    facts.autobrakeMedium = autobrake == kAutobrakeMedium;
    facts.autobrakeMax = autobrake == kAutobrakeMax || autobrake == kAutobrakeRto;
    facts.autobrakeArmed = autobrake != kAutobrakeOff;
    facts.overspeed = overspeedActive(data);
    facts.landingLights = landingLightsOn(data);
    facts.strobe = strobeOn(data);
    facts.wingAntiIce = wingAntiIceOn(data);
}

} // namespace

bool takeOffPowerSet(SimData const& data, ThrustLeverDetents const& detents)
{
    LeverDetent detent = LeverDetent::Idle;
    if (!mostAdvancedLeverDetent(data, detents, detent))
        return false;
    if (detent == LeverDetent::Toga)
        return true;
    std::optional<double> const flex = aircraftValue(data, AircraftValue::FlexTemp);
    return detent == LeverDetent::FlexMct && (!flex || *flex > 0);
}

FlightPhaseInputs flightPhaseInputs(SimData const& data, ThrustLeverDetents const& detents)
{
    WarningFacts engines;
    readEngines(data, engines);
    return {
        .simTime = simTime(data),
        .onGround = onGround(data),
        .anyEngineRunning = engines.anyEngineRunning,
        .takeOffPower = takeOffPowerSet(data, detents),
        .airspeedKt = aircraftValue(data, AircraftValue::IndicatedAirspeed).value_or(AircraftValueSet::kNotAvailable),
        .radioAltitudeFt = aircraftValue(data, AircraftValue::RadioAltitude).value_or(AircraftValueSet::kNotAvailable),
    };
}

WarningFacts warningFacts(SimData const& data, FlightPhase phase, ThrustLeverDetents const& detents)
{
    WarningFacts facts;
    facts.phase = phase;
    facts.simTime = simTime(data);
    facts.airborne = !onGround(data);
    facts.takeOffPower = takeOffPowerSet(data, detents);
    LeverDetent detent = LeverDetent::Toga;
    facts.leversAtIdle = mostAdvancedLeverDetent(data, detents, detent) && detent <= LeverDetent::Idle;
    readEngines(data, facts);
    facts.leftWingKg = fuelLeftKg(data);
    facts.rightWingKg = fuelRightKg(data);
    readSwitches(data, facts);
    readGear(data, facts);
    facts.belowGearAltitude = below(data, AircraftValue::RadioAltitude, kGearDownAltitudeFt);
    facts.belowLandingMemoAltitude = below(data, AircraftValue::RadioAltitude, kLandingMemoOnFt);
    facts.aboveLandingMemoAltitude = above(data, AircraftValue::RadioAltitude, kLandingMemoOffFt);
    readControls(data, facts);
    return facts;
}
