#pragma once

#include "aircraft_state.h"
#include "live_fields.h"

#include <array>
#include <utility>
#include <vector>

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

    // Keeps a named value an aircraft file's dataref or property delivered,
    // in the value's unit, held within the range a scenario may give it. A
    // number that is not finite, or an instance the value does not have, is
    // refused: false, and the value keeps what it had. A value never set
    // stays not available.
    bool setNamed(AircraftValue value, int instance, double number);
    // Drops a named value the simulator no longer has (another aircraft was
    // loaded): not available again, or, for a value the fields carry, the
    // standard field's once more.
    void forgetNamed(AircraftValue value, int instance);

    AircraftState state() const;

private:
    double at(LiveQuantity quantity, int slot = 0) const;
    double switchAt(LiveQuantity quantity, int slot = 0) const;

    std::array<std::array<double, kLiveSlots>, kLiveQuantityCount> values {};
    AircraftState named; // only its named values are set
    std::vector<std::pair<AircraftValue, int>> namedSet; // in the order first set
};
