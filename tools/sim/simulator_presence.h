#pragma once

#include "shared_aircraft.h"

#include <chrono>
#include <optional>
#include <string>

// Whether a simulator is sending an aircraft that flies, decided with
// hysteresis so that a slow simulator does not flip: it is sending once
// kSteadyDatagrams have come, each within quietAfter of the one before, and
// silent again once quietAfter passes without one. A datagram saying that the
// aircraft is not ready (FlightGear loading its flight model) makes it wait
// at once. Until it is first heard it is waiting.
//
// Each change is told on stderr once, and the reason for waiting is kept in
// the shared aircraft, empty while sending, so that the server stops serving
// and the display says why.
class SimulatorPresence {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr int kSteadyDatagrams = 3;

    SimulatorPresence(std::string simulator, std::chrono::milliseconds quietAfter, SharedAircraft& aircraft,
        std::string const& where);

    // A datagram of values came from where; ready false when it says the
    // aircraft is not ready.
    void heard(Clock::time_point now, std::string const& where, bool ready = true);
    // True while not sending; notices silence.
    bool waiting(Clock::time_point now, std::string const& where);

private:
    void wait(std::string reason);

    std::string simulator;
    std::chrono::milliseconds quietAfter;
    SharedAircraft& aircraft;
    std::optional<Clock::time_point> lastHeard;
    int steadyDatagrams = 0;
    std::string reason; // empty while sending
};
