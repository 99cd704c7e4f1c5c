#pragma once

#include "live_source_options.h"
#include "offset_space.h"

#include <memory>
#include <string>

// A live simulator relayed to the display in place of a scenario.
class LiveSource {
public:
    virtual ~LiveSource() = default;

    // Writes the simulator's latest values into the offsets.
    virtual void serveLatest(OffsetSpace& space) = 0;
};

// Starts listening to the simulator, on a thread of its own; the source says
// goodbye to the simulator and reports what it received when destroyed. None,
// with error set to one sentence, when it cannot start. One implementation
// per platform: only Linux has the bridge.
std::unique_ptr<LiveSource> startLiveSource(LiveSourceOptions const& options, std::string& error);
