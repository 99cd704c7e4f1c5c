#include "alerts/full_warning_set.h"

#include <array>
#include <initializer_list>

// The A320's warning computer as public descriptions of it agree (flight
// crew operating manuals of the A320 family, "ECAM" and "flight warning
// computer" chapters): the phases each message is inhibited in, the memo
// items and their done states, the memo colours.

namespace {

using F = WarningFacts;
using P = FlightPhase;

constexpr PhaseSet phases(std::initializer_list<P> list)
{
    PhaseSet set = 0;
    for (P phase : list)
        set = static_cast<PhaseSet>(set | phaseBit(phase));
    return set;
}

// Cautions do not first appear during take-off and landing.
constexpr PhaseSet kCautionInhibit = phases({ P::TakeOffPower, P::TakeOffRoll, P::LiftOff, P::Approach, P::Touchdown });
constexpr PhaseSet kConfigInhibit = phases({ P::LiftOff, P::Airborne, P::Approach, P::Touchdown });
constexpr PhaseSet kGearInhibit = phases({ P::TakeOffPower, P::TakeOffRoll, P::LiftOff });

constexpr std::int32_t kRed = 1;
constexpr std::int32_t kAmber = 2;
constexpr std::int32_t kGreen = 3;
constexpr std::int32_t kMagenta = 0;

bool takeOffConfigPhase(F const& f) { return f.phase == P::TakeOffPower || f.phase == P::TakeOffRoll; }
bool flapsInTakeOffRange(F const& f) { return f.flapDetent >= 1 && f.flapDetent <= 4; }
bool signsOn(F const& f) { return f.seatBelts && f.noSmoking; }
bool memoShowing(F const& f) { return f.takeOffMemo || f.landingMemo; }

constexpr WarningRow kWarnings[] = {
    { 0, u"!ENG 1 FIRE!", kRed, [](F const& f) { return f.engineFire[0]; } },
    { 1, u"!ENG 2 FIRE!", kRed, [](F const& f) { return f.engineFire[1]; } },
    { 2, u"!ENG 3 FIRE!", kRed, [](F const& f) { return f.engineFire[2]; } },
    { 3, u"!ENG 4 FIRE!", kRed, [](F const& f) { return f.engineFire[3]; } },
    { 4, u"!CONFIG! FLAPS NOT IN T.O CONFIG", kRed,
        [](F const& f) { return takeOffConfigPhase(f) && !flapsInTakeOffRange(f); }, kConfigInhibit },
    { 5, u"!CONFIG! SPD BRK NOT RETRACTED", kRed,
        [](F const& f) { return takeOffConfigPhase(f) && f.speedBrakes; }, kConfigInhibit },
    { 6, u"!CONFIG! PARK BRK ON", kRed,
        [](F const& f) { return f.phase == P::TakeOffPower && f.parkBrake; }, kConfigInhibit },
    { 7, u"!L/G! GEAR NOT DOWN", kRed,
        [](F const& f) { return f.airborne && f.belowGearAltitude && !f.takeOffPower && f.gearKnown && !f.gearDown; },
        kGearInhibit },
    { 8, u"OVER SPEED", kRed, [](F const& f) { return f.overspeed; } },
    { 9, u"!AUTO FLT! AP OFF", kRed, [](F const& f) { return f.autopilotJustOff; } },
    { 10, u"!FUEL! L + R WING TK LO LVL", kAmber, [](F const& f) { return f.bothWingTanksLow; }, kCautionInhibit },
    { 11, u"!FUEL! L WING TK LO LVL", kAmber, [](F const& f) { return f.leftWingTankLow; }, kCautionInhibit },
    { 12, u"!FUEL! R WING TK LO LVL", kAmber, [](F const& f) { return f.rightWingTankLow; }, kCautionInhibit },
};

constexpr MemoLine kTakeOffMemo[] = {
    { 20, u"!T.O! AUTO BRK\tMAX", u"!T.O! AUTO BRK MAX", [](F const& f) { return f.autobrakeMax; } },
    { 21, u"\v!T.O! SIGNS\tON", u"\v!T.O! SIGNS ON", signsOn },
    { 22, u"\v!T.O! CABIN\tCHECK", u"\v!T.O! CABIN READY", nullptr },
    { 23, u"\v!T.O! SPLRS\tARM", u"\v!T.O! SPLRS ARM", [](F const& f) { return f.spoilersArmed; } },
    { 24, u"\v!T.O! FLAPS\tT.O", u"\v!T.O! FLAPS T.O", flapsInTakeOffRange },
    { 25, u"\v!T.O! T.O CONFIG\tTEST", u"\v!T.O! T.O CONFIG NORMAL", nullptr },
};

constexpr MemoLine kLandingMemo[] = {
    { 30, u"!LDG! GEAR\tDN", u"!LDG! GEAR DN", [](F const& f) { return f.gearDown; } },
    { 31, u"\v!LDG! SIGNS\tON", u"\v!LDG! SIGNS ON", signsOn },
    { 32, u"\v!LDG! CABIN\tCHECK", u"\v!LDG! CABIN READY", nullptr },
    { 33, u"\v!LDG! SPLRS\tARM", u"\v!LDG! SPLRS ARM", [](F const& f) { return f.spoilersArmed; } },
    { 34, u"\v!LDG! FLAPS\tFULL", u"\v!LDG! FLAPS FULL", [](F const& f) { return f.flapDetent == 5; } },
};

constexpr Memo kMemos[] = {
    { [](F const& f) { return f.takeOffMemo; }, kTakeOffMemo },
    { [](F const& f) { return f.landingMemo; }, kLandingMemo },
};

bool onGroundPhase(F const& f)
{
    return f.phase == P::EnginesOff || f.phase == P::EngineRunning || f.phase == P::TaxiIn || f.phase == P::EnginesStopped;
}

bool centreTankPhase(F const& f)
{
    return f.phase != P::EnginesOff && f.phase != P::EnginesStopped;
}

bool speedBrakeCautionPhase(F const& f)
{
    return f.phase >= P::EngineRunning && f.phase <= P::LiftOff;
}

constexpr WarningRow kStatus[] = {
    { 76, u"T.O INHIBIT", kMagenta, [](F const& f) { return f.takeOffInhibit; } },
    { 77, u"LDG INHIBIT", kMagenta, [](F const& f) { return f.landingInhibit; } },
    { 78, u"LAND ASAP", kRed, [](F const& f) { return f.airborne && (f.anyFire || f.bothWingTanksLow || f.anyEngineOff); },
        0, [](F const& f) { return f.anyFire || f.bothWingTanksLow ? kRed : kAmber; } },
    { 79, u"SEAT BELTS", kGreen, [](F const& f) { return f.seatBelts; } },
    { 80, u"NO SMOKING", kGreen, [](F const& f) { return f.noSmoking; } },
    { 81, u"APU AVAIL", kGreen, [](F const& f) { return f.apuAvailable && !f.apuBleed; } },
    { 82, u"APU BLEED", kGreen, [](F const& f) { return f.apuBleed; } },
    { 83, u"IGNITION", kGreen, [](F const& f) { return f.ignition; } },
    { 84, u"NW STRG DISC", kGreen, [](F const& f) { return f.steeringDisconnected; },
        0, [](F const& f) { return f.steeringCaution ? kAmber : kGreen; } },
    { 85, u"HYD PTU", kGreen, [](F const& f) { return f.ptu; } },
    { 86, u"CTR TK FEEDG", kGreen, [](F const& f) { return f.centreTankFeeding && centreTankPhase(f); } },
    { 87, u"PARK BRK", kGreen, [](F const& f) { return f.parkBrake; },
        0, [](F const& f) { return onGroundPhase(f) ? kGreen : kAmber; } },
    { 88, u"SPEED BRK", kGreen, [](F const& f) { return f.speedBrakes; },
        0, [](F const& f) { return speedBrakeCautionPhase(f) ? kAmber : kGreen; } },
    { 89, u"ENG A. ICE", kGreen, [](F const& f) { return f.engineAntiIce; } },
    { 90, u"WING A. ICE", kGreen, [](F const& f) { return f.wingAntiIce; } },
    { 91, u"LDG LT", kGreen, [](F const& f) { return f.landingLights; } },
    { 92, u"STROBE LT OFF", kGreen, [](F const& f) { return f.airborne && !f.strobe; } },
    { 93, u"GND SPLRS ARMED", kGreen, [](F const& f) { return f.spoilersArmed && !memoShowing(f); } },
    { 94, u"AUTO BRK LO", kGreen, [](F const& f) { return f.autobrakeLow && (f.phase == P::Approach || f.phase == P::Touchdown); } },
    { 95, u"AUTO BRK MED", kGreen, [](F const& f) { return f.autobrakeMedium && (f.phase == P::Approach || f.phase == P::Touchdown); } },
    { 96, u"AUTO BRK MAX", kGreen, [](F const& f) { return f.autobrakeMax && (f.phase == P::Approach || f.phase == P::Touchdown); } },
    { 97, u"A/THR OFF", kAmber, [](F const& f) { return f.autothrustJustOff; } },
    { 98, u"AUTO BRK OFF", kAmber, [](F const& f) { return f.autobrakeJustOff; } },
};

} // namespace

std::span<WarningRow const> fullWarningRows() { return kWarnings; }
std::span<Memo const> fullMemos() { return kMemos; }
std::span<WarningRow const> fullStatusRows() { return kStatus; }

void buildFullWarningRecords(std::span<AlertRecord, kAlertRecordCount> records)
{
    for (AlertRecord& record : records)
        record = AlertRecord {};
    for (WarningRow const& row : kWarnings)
        records[row.slot].build(row.text, row.level);
    for (Memo const& memo : kMemos) {
        for (MemoLine const& line : memo.lines)
            records[line.slot].build(line.toDo, kGreen);
    }
    for (WarningRow const& row : kStatus)
        records[row.slot].build(row.text, row.level);
}
