#pragma once

#include "sim/aircraft_values.h"
#include "sim/sim_data.h"
#include "systems/thrust_lever_detents.h"

// The thrust limit mode the engine controls use. The aircraft's own when it
// gives one; otherwise the most advanced thrust lever's detent says: TOGA
// gives TOGA; FLX/MCT gives FLX when a flex temperature is set on the ground,
// and FLX stays until the lever leaves that detent, else MCT; CL or below
// gives CL; reverse gives MREV. Without a lever either: none.
class ThrustLimitModeComputer {
public:
    // Call once per frame.
    ThrustLimitCode update(SimData const&, ThrustLeverDetents const&);

private:
    ThrustLimitCode m_mode = ThrustLimitCode::None;
};
