#include "simulator_presence.h"

#include <iostream>

SimulatorPresence::SimulatorPresence(std::string simulator, std::chrono::milliseconds quietAfter,
    SharedAircraft& aircraft, std::string const& where)
    : simulator(std::move(simulator))
    , quietAfter(quietAfter)
    , aircraft(aircraft)
{
    wait("Waiting for " + this->simulator + " at " + where);
}

void SimulatorPresence::heard(Clock::time_point now, std::string const& where, bool ready)
{
    bool const inStep = lastHeard && now - *lastHeard < quietAfter;
    lastHeard = now;
    if (!ready) {
        steadyDatagrams = 0;
        wait("Waiting for " + simulator + " at " + where + " to load its flight model");
        return;
    }
    if (reason.empty())
        return;
    steadyDatagrams = inStep ? steadyDatagrams + 1 : 1;
    if (steadyDatagrams < kSteadyDatagrams)
        return;
    reason.clear();
    aircraft.setWaiting(reason);
    std::cerr << simulator << " at " << where << " is sending.\n";
}

bool SimulatorPresence::waiting(Clock::time_point now, std::string const& where)
{
    // Silence also ends a wait for the flight model: the simulator may be gone.
    if (lastHeard && now - *lastHeard >= quietAfter)
        wait("Waiting for " + simulator + " at " + where);
    return !reason.empty();
}

void SimulatorPresence::wait(std::string line)
{
    if (line == reason)
        return;
    reason = std::move(line);
    steadyDatagrams = 0;
    aircraft.setWaiting(reason);
    std::cerr << reason << "; the display shows it is not connected meanwhile.\n";
}
