#pragma once

#include "aircraft_state.h"
#include "live_source_options.h"

#include <memory>
#include <string>

// What a live simulator offers at a moment.
struct LiveReading {
    AircraftState aircraft; // as the simulator last described it
    // Why there is no live aircraft now, as one line naming the simulator and
    // where it is looked for ("Waiting for FlightGear at 127.0.0.1:5500"):
    // not heard yet, silent, or its flight model not ready. Empty while it
    // sends a flying aircraft.
    std::string waiting;
};

// A live simulator relayed to the display in place of a scenario.
class LiveSource {
public:
    virtual ~LiveSource() = default;

    virtual LiveReading latest() = 0;
};

// Starts listening to the simulator, on a thread of its own; the source says
// goodbye to the simulator and reports what it received when destroyed. None,
// with error set to one sentence, when it cannot start. One implementation
// per platform: only Linux has the bridge.
std::unique_ptr<LiveSource> startLiveSource(LiveSourceOptions const& options, std::string& error);

// Writes FlightGear's protocol file for the options' aircraft file into
// directory (--write-protocol); what to tell the user, or false with error
// set to one sentence.
bool writeFlightGearProtocol(
    LiveSourceOptions const& options, std::string const& directory, std::string& told, std::string& error);
