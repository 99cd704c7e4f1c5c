#include "systems/thrust_limit_mode.h"

#include "sim/value_sources.h"

#include <cmath>

namespace {

constexpr int kHighestCode = static_cast<int>(ThrustLimitCode::MaxReverse);

ThrustLimitCode fromDetent(LeverDetent detent, bool flexSetOnGround, ThrustLimitCode previous)
{
    switch (detent) {
    case LeverDetent::Toga:
        return ThrustLimitCode::TakeOffGoAround;
    case LeverDetent::FlexMct:
        return flexSetOnGround || previous == ThrustLimitCode::Flex ? ThrustLimitCode::Flex : ThrustLimitCode::MaxContinuous;
    case LeverDetent::Reverse:
        return ThrustLimitCode::MaxReverse;
    case LeverDetent::Climb:
    case LeverDetent::Idle:
        break;
    }
    return ThrustLimitCode::Climb;
}

}

ThrustLimitCode ThrustLimitModeComputer::update(SimData const& data, ThrustLeverDetents const& detents)
{
    if (std::optional<double> const given = aircraftValue(data, AircraftValue::ThrustLimitMode)) {
        // Checked before the conversion: a value beyond int's range has none.
        double const code = std::floor(*given + 0.5);
        bool const known = code >= 0 && code <= kHighestCode;
        m_mode = known ? static_cast<ThrustLimitCode>(static_cast<int>(code)) : ThrustLimitCode::None;
        return m_mode;
    }
    LeverDetent detent {};
    if (!mostAdvancedLeverDetent(data, detents, detent)) {
        m_mode = ThrustLimitCode::None;
        return m_mode;
    }
    std::optional<double> const flexTemp = aircraftValue(data, AircraftValue::FlexTemp);
    bool const flexSetOnGround = flexTemp && *flexTemp != 0 && onGround(data);
    m_mode = fromDetent(detent, flexSetOnGround, m_mode);
    return m_mode;
}
