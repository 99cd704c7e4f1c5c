#pragma once

#include "aircraft_state.h"

#include <array>
#include <string_view>

// The values a keyframe scenario names, with how each moves between
// keyframes. The scenario reader and the recorder share this table, so that
// every value a recording writes can be read back.
enum class Blend { Linear, Step };

// What a scenario may give a value: switches and selectors take whole numbers
// in their range, the rest any number in theirs.
struct ValueRange {
    double lowest;
    double highest;
    bool whole;
};

constexpr ValueRange kSwitch { 0, 1, true };
constexpr ValueRange kPercent { 0, 150, false };
constexpr ValueRange kKilograms { 0, 1e6, false };
constexpr ValueRange kDegrees { 0, 90, false };

// Recordings keep each value to `decimals` places, far finer than the display
// shows, so that a live simulator's jitter does not fill the file with digits.
struct StateValue {
    std::string_view name;
    Blend blend;
    double initial; // until the first keyframe that names it
    double AircraftState::*member;
    int decimals;
    ValueRange range;
};

// Engine values are named with the engine number after a dot ("n1.2"), or
// without one for every engine.
struct EngineValue {
    std::string_view name;
    Blend blend;
    double initial;
    double EngineState::*member;
    int decimals;
    ValueRange range;
};

inline constexpr std::array kStateValues = {
    StateValue { "engines", Blend::Step, 2, &AircraftState::engines, 0, { 0, AircraftState::kMaxEngines, true } },
    StateValue { "fuel_centre", Blend::Linear, 0, &AircraftState::fuelCentre, 1, kKilograms },
    StateValue { "fuel_left_main", Blend::Linear, 0, &AircraftState::fuelLeftMain, 1, kKilograms },
    StateValue { "fuel_left_aux", Blend::Linear, 0, &AircraftState::fuelLeftAux, 1, kKilograms },
    StateValue { "fuel_right_main", Blend::Linear, 0, &AircraftState::fuelRightMain, 1, kKilograms },
    StateValue { "fuel_right_aux", Blend::Linear, 0, &AircraftState::fuelRightAux, 1, kKilograms },
    // A fraction is a lever between two detents, as a live lever moves.
    StateValue { "flap_detent", Blend::Step, 0, &AircraftState::flapDetent, 3, { 0, 5, false } },
    // Angles a scenario names replace the movement that follows the lever;
    // recordings name them, as a live simulator's surfaces move their own way.
    StateValue { "flap_angle", Blend::Linear, 0, &AircraftState::flapAngle, 3, kDegrees },
    StateValue { "slat_angle", Blend::Linear, 0, &AircraftState::slatAngle, 3, kDegrees },
    StateValue { "spoilers_armed", Blend::Step, 0, &AircraftState::spoilersArmed, 0, kSwitch },
    StateValue { "spoilers", Blend::Linear, 0, &AircraftState::spoilers, 2, { 0, 100, false } },
    StateValue { "parking_brake", Blend::Step, 0, &AircraftState::parkingBrake, 0, kSwitch },
    StateValue { "pushback", Blend::Step, 0, &AircraftState::pushback, 0, kSwitch },
    StateValue { "autopilot", Blend::Step, 0, &AircraftState::autopilot, 0, kSwitch },
    StateValue { "on_ground", Blend::Step, 0, &AircraftState::onGround, 0, kSwitch },
    StateValue { "exits", Blend::Step, 0, &AircraftState::exits, 0, { 0, 255, true } },
    StateValue { "overspeed", Blend::Step, 0, &AircraftState::overspeed, 0, kSwitch },
    StateValue { "autobrake", Blend::Step, 1, &AircraftState::autobrake, 0, { 0, 5, true } },
    StateValue { "wing_anti_ice", Blend::Step, 0, &AircraftState::wingAntiIce, 0, kSwitch },
    StateValue { "landing_lights", Blend::Step, 0, &AircraftState::landingLights, 0, kSwitch },
    StateValue { "strobe", Blend::Step, 0, &AircraftState::strobe, 0, kSwitch },
    StateValue { "beacon", Blend::Step, 0, &AircraftState::beacon, 0, kSwitch },
    StateValue { "nav_lights", Blend::Step, 0, &AircraftState::navLights, 0, kSwitch },
};

inline constexpr std::array kEngineValues = {
    EngineValue { "n1", Blend::Linear, 0, &EngineState::n1, 3, kPercent },
    EngineValue { "n2", Blend::Linear, 0, &EngineState::n2, 3, kPercent },
    EngineValue { "epr", Blend::Linear, 0, &EngineState::epr, 4, { 0, 5, false } },
    EngineValue { "egt", Blend::Linear, 0, &EngineState::egt, 2, { -100, 2000, false } },
    EngineValue { "ff", Blend::Linear, 0, &EngineState::fuelFlow, 1, { 0, 1e5, false } },
    EngineValue { "anti_ice", Blend::Step, 0, &EngineState::antiIce, 0, kSwitch },
    EngineValue { "fire", Blend::Step, 0, &EngineState::fire, 0, kSwitch },
};
