#include "live_source.h"

// On Windows the display reads the simulator itself, through FSUIPC.
std::unique_ptr<LiveSource> startLiveSource(LiveSourceOptions const&, std::string& error)
{
    error = "tarnex-sim relays X-Plane and FlightGear on Linux only; on Windows run the display beside FSUIPC.";
    return nullptr;
}

bool writeFlightGearProtocol(LiveSourceOptions const&, std::string const&, std::string&, std::string& error)
{
    error = "tarnex-sim relays FlightGear on Linux only; on Windows run the display beside FSUIPC.";
    return false;
}
