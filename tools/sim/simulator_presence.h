#pragma once

#include <chrono>
#include <optional>
#include <string>

// Whether a simulator is being heard, told on stderr once per change: once
// when waiting for it begins, once when it is heard again.
class SimulatorPresence {
public:
    using Clock = std::chrono::steady_clock;

    SimulatorPresence(std::string simulator, std::chrono::milliseconds quietAfter);

    void heard(Clock::time_point now, std::string const& where);
    // True until the simulator is first heard and whenever it has been silent
    // for quietAfter.
    bool waiting(Clock::time_point now, std::string const& where);

private:
    std::string simulator;
    std::chrono::milliseconds quietAfter;
    std::optional<Clock::time_point> lastHeard;
    bool saidWaiting = false;
};
