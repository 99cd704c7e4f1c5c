#pragma once

#include "live_aircraft.h"

#include <mutex>

// The aircraft a source fills on its thread while the server reads it on its own.
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

private:
    mutable std::mutex mutex;
    LiveAircraft aircraft;
};
