#include "alerts/ecam_alerts.h"

#include "sim/value_sources.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr AlertRow kEcamRecords[] = {
    { 0, u"GND SPLRS ARMED", 3 },
    { 2, u"!FUEL! L WING TK LO LVL", 1 },
    { 3, u"!FUEL! R WING TK LO LVL", 1 },
    { 4, u"!FUEL! L + R WING TK LO LVL", 1 },
    { 13, u"DOOR", 1 },
    { 14, u"TIRES MAX SPEED", 2 },
    { 15, u"STALL", 1 },
    { 16, u"OVERSPEED", 1 },
    { 17, u"GEAR DOWN", 3 },
    { 18, u"GEAR SPEED", 2 },
    { 19, u"!ELEC! GEN 1 OFF", 2 },
    { 20, u"!ELEC! GEN 2 OFF", 2 },
    { 21, u"!ELEC! GEN 3 OFF", 2 },
    { 22, u"!ELEC! GEN 4 OFF", 2 },
    { 23, u"!ELEC! BAT 1 OFF", 2 },
    { 24, u"!ELEC! BAT 2 OFF", 2 },
    { 25, u"ELEC", 1 },
    { 26, u"VACUUM", 1 },
    { 27, u"VACUUM", 2 },
    { 28, u"OIL WARNING", 2 },
    { 29, u"HYDRAULICS", 1 },
    { 40, u"SEAT BELTS", 3 },
    { 41, u"NO SMOKING", 3 },
    { 42, u"CONFIG", 2 },
    { 43, u"PARK BRK", 1 },
    { 44, u"GROUND SPEED", 2 },
    { 45, u"!L/G! GEAR NOT DOWN", 1 },
    { 50, u"!FUEL! CTR TK PUMPS OFF", 2 },
    { 51, u"!FUEL! GRVTY FUEL FEEDING", 1 },
    { 52, u"HELLO WORLD", 2 },
    { 53, u"!AUTO FLT! AP OFF", 1 },
    { 54, u"!CONFIG! FLAPS NOT T.O CFG", 1 },
    { 55, u"PITCH TRIM NOT IN TO RANGE", 1 },
    { 56, u"!CONFIG! SPD BRK NOT RETR", 1 },
    { 57, u"!BRAKES! HOT", 1 },
    { 58, u"!DOOR! NOT CLOSED", 1 },
    { 59, u"!CONFIG! PARK BRK ON", 1 },
    { 60, u"IRS IN ALIGN", 3 },
    { 61, u"FLEX TEMP NOT SET", 1 },
    { 62, u"!F/CTL! ELAC 1 FAULT", 2 },
    { 63, u"!F/CTL! ELAC 2 FAULT", 2 },
    { 64, u"!F/CTL! SEC 1 FAULT", 2 },
    { 65, u"!F/CTL! SEC 2 FAULT", 2 },
    { 66, u"!F/CTL! SEC 3 FAULT", 2 },
    { 67, u"!F/CTL! FAC 1 FAULT", 2 },
    { 68, u"!F/CTL! FAC 2 FAULT", 2 },
    { 69, u"!F/CTL! PRIM 1 FAULT", 2 },
    { 70, u"!F/CTL! PRIM 2 FAULT", 2 },
    { 71, u"!F/CTL! PRIM 3 FAULT", 2 },
    { 72, u"GPWS SYS MODE OFF", 3 },
    { 73, u"GPWS G/S MODE OFF", 3 },
    { 74, u"GPWS FLAP MODE OFF", 3 },
    { 76, u"PARK BRK", 3 },
    { 77, u"SPEED BRK", 3 },
    { 78, u"ENG A. ICE", 3 },
    { 79, u"WING A. ICE", 3 },
    { 80, u"A/P OFF", 2 },
    { 81, u"A/THR OFF", 2 },
    { 82, u"AUTO BRK OFF", 2 },
    { 83, u"AUTO BRK LOW", 3 },
    { 84, u"AUTO BRK MED", 3 },
    { 85, u"AUTO BRK MAX", 3 },
    { 86, u"AUTO BRK HI", 3 },
    { 87, u"T.O INHIBIT", 0 },
    { 88, u"LDG INHIBIT", 0 },
    { 89, u"APU AVAIL", 3 },
    { 90, u"APU BLEED", 3 },
    { 91, u"LDG LT", 3 },
    { 92, u"STROBE LT OFF", 3 },
    { 93, u"IGNITION", 3 },
    { 94, u"NW STRG DISC", 3 },
    { 95, u"HYD PTU", 3 },
    { 96, u"LAND ASAP", 1 },
    { 97, u"CTR TK FEEDG", 3 },
    { 98, u"GPWS FLAP 3", 3 },
};

