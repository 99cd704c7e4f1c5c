#pragma once

#include "aircraft_state.h"
#include "live_fields.h"

#include <array>

// The latest values a live simulator sent, each within its bounds, and the
// aircraft they describe.
class LiveAircraft {
public:
    LiveAircraft();

    // Keeps value for field, clamped to the field's bounds. A value that is not
    // a finite number, or a slot the field does not have, is refused: false,
    // and the field keeps what it had.
    bool set(LiveField field, double value);
    double value(LiveField field) const;

    AircraftState state() const;

private:
    double at(LiveQuantity quantity, int slot = 0) const;
    double switchAt(LiveQuantity quantity, int slot = 0) const;

    std::array<std::array<double, kLiveSlots>, kLiveQuantityCount> values {};
};
