#include "systems/flight_phase.h"

#include <cmath>
#include <initializer_list>

namespace {

bool inPhase(FlightPhase phase, std::initializer_list<FlightPhase> phases)
{
    for (FlightPhase p : phases) {
        if (p == phase)
            return true;
    }
    return false;
}

} // namespace

FlightPhase FlightPhaseComputer::update(FlightPhaseInputs const& in)
{
    if (!std::isnan(in.airspeedKt))
        m_fast = m_fast ? in.airspeedKt >= kFastOffKt : in.airspeedKt >= kFastOnKt;
    else
        m_fast = false;
    if (m_enginesWereRunning && !in.anyEngineRunning)
        m_enginesStoppedTime = in.simTime;
    m_enginesWereRunning = in.anyEngineRunning;

    bool const wasOnGround = !inPhase(m_phase, { FlightPhase::LiftOff, FlightPhase::Airborne, FlightPhase::Approach });
    if (!in.onGround && wasOnGround)
        m_liftOffTime = in.simTime;
    m_phase = in.onGround ? groundPhase(in) : airbornePhase(in);
    return m_phase;
}

FlightPhase FlightPhaseComputer::airbornePhase(FlightPhaseInputs const& in) const
{
    // Below a radio altitude the aircraft does not give, nothing is.
    auto const below = [&](double ceiling) { return !std::isnan(in.radioAltitudeFt) && in.radioAltitudeFt < ceiling; };
    bool const climbingOut = inPhase(m_phase, { FlightPhase::TakeOffPower, FlightPhase::TakeOffRoll, FlightPhase::LiftOff })
        && in.simTime - m_liftOffTime < kLiftOffSeconds;
    if (in.takeOffPower && climbingOut && below(kLiftOffCeilingFt))
        return FlightPhase::LiftOff;
    if (!in.takeOffPower && below(kApproachCeilingFt))
        return FlightPhase::Approach;
    return FlightPhase::Airborne;
}

FlightPhase FlightPhaseComputer::groundPhase(FlightPhaseInputs const& in)
{
    bool const touchedDown = inPhase(m_phase, { FlightPhase::LiftOff, FlightPhase::Airborne, FlightPhase::Approach, FlightPhase::Touchdown });
    if (touchedDown)
        m_afterRollOut = true;
    if (in.takeOffPower && in.anyEngineRunning) {
        m_afterRollOut = false;
        return m_fast ? FlightPhase::TakeOffRoll : FlightPhase::TakeOffPower;
    }
    bool const takingOff = inPhase(m_phase, { FlightPhase::TakeOffPower, FlightPhase::TakeOffRoll });
    if (takingOff)
        m_afterRollOut = true; // the take-off was rejected
    if (m_fast && touchedDown)
        return FlightPhase::Touchdown;
    // A take-off rejected at speed rolls on in phase 4 until below 80 kt.
    if (m_fast && m_phase == FlightPhase::TakeOffRoll)
        return FlightPhase::TakeOffRoll;
    if (in.anyEngineRunning)
        return m_afterRollOut ? FlightPhase::TaxiIn : FlightPhase::EngineRunning;
    bool const shuttingDown = m_afterRollOut || m_phase == FlightPhase::EnginesStopped;
    if (shuttingDown && in.simTime - m_enginesStoppedTime < kEnginesStoppedSeconds) {
        // Engines started again from here begin a new flight.
        m_afterRollOut = false;
        return FlightPhase::EnginesStopped;
    }
    m_afterRollOut = false;
    return FlightPhase::EnginesOff;
}
