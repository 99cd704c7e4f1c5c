#include "simulator_presence.h"

#include <iostream>

SimulatorPresence::SimulatorPresence(std::string simulator, std::chrono::milliseconds quietAfter)
    : simulator(std::move(simulator))
    , quietAfter(quietAfter)
{
}

void SimulatorPresence::heard(Clock::time_point now, std::string const& where)
{
    lastHeard = now;
    if (saidWaiting)
        std::cerr << simulator << " at " << where << " is sending.\n";
    saidWaiting = false;
}

bool SimulatorPresence::waiting(Clock::time_point now, std::string const& where)
{
    if (lastHeard && now - *lastHeard < quietAfter)
        return false;
    if (!saidWaiting)
        std::cerr << "Waiting for " << simulator << " at " << where
                  << "; the display keeps the last values meanwhile.\n";
    saidWaiting = true;
    return true;
}
