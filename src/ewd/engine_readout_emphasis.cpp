#include "ewd/engine_readout_emphasis.h"

#include "sim/value_sources.h"

ReadoutEmphasis engineReadoutEmphasis(EngineItemSettings const& settings, EngineState const& state, int gaugeIndex,
    double value, Brush const* caution, Brush const* startFill)
{
    ReadoutEmphasis emphasis;
    if (gaugeIndex == EngineRow::N2 && settings.n2StartFill && state.starting)
        emphasis.fill = startFill;
    if (gaugeIndex == EngineRow::EGT && value > state.egtCautionFrom)
        emphasis.digits = caution;
    return emphasis;
}
