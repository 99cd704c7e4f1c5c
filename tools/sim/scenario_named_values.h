#pragma once

#include "scenario_values.h"
#include "sim/aircraft_values.h"

#include <span>
#include <string>
#include <string_view>

// The display's named values (sim/aircraft_values.h) as scenarios and
// recordings name them: the value's name in snake case (ThrottleLever is
// throttle_lever, ApuEGT apu_egt), a per-engine or per-gear instance after
// a dot (throttle_lever.2, gear_position.1 for the nose gear). The six values
// AircraftState's own fields carry are named by those fields instead.
struct ScenarioNamedValue {
    std::string name;
    AircraftValue value;
    int instances;
    Blend blend;
    int decimals; // kept in recordings
    ValueRange range;
};

// ThrottleLever -> throttle_lever, N1Limit -> n1_limit, ITT -> itt.
std::string scenarioNameOf(std::string_view valueName);

// Every named value a scenario may give, in the core table's order.
std::span<ScenarioNamedValue const> scenarioNamedValues();
