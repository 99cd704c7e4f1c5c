#pragma once

#include "aircraft_state.h"
#include "live_source_options.h"

#include <memory>
#include <string>

// A live simulator relayed to the display in place of a scenario.
class LiveSource {
public:
    virtual ~LiveSource() = default;

    // The aircraft as the simulator last described it.
    virtual AircraftState latest() = 0;
};

// Starts listening to the simulator, on a thread of its own; the source says
// goodbye to the simulator and reports what it received when destroyed. None,
// with error set to one sentence, when it cannot start. One implementation
// per platform: only Linux has the bridge.
std::unique_ptr<LiveSource> startLiveSource(LiveSourceOptions const& options, std::string& error);
