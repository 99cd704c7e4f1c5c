#pragma once

#include "render/geometry.h"
#include "systems/engine_states.h"

#include <optional>

class ProfileReader;
struct ColourEntry;

// The engine items of the full page as a layout sets them. Every item is
// off until the layout names its key: a length or radius of 0 draws nothing,
// an absent offset places nothing.
struct EngineItemSettings {
    // StartEndN2, EGTStartLimit, EGTRunLimit, ThrustLeverN1; the red lines
    // are the engine gauges' danger thresholds, which the page fills in.
    EngineStateSettings states;
    float leverCircleRadius = 0; // on the thrust dial's rim
    float ratingMarkLength = 0; // amber, outward from the thrust dial's rim
    float n1PeakMarkLength = 0; // red, outward from the N1 dial's rim
    float egtPeakMarkLength = 0;
    float egtCautionMarkLength = 0; // amber, outward from the EGT dial's rim
    bool n2StartFill = false; // behind the N2 digits while the engine starts
    std::optional<PointF> n2CrossOffset; // from the N2 readout's centre
    std::optional<PointF> availOffset; // from the thrust dial's centre
    std::optional<PointF> revOffset; // from the thrust dial's centre
};

// Reads the items' keys, and the colour rows only they use: the caution
// (amber) pen and brush and the start fill.
EngineItemSettings readEngineItemSettings(ProfileReader const&, ColourEntry& caution, ColourEntry& startFill);
