#include "systems/thrust_lever_detents.h"

#include "sim/value_sources.h"

#include <algorithm>

LeverDetent leverDetent(double leverPercent, ThrustLeverDetents const& detents)
{
    if (leverPercent <= detents.reverse)
        return LeverDetent::Reverse;
    if (leverPercent >= detents.toga)
        return LeverDetent::Toga;
    if (leverPercent >= detents.flexMct)
        return LeverDetent::FlexMct;
    if (leverPercent >= detents.climb)
        return LeverDetent::Climb;
    return LeverDetent::Idle;
}

bool mostAdvancedLeverDetent(SimData const& data, ThrustLeverDetents const& detents, LeverDetent& detent)
{
    bool found = false;
    int const engines = std::min<int>(engineCount(data), SimData::kMaxEngines);
    for (int engine = 0; engine < engines; ++engine) {
        std::optional<double> const lever = aircraftValue(data, AircraftValue::ThrottleLever, engine);
        if (!lever)
            continue;
        LeverDetent const at = leverDetent(*lever, detents);
        if (!found || at > detent)
            detent = at;
        found = true;
    }
    return found;
}
