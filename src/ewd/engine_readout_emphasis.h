#pragma once

#include "ewd/engine_item_settings.h"
#include "gauges/efis_display.h"
#include "systems/engine_states.h"

// The engine readouts the items set apart: N2 on the start fill while its
// engine starts, EGT digits in the caution brush above the caution limit of
// the moment (the red line, drawn by the gauge, wins over it).
ReadoutEmphasis engineReadoutEmphasis(EngineItemSettings const&, EngineState const&, int gaugeIndex, double value,
    Brush const* caution, Brush const* startFill);
