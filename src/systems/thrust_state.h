#pragma once

#include "sim/aircraft_values.h"
#include "sim/sim_data.h"
#include "systems/condition_timers.h"
#include "systems/thrust_lever_detents.h"

#include <optional>

// What the top of the page says about thrust: the limit mode with its N1
// limit and flex temperature, IDLE and A.FLOOR. Derived on simulator time,
// so a replay shows the same page.

struct ThrustSettings {
    ThrustLeverDetents detents;
    // IDLE lights while every running engine's N1 is at or below this.
    double idleN1 = 30;
    // IDLE flashes this long after it lights, then stays steady.
    double idleFlashSeconds = 10;
};

struct ThrustIndications {
    // None while neither the aircraft nor a lever says anything.
    ThrustLimitCode mode = ThrustLimitCode::None;
    // Absent when the aircraft gives none: the page shows that, it never
    // makes a number up.
    std::optional<double> n1Limit;
    std::optional<double> flexTemp;
    bool idle = false; // IDLE drawn this frame (dark in a flash's off half)
    bool alphaFloor = false;
};

class ThrustState {
public:
    // The one entry point: call once per frame with the frame's data.
    ThrustIndications const& update(SimData const&, ThrustSettings const&);
    ThrustIndications const& indications() const { return m_shown; }

private:
    ThrustLimitCode modeFromLevers(SimData const&, ThrustLeverDetents const&);
    bool idleLit(SimData const&, ThrustSettings const&);

    ThrustIndications m_shown;
    // FLX holds from its setting on the ground until the lever leaves the
    // FLX/MCT detent, as the engine controls keep it.
    bool m_flexHeld = false;
    ConditionAge m_idleAge;
};
