#pragma once

#include "sim/sim_data.h"

// Where the thrust levers' detents sit, in the lever's own unit (percent of
// forward travel, negative in reverse). They differ between aircraft models,
// so a layout may move them; the defaults are a lever whose forward travel
// runs evenly from idle (0 %) to TOGA (100 %), with the A320's CL and FLX/MCT
// gates at about 25 and 35 of its 45 degrees.
struct ThrustLeverDetents {
    double climb = 55; // CL
    double flexMct = 77; // FLX/MCT
    double toga = 95; // TOGA
    double reverse = -5; // at or below: reverse
};

// From the least to the most advanced.
enum class LeverDetent { Reverse, Idle, Climb, FlexMct, Toga };

LeverDetent leverDetent(double leverPercent, ThrustLeverDetents const&);

// The most advanced lever's detent over the engines the simulator reports;
// none when the aircraft gives no lever position.
bool mostAdvancedLeverDetent(SimData const&, ThrustLeverDetents const&, LeverDetent& detent);
