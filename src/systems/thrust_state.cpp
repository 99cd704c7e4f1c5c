#include "systems/thrust_state.h"

#include "sim/value_sources.h"

#include <algorithm>
#include <cmath>

namespace {

// A flash: lit for the first half of each second.
constexpr double kFlashPeriodSeconds = 1.0;
constexpr double kFlashLitFraction = 0.5;

// The aircraft's code, taken as the nearest whole code (a scaled variable
// may read 2.9999); anything outside the codes is no mode, and is never
// converted, so no number can overflow the cast.
ThrustLimitCode modeFromCode(double code)
{
    double const nearest = std::round(code);
    if (!(nearest >= static_cast<double>(ThrustLimitCode::Climb) && nearest <= static_cast<double>(ThrustLimitCode::MaxReverse)))
        return ThrustLimitCode::None;
    return static_cast<ThrustLimitCode>(static_cast<int>(nearest));
}

} // namespace

ThrustIndications const& ThrustState::update(SimData const& data, ThrustSettings const& settings)
{
    std::optional<double> const aircraftMode = aircraftValue(data, AircraftValue::ThrustLimitMode);
    // The levers are followed even when the aircraft names the mode, so the
    // flex hold is right the moment its mode goes missing.
    ThrustLimitCode const leverMode = modeFromLevers(data, settings.detents);
    m_shown.mode = aircraftMode ? modeFromCode(*aircraftMode) : leverMode;
    m_shown.n1Limit = aircraftValue(data, AircraftValue::N1Limit);
    m_shown.flexTemp = aircraftValue(data, AircraftValue::FlexTemp);
    m_shown.alphaFloor = aircraftSwitch(data, AircraftValue::AlphaFloor);
    m_shown.idle = idleLit(data, settings);
    return m_shown;
}

ThrustLimitCode ThrustState::modeFromLevers(SimData const& data, ThrustLeverDetents const& detents)
{
    LeverDetent detent = LeverDetent::Idle;
    if (!mostAdvancedLeverDetent(data, detents, detent)) {
        m_flexHeld = false;
        return ThrustLimitCode::None;
    }
    if (detent != LeverDetent::FlexMct)
        m_flexHeld = false;
    switch (detent) {
    case LeverDetent::Reverse:
        return ThrustLimitCode::MaxReverse;
    case LeverDetent::Toga:
        return ThrustLimitCode::TakeOffGoAround;
    case LeverDetent::FlexMct: {
        std::optional<double> const flex = aircraftValue(data, AircraftValue::FlexTemp);
        if (!m_flexHeld && onGround(data) && flex && *flex > 0)
            m_flexHeld = true;
        return m_flexHeld ? ThrustLimitCode::Flex : ThrustLimitCode::MaxContinuous;
    }
    case LeverDetent::Idle:
    case LeverDetent::Climb:
        break;
    }
    return ThrustLimitCode::Climb;
}

bool ThrustState::idleLit(SimData const& data, ThrustSettings const& settings)
{
    int const engines = std::min<int>(engineCount(data), SimData::kMaxEngines);
    bool atIdle = !onGround(data) && aircraftSwitch(data, AircraftValue::AutothrustActive);
    bool anyRunning = false;
    for (int engine = 0; atIdle && engine < engines; ++engine) {
        if (!engineRunning(data, engine))
            continue;
        anyRunning = true;
        atIdle = engineN1(data, engine) <= settings.idleN1;
    }
    std::optional<double> const lit = m_idleAge.update(atIdle && anyRunning, simTime(data));
    if (!lit)
        return false;
    if (*lit >= settings.idleFlashSeconds)
        return true;
    return std::fmod(*lit, kFlashPeriodSeconds) < kFlashPeriodSeconds * kFlashLitFraction;
}
