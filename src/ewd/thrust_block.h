#pragma once

#include "render/graphics.h"
#include "sim/sim_derivation.h"
#include "systems/thrust_state.h"

#include <string>

class ProfileReader;

// The top of the full page: the thrust limit block (mode, N1 limit, flex
// temperature), IDLE and A.FLOOR. Each shows only when the layout places it,
// so a layout that names none of their keys draws as before.
struct ThrustBlockLayout {
    bool limitShown = false;
    PointF limitPosition; // the mode's baseline, left end
    PointF limitValueOffset { 170, 0 }; // the N1 limit's baseline, right end
    PointF flexOffset { 0, 35 }; // the flex temperature's baseline, left end
    int decimals = 1;
    std::u16string unit = u"%";
    std::string face = "Arial";
    float fontSize = 30;

    bool idleShown = false;
    PointF idlePosition; // baseline, centre
    bool alphaFloorShown = false;
    PointF alphaFloorPosition; // baseline, left end

    ThrustSettings settings;
};

// The keys of the block, IDLE, A.FLOOR and the thrust lever detents.
ThrustBlockLayout readThrustBlockLayout(ProfileReader const&);

struct ThrustBlockPaint {
    Brush const* mode = nullptr; // cyan: mode, unit, flex temperature
    Brush const* value = nullptr; // green: the N1 limit, IDLE
    Brush const* missing = nullptr; // amber: "XX", A.FLOOR
    Font const* font = nullptr;
};

// On a page led by EPR (eprFromN1 given) the limit shows as the EPR that
// the aircraft's N1 limit commands, as the engine dials place it.
void drawThrustBlock(Graphics&, ThrustIndications const&, ThrustBlockLayout const&, ThrustBlockPaint const&,
    CeprMapping const* eprFromN1 = nullptr);
