#pragma once

#include "ewd/engine_item_settings.h"
#include "gauges/gauge_record.h"
#include "render/graphics.h"
#include "sim/sim_derivation.h"
#include "systems/engine_states.h"

#include <span>

// What the engine items draw with; a null pen, brush or font leaves its
// items out.
struct EngineItemPaint {
    Pen const* leverPen = nullptr; // the thrust lever circle
    Pen const* cautionPen = nullptr; // amber marks
    Pen const* peakPen = nullptr; // red peak marks
    Brush const* normalBrush = nullptr; // AVAIL, REV deployed
    Brush const* cautionBrush = nullptr; // REV in transit
    Brush const* dangerBrush = nullptr; // the N2 cross
    float lineWidth = 1; // the REV box and the N2 cross
    Font const* font = nullptr; // AVAIL and REV: the tick font, which fits inside a dial
};

// The page's engine gauges as the items see them. The thrust dial is N1, or
// EPR on a page led by EPR: then what the items know as N1 stands on it as
// the EPR that N1 commands.
struct EngineItemDials {
    GaugeRecord const* thrust = nullptr;
    CeprMapping const* eprFromN1 = nullptr; // set when the thrust dial is EPR
    GaugeRecord const* n1 = nullptr;
    GaugeRecord const* egt = nullptr;
    GaugeRecord const* n2 = nullptr;
};

// The items of each engine column; running holds one flag per column. Marks
// stand only on dials (QUADRANT, RING) with a drawable scale.
void drawEngineItems(Graphics&, EngineItemSettings const&, EngineStates const&, EngineItemDials const&,
    EngineItemPaint const&, std::span<bool const> running);
