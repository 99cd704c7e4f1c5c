#pragma once

#include "aircraft_state.h"

#include <array>
#include <string_view>

// The values a keyframe scenario names, with how each moves between
// keyframes. The scenario reader and the recorder share this table, so that
// every value a recording writes can be read back.
enum class Blend { Linear, Step };

// Recordings keep each value to `decimals` places, far finer than the display
// shows, so that a live simulator's jitter does not fill the file with digits.
struct AircraftValue {
    std::string_view name;
    Blend blend;
    double initial; // until the first keyframe that names it
    double AircraftState::*member;
    int decimals;
};

// Engine values are named with the engine number after a dot ("n1.2"), or
// without one for every engine.
struct EngineValue {
    std::string_view name;
    Blend blend;
    double initial;
    double EngineState::*member;
    int decimals;
};

inline constexpr std::array kAircraftValues = {
    AircraftValue { "engines", Blend::Step, 2, &AircraftState::engines, 0 },
    AircraftValue { "fuel_centre", Blend::Linear, 0, &AircraftState::fuelCentre, 1 },
    AircraftValue { "fuel_left_main", Blend::Linear, 0, &AircraftState::fuelLeftMain, 1 },
    AircraftValue { "fuel_left_aux", Blend::Linear, 0, &AircraftState::fuelLeftAux, 1 },
    AircraftValue { "fuel_right_main", Blend::Linear, 0, &AircraftState::fuelRightMain, 1 },
    AircraftValue { "fuel_right_aux", Blend::Linear, 0, &AircraftState::fuelRightAux, 1 },
    AircraftValue { "flap_detent", Blend::Step, 0, &AircraftState::flapDetent, 3 },
    // Angles a scenario names replace the movement that follows the lever;
    // recordings name them, as a live simulator's surfaces move their own way.
    AircraftValue { "flap_angle", Blend::Linear, 0, &AircraftState::flapAngle, 3 },
    AircraftValue { "slat_angle", Blend::Linear, 0, &AircraftState::slatAngle, 3 },
    AircraftValue { "spoilers_armed", Blend::Step, 0, &AircraftState::spoilersArmed, 0 },
    AircraftValue { "spoilers", Blend::Linear, 0, &AircraftState::spoilers, 2 },
    AircraftValue { "parking_brake", Blend::Step, 0, &AircraftState::parkingBrake, 0 },
    AircraftValue { "pushback", Blend::Step, 0, &AircraftState::pushback, 0 },
    AircraftValue { "autopilot", Blend::Step, 0, &AircraftState::autopilot, 0 },
    AircraftValue { "on_ground", Blend::Step, 0, &AircraftState::onGround, 0 },
    AircraftValue { "exits", Blend::Step, 0, &AircraftState::exits, 0 },
    AircraftValue { "overspeed", Blend::Step, 0, &AircraftState::overspeed, 0 },
    AircraftValue { "autobrake", Blend::Step, 1, &AircraftState::autobrake, 0 },
    AircraftValue { "wing_anti_ice", Blend::Step, 0, &AircraftState::wingAntiIce, 0 },
    AircraftValue { "landing_lights", Blend::Step, 0, &AircraftState::landingLights, 0 },
    AircraftValue { "strobe", Blend::Step, 0, &AircraftState::strobe, 0 },
    AircraftValue { "beacon", Blend::Step, 0, &AircraftState::beacon, 0 },
    AircraftValue { "nav_lights", Blend::Step, 0, &AircraftState::navLights, 0 },
};

inline constexpr std::array kEngineValues = {
    EngineValue { "n1", Blend::Linear, 0, &EngineState::n1, 3 },
    EngineValue { "n2", Blend::Linear, 0, &EngineState::n2, 3 },
    EngineValue { "epr", Blend::Linear, 0, &EngineState::epr, 4 },
    EngineValue { "egt", Blend::Linear, 0, &EngineState::egt, 2 },
    EngineValue { "ff", Blend::Linear, 0, &EngineState::fuelFlow, 1 },
    EngineValue { "anti_ice", Blend::Step, 0, &EngineState::antiIce, 0 },
    EngineValue { "fire", Blend::Step, 0, &EngineState::fire, 0 },
};
