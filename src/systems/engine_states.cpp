#include "systems/engine_states.h"

#include "sim/value_sources.h"

#include <algorithm>
#include <cmath>

namespace {

// Starter codes: 0 off, 1 start, 2 generator.
constexpr double kStarterStart = 1;

// A code read as the nearest whole number, whatever the value's size.
bool reads(SimData const& data, AircraftValue value, int engine, double code)
{
    std::optional<double> const given = aircraftValue(data, value, engine);
    return given && std::abs(*given - code) < 0.5;
}

// The higher of a kept peak (NaN when none) and a value above the red line.
double raisedPeak(double peak, double value, double redLine)
{
    if (!(value > redLine))
        return peak;
    return std::isnan(peak) ? value : std::max(peak, value);
}

}

void EngineStates::update(SimData const& data, EngineStateSettings const& settings, double simTime, ThrustLimitCode mode,
    ThrustLeverDetents const& detents)
{
    if (simTime < m_lastTime)
        *this = EngineStates {};
    m_lastTime = simTime;

    bool const maxThrustMode = mode == ThrustLimitCode::TakeOffGoAround || mode == ThrustLimitCode::MaxReverse;
    std::optional<double> const limit = aircraftValue(data, AircraftValue::N1Limit);
    m_ratingLimitN1 = maxThrustMode && limit ? *limit : NAN;
    bool const alphaFloor = aircraftSwitch(data, AircraftValue::AlphaFloor);

    int const engines = std::min<int>(engineCount(data), SimData::kMaxEngines);
    for (int i = 0; i < engines; ++i) {
        Engine& engine = m_engines[static_cast<std::size_t>(i)];
        updateStart(engine, data, i, settings, simTime);
        updateReverser(engine, data, i, detents, simTime);
        updatePeaks(engine.shown, data, i, settings);
        updateLimits(engine.shown, data, i, settings, mode, alphaFloor);
    }
}

// A start begins when the starter is selected with N2 below the start-end
// N2, and ends there with the engine at idle. A starter that goes off first
// ends it too, unless the core is alight and carries the engine on to idle.
// Each start clears the peaks of the run before.
void EngineStates::updateStart(Engine& engine, SimData const& data, int index, EngineStateSettings const& settings, double simTime)
{
    EngineState& state = engine.shown;
    double const n2 = data.n2Percent[index];
    bool const starter = reads(data, AircraftValue::Starter, index, kStarterStart);
    if (!state.starting && starter && n2 < settings.startEndN2) {
        state.starting = true;
        state.peakN1 = state.peakEgt = state.peakN2 = NAN;
        engine.availableUntil = -INFINITY;
    }
    if (state.starting && n2 >= settings.startEndN2) {
        state.starting = false;
        engine.availableUntil = simTime + kAvailableSeconds;
    } else if (state.starting && !starter && !aircraftSwitch(data, AircraftValue::Combustion, index)) {
        state.starting = false;
    }
    state.available = simTime < engine.availableUntil;
}

// From the doors' position when the aircraft gives it; from the reverse
// lever otherwise, the doors taken to travel for a fixed time after it is
// selected.
void EngineStates::updateReverser(Engine& engine, SimData const& data, int index, ThrustLeverDetents const& detents, double simTime)
{
    EngineState& state = engine.shown;
    if (std::optional<double> const position = aircraftValue(data, AircraftValue::ReverserPosition, index)) {
        if (*position < kReverserStowedBelow)
            state.reverser = ReverserState::Stowed;
        else if (*position >= kReverserDeployedFrom)
            state.reverser = ReverserState::Deployed;
        else
            state.reverser = ReverserState::InTransit;
        return;
    }
    std::optional<double> const lever = aircraftValue(data, AircraftValue::ThrottleLever, index);
    if (!lever || leverDetent(*lever, detents) != LeverDetent::Reverse) {
        engine.reverseSelectedAt = NAN;
        state.reverser = ReverserState::Stowed;
        return;
    }
    if (std::isnan(engine.reverseSelectedAt))
        engine.reverseSelectedAt = simTime;
    bool const moving = simTime - engine.reverseSelectedAt < kReverserTransitSeconds;
    state.reverser = moving ? ReverserState::InTransit : ReverserState::Deployed;
}

void EngineStates::updatePeaks(EngineState& state, SimData const& data, int index, EngineStateSettings const& settings)
{
    state.peakN1 = raisedPeak(state.peakN1, data.n1Percent[index], settings.n1RedLine);
    state.peakN2 = raisedPeak(state.peakN2, data.n2Percent[index], settings.n2RedLine);
    state.peakEgt = raisedPeak(state.peakEgt, data.egtC[index], settings.egtRedLine);
}

// The lever's N1 comes from the aircraft when it computes it, else through
// the layout's lever table. The EGT caution follows the start limit while
// the engine starts; once it runs, the running limit, whose mark take-off
// thrust hides and whose amber digits take-off thrust, reverse and alpha
// floor leave green.
void EngineStates::updateLimits(EngineState& state, SimData const& data, int index, EngineStateSettings const& settings, ThrustLimitCode mode,
    bool alphaFloor)
{
    std::optional<double> const commanded = aircraftValue(data, AircraftValue::CommandedN1, index);
    std::optional<double> const lever = aircraftValue(data, AircraftValue::ThrottleLever, index);
    std::optional<double> const fromLever = lever ? interpolate(settings.leverToN1, *lever) : std::nullopt;
    state.commandedN1 = commanded ? *commanded : fromLever.value_or(NAN);

    bool const takeOff = mode == ThrustLimitCode::TakeOffGoAround || mode == ThrustLimitCode::Flex;
    bool const greenDigits = takeOff || mode == ThrustLimitCode::MaxReverse || alphaFloor;
    if (state.starting) {
        state.egtCautionMark = state.egtCautionFrom = settings.egtStartLimit;
        return;
    }
    state.egtCautionMark = takeOff ? NAN : settings.egtRunLimit;
    state.egtCautionFrom = greenDigits ? NAN : settings.egtRunLimit;
}
