#pragma once

#include <cstdint>

// The flight phases of the A320's warning computer, which decide what may
// show when:
//  1 on the ground, engines off
//  2 an engine running, no take-off power, below 80 kt
//  3 take-off power, below 80 kt
//  4 take-off power (or a rejected take-off), 80 kt or more, on the ground
//  5 airborne after lift-off with take-off power, below 1500 ft radio
//    altitude and within 120 s of lift-off
//  6 airborne otherwise (climb, cruise, descent)
//  7 airborne below 800 ft without take-off power
//  8 on the ground after touchdown, 80 kt or more
//  9 on the ground below 80 kt after landing or a rejected take-off, an
//    engine running
// 10 the five minutes after the engines stop following 8 or 9; then 1
// 80 kt is reached at 83 kt and left at 77 kt, so a speed that hovers near
// it does not flip the phase.
enum class FlightPhase : std::uint8_t {
    EnginesOff = 1,
    EngineRunning = 2,
    TakeOffPower = 3,
    TakeOffRoll = 4,
    LiftOff = 5,
    Airborne = 6,
    Approach = 7,
    Touchdown = 8,
    TaxiIn = 9,
    EnginesStopped = 10,
};

// What the phases are derived from, in one frame. A speed or radio altitude
// the aircraft does not give is NaN: the speed then counts as slow and the
// height as high.
struct FlightPhaseInputs {
    double simTime = 0;
    bool onGround = true;
    bool anyEngineRunning = false;
    bool takeOffPower = false;
    double airspeedKt = 0;
    double radioAltitudeFt = 0;
};

class FlightPhaseComputer {
public:
    static constexpr double kFastOnKt = 83;
    static constexpr double kFastOffKt = 77;
    static constexpr double kLiftOffCeilingFt = 1500;
    static constexpr double kLiftOffSeconds = 120;
    static constexpr double kApproachCeilingFt = 800;
    static constexpr double kEnginesStoppedSeconds = 300;

    // The phase of this frame; call once per frame, simulator time rising.
    FlightPhase update(FlightPhaseInputs const&);

    FlightPhase phase() const { return m_phase; }
    // Back to phase 1, as at start: the data that fed the phases is gone.
    void reset() { *this = FlightPhaseComputer {}; }

private:
    FlightPhase airbornePhase(FlightPhaseInputs const&) const;
    FlightPhase groundPhase(FlightPhaseInputs const&);

    FlightPhase m_phase = FlightPhase::EnginesOff;
    bool m_fast = false;
    // Set by a touchdown or a rejected take-off; phase 9 follows instead of 2.
    bool m_afterRollOut = false;
    double m_liftOffTime = 0;
    double m_enginesStoppedTime = 0;
    bool m_enginesWereRunning = false;
};
