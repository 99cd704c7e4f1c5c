#include "alerts/warning_computer.h"

namespace {

bool takeOffPhase(FlightPhase p)
{
    return p == FlightPhase::TakeOffPower || p == FlightPhase::TakeOffRoll || p == FlightPhase::LiftOff;
}

bool landingPhase(FlightPhase p)
{
    return p == FlightPhase::Approach || p == FlightPhase::Touchdown;
}

} // namespace

std::span<AlertSwitch const> WarningComputer::evaluate(
    SimData const& data, bool dataFlowing, std::span<AlertRecord, kAlertRecordCount> records)
{
    m_switchCount = 0;
    if (!dataFlowing) {
        // No inputs, no messages; the phases and timers start afresh with data.
        m_clocks = Clocks {};
        for (std::size_t i = 0; i < records.size(); ++i) {
            if (records[i].textView().size() > 0)
                add(static_cast<int>(i), false);
        }
        return std::span(m_switches).first(m_switchCount);
    }
    FlightPhase const phase = m_clocks.phases.update(flightPhaseInputs(data, m_detents));
    WarningFacts facts = warningFacts(data, phase, m_detents);
    addTimedFacts(facts);
    bool const failure = evaluateFailures(facts, records);
    evaluateMemos(facts, failure, records);
    evaluateStatus(facts, records);
    return std::span(m_switches).first(m_switchCount);
}

void WarningComputer::addTimedFacts(WarningFacts& f)
{
    double const t = f.simTime;
    Clocks& c = m_clocks;
    f.takeOffInhibit = c.takeOffInhibit.update(takeOffPhase(f.phase), t, kInhibitMemoDelaySeconds);
    f.landingInhibit = c.landingInhibit.update(landingPhase(f.phase), t, kInhibitMemoDelaySeconds);
    bool const enginesStarted = c.enginesRunning.update(f.allEnginesRunning, t, kTakeOffMemoDelaySeconds);
    f.takeOffMemo = f.phase == FlightPhase::EngineRunning && enginesStarted;
    // Below 2000 ft in flight the LDG memo comes, and stays until 2200 ft.
    if (f.phase == FlightPhase::Airborne && f.belowLandingMemoAltitude)
        c.landingMemoLatch = true;
    if (f.aboveLandingMemoAltitude || !(f.phase == FlightPhase::Airborne || landingPhase(f.phase)))
        c.landingMemoLatch = false;
    f.landingMemo = c.landingMemoLatch || landingPhase(f.phase);
    f.steeringCaution = c.engineRun30s.update(f.anyEngineRunning, t, kSteeringCautionSeconds);
    bool const bothLow = f.leftWingKg < kLowWingTankKg && f.rightWingKg < kLowWingTankKg;
    f.bothWingTanksLow = c.bothLow.update(bothLow, t, kWingTankLowSeconds);
    f.leftWingTankLow = !bothLow && c.leftLow.update(f.leftWingKg < kLowWingTankKg, t, kWingTankLowSeconds);
    f.rightWingTankLow = !bothLow && c.rightLow.update(f.rightWingKg < kLowWingTankKg, t, kWingTankLowSeconds);
    f.autopilotJustOff = c.autopilotOff.update(f.autopilot, t, kDisconnectShowSeconds);
    // Levers brought back to idle disconnect auto-thrust as they should (the
    // retard at touchdown): that is no A/THR OFF.
    if (c.autothrustWasOn && !f.autothrust)
        c.autothrustOffAtIdle = f.leversAtIdle;
    c.autothrustWasOn = f.autothrust;
    f.autothrustJustOff = f.autothrustKnown && c.autothrustOff.update(f.autothrust, t, kDisconnectShowSeconds)
        && !c.autothrustOffAtIdle;
    f.autobrakeJustOff = c.autobrakeOff.update(f.autobrakeArmed, t, kDisconnectShowSeconds) && !f.airborne;
}

// A message inhibited in this phase may stay if it is already shown, but
// cannot first appear.
bool WarningComputer::evaluateFailures(WarningFacts const& f, std::span<AlertRecord, kAlertRecordCount> records)
{
    bool failure = false;
    for (WarningRow const& row : fullWarningRows()) {
        bool const blocked = inPhases(row.inhibited, f.phase) && !records[row.slot].listed;
        bool const on = row.shows(f) && !blocked;
        failure = failure || on;
        add(row.slot, on);
    }
    return failure;
}

void WarningComputer::evaluateMemos(WarningFacts const& f, bool failure, std::span<AlertRecord, kAlertRecordCount> records)
{
    for (Memo const& memo : fullMemos()) {
        bool const shows = memo.shows(f) && !failure;
        for (MemoLine const& line : memo.lines) {
            bool const done = line.isDone != nullptr && line.isDone(f);
            std::u16string_view const text = done ? line.done : line.toDo;
            if (records[line.slot].textView() != text)
                records[line.slot].setText(text);
            add(line.slot, shows);
        }
    }
}

void WarningComputer::evaluateStatus(WarningFacts const& f, std::span<AlertRecord, kAlertRecordCount> records)
{
    for (WarningRow const& row : fullStatusRows()) {
        if (row.levelNow != nullptr)
            records[row.slot].level = row.levelNow(f);
        add(row.slot, row.shows(f));
    }
}
