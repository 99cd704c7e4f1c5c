#pragma once

#include "alerts/alert_record.h"
#include "alerts/autopilot_off_timer.h"
#include "sim/sim_data.h"

#include <array>
#include <span>

// The ECAM message set of the E/WD page: warnings and cautions in the alert
// slots, memos in the status slots.

// Writes the ECAM records over the slots they use; the other slots keep what
// they hold.
void buildEcamAlertRecords(std::span<AlertRecord, kAlertRecordCount> records);

// The slots the ECAM conditions switch.
namespace EcamSlot {
enum : int {
    GroundSpoilersArmed = 0,
    FuelLeftLow = 2,
    FuelRightLow = 3,
    FuelBothLow = 4,
    Door = 13,
    ParkBrake = 76,
    SpeedBrake = 77,
    EngineAntiIce = 78,
    WingAntiIce = 79,
    AutopilotOff = 80,
    AutobrakeLow = 83,
    AutobrakeMedium = 84,
    AutobrakeMax = 85,
    LandingLights = 91,
    StrobeOff = 92,
    LandAsap = 96,
};
}

struct AlertSwitch {
    int slot = 0;
    bool on = false;
};

// The ECAM conditions, evaluated once per frame. Holds the A/P OFF timer,
// which lives as long as the display.
class EcamAlertRules {
public:
    static constexpr int kSwitchCount = 16;
    static constexpr double kLowWingTankKg = 750;
    static constexpr double kLowWingTanksTotalKg = 500;
    static constexpr double kHighN1Percent = 40;

    // The state of every switched slot in this frame, in the order the
    // conditions are applied. Rewrites the level of PARK BRK, which turns
    // from a memo into a caution with engines above idle or during pushback.
    std::array<AlertSwitch, kSwitchCount> evaluate(SimData const&, std::span<AlertRecord, kAlertRecordCount> records);

private:
    AutopilotOffTimer m_autopilotOff;
};