// What the engine loop finds over the engines the simulator reports.
struct EngineSummary {
    bool highN1 = false;
    bool fire = false;
    bool antiIce = false;
};

EngineSummary summariseEngines(SimData const& data)
{
    EngineSummary summary;
    // Only four engines are stored, whatever count the simulator reports.
    int const engines = std::min<int>(engineCount(data), SimData::kMaxEngines);
    for (int engine = 0; engine < engines; ++engine) {
        summary.highN1 = summary.highN1 || engineN1(data, engine) > EcamAlertRules::kHighN1Percent;
        summary.fire = summary.fire || engineOnFire(data, engine);
        summary.antiIce = summary.antiIce || engineAntiIceOn(data, engine);
    }
    return summary;
}

// Selector positions: 0 RTO, 1 off, 2..4 settings 1..3, 5 max.
constexpr std::uint8_t kAutobrakeRto = 0;
constexpr std::uint8_t kAutobrakeLow = 2;
constexpr std::uint8_t kAutobrakeMedium = 4;
constexpr std::uint8_t kAutobrakeMax = 5;

}

void buildEcamAlertRecords(std::span<AlertRecord, kAlertRecordCount> records)
{
    buildAlertRows(kEcamRecords, records);
}

std::array<AlertSwitch, EcamAlertRules::kSwitchCount> EcamAlertRules::evaluate(
    SimData const& data, std::span<AlertRecord, kAlertRecordCount> records)
{
    EngineSummary const engines = summariseEngines(data);

    double const left = fuelLeftKg(data);
    double const right = fuelRightKg(data);
    bool const bothLow = left + right < kLowWingTanksTotalKg;

    bool const airborne = !onGround(data);
    m_autopilotOff.update(autopilotEngaged(data), simTime(data));

    bool const parkBrakeCaution = pushbackActive(data) || engines.highN1;
    records[EcamSlot::ParkBrake].level = parkBrakeCaution ? 2 : 3;

    std::uint8_t const autobrake = autobrakeSetting(data);
    return { {
        { EcamSlot::FuelBothLow, bothLow },
        { EcamSlot::FuelLeftLow, !bothLow && left < kLowWingTankKg },
        { EcamSlot::FuelRightLow, !bothLow && right < kLowWingTankKg },
        { EcamSlot::Door, anyExitOpen(data) && airborne },
        { EcamSlot::GroundSpoilersArmed, spoilersArmed(data) },
        { EcamSlot::ParkBrake, parkingBrakeSet(data) },
        { EcamSlot::SpeedBrake, spoilerLeftPosition(data) > 0 && spoilerRightPosition(data) > 0 },
        { EcamSlot::AutopilotOff, m_autopilotOff.showing() },
        { EcamSlot::AutobrakeLow, autobrake == kAutobrakeLow },
        { EcamSlot::AutobrakeMedium, autobrake == kAutobrakeMedium },
        { EcamSlot::AutobrakeMax, autobrake == kAutobrakeMax || autobrake == kAutobrakeRto },
        { EcamSlot::LandingLights, landingLightsOn(data) },
        { EcamSlot::StrobeOff, airborne && !strobeOn(data) },
        { EcamSlot::EngineAntiIce, engines.antiIce },
        { EcamSlot::WingAntiIce, wingAntiIceOn(data) },
        { EcamSlot::LandAsap, airborne && (engines.fire || bothLow) },
    } };
}
