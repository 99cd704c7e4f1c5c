#pragma once

#include "live_aircraft.h"

#include <mutex>
#include <string>

// The aircraft a source fills on its thread while the server reads it on its
// own, and why it is not to be served, if it is not.
class SharedAircraft {
public:
    template <typename Change>
    void update(Change&& change)
    {
        std::lock_guard const lock(mutex);
        change(aircraft);
    }

    LiveAircraft snapshot() const
    {
        std::lock_guard const lock(mutex);
        return aircraft;
    }

    // One line naming the simulator; empty while it sends a flying aircraft.
    void setWaiting(std::string const& reason)
    {
        std::lock_guard const lock(mutex);
        waiting = reason;
    }

    std::string waitingReason() const
    {
        std::lock_guard const lock(mutex);
        return waiting;
    }

private:
    mutable std::mutex mutex;
    LiveAircraft aircraft;
    std::string waiting;
};
