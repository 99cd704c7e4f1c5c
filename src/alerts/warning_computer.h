#pragma once

#include "alerts/alert_record.h"
#include "alerts/ecam_alerts.h"
#include "alerts/full_warning_set.h"
#include "systems/condition_timers.h"
#include "systems/flight_phase.h"
#include "systems/thrust_lever_detents.h"

#include <array>
#include <span>

// The full warning mode: the flight phases, inhibition by phase, the T.O
// and LDG memos and the common messages of the A320's warning computer,
// all on simulator time. Everything it shows comes from simulator data: while
// none flows, it shows nothing and starts afresh when data returns.
class WarningComputer {
public:
    static constexpr double kInhibitMemoDelaySeconds = 3;
    static constexpr double kTakeOffMemoDelaySeconds = 120;
    static constexpr double kSteeringCautionSeconds = 30;
    static constexpr double kWingTankLowSeconds = 30;
    static constexpr double kDisconnectShowSeconds = 9;
    static constexpr double kLowWingTankKg = 750;

    // The state of every slot of the set in this frame, failures first, then
    // the memo lines, then the right column. Rewrites the memo lines' texts
    // and the levels that follow the moment.
    std::span<AlertSwitch const> evaluate(SimData const&, bool dataFlowing, std::span<AlertRecord, kAlertRecordCount>);

    FlightPhase phase() const { return m_clocks.phases.phase(); }

    // Where the layout puts the thrust levers' detents (take-off power).
    void setLeverDetents(ThrustLeverDetents const& detents) { m_detents = detents; }

private:
    // Everything that runs on simulator time, started afresh with the data.
    struct Clocks {
        FlightPhaseComputer phases;
        HeldCondition takeOffInhibit;
        HeldCondition landingInhibit;
        HeldCondition enginesRunning;
        HeldCondition engineRun30s;
        HeldCondition bothLow;
        HeldCondition leftLow;
        HeldCondition rightLow;
        AfterSwitchOff autopilotOff;
        AfterSwitchOff autothrustOff;
        bool autothrustWasOn = false;
        bool autothrustOffAtIdle = false;
        AfterSwitchOff autobrakeOff;
        bool landingMemoLatch = false;
    };

    void addTimedFacts(WarningFacts&);
    bool evaluateFailures(WarningFacts const&, std::span<AlertRecord, kAlertRecordCount>);
    void evaluateMemos(WarningFacts const&, bool failure, std::span<AlertRecord, kAlertRecordCount>);
    void evaluateStatus(WarningFacts const&, std::span<AlertRecord, kAlertRecordCount>);
    void add(int slot, bool on) { m_switches[m_switchCount++] = { slot, on }; }

    ThrustLeverDetents m_detents;
    Clocks m_clocks;
    // At most one switch per slot.
    std::array<AlertSwitch, kAlertRecordCount> m_switches {};
    std::size_t m_switchCount = 0;
};
