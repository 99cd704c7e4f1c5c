#pragma once

#include "aircraft_state.h"

#include <array>
#include <string_view>

// The values a keyframe scenario names, with how each moves between
// keyframes. The scenario reader and the recorder share this table, so that
// every value a recording writes can be read back.
enum class Blend { Linear, Step };

struct AircraftValue {
    std::string_view name;
    Blend blend;
    double initial; // until the first keyframe that names it
    double AircraftState::*member;
};

// Engine values are named with the engine number after a dot ("n1.2"), or
// without one for every engine.
struct EngineValue {
    std::string_view name;
    Blend blend;
    double initial;
    double EngineState::*member;
};

inline constexpr std::array kAircraftValues = {
    AircraftValue { "engines", Blend::Step, 2, &AircraftState::engines },
    AircraftValue { "fuel_centre", Blend::Linear, 0, &AircraftState::fuelCentre },
    AircraftValue { "fuel_left_main", Blend::Linear, 0, &AircraftState::fuelLeftMain },
    AircraftValue { "fuel_left_aux", Blend::Linear, 0, &AircraftState::fuelLeftAux },
    AircraftValue { "fuel_right_main", Blend::Linear, 0, &AircraftState::fuelRightMain },
    AircraftValue { "fuel_right_aux", Blend::Linear, 0, &AircraftState::fuelRightAux },
    AircraftValue { "flap_detent", Blend::Step, 0, &AircraftState::flapDetent },
    // Angles a scenario names replace the movement that follows the lever;
    // recordings name them, as a live simulator's surfaces move their own way.
    AircraftValue { "flap_angle", Blend::Linear, 0, &AircraftState::flapAngle },
    AircraftValue { "slat_angle", Blend::Linear, 0, &AircraftState::slatAngle },
    AircraftValue { "spoilers_armed", Blend::Step, 0, &AircraftState::spoilersArmed },
    AircraftValue { "spoilers", Blend::Linear, 0, &AircraftState::spoilers },
    AircraftValue { "parking_brake", Blend::Step, 0, &AircraftState::parkingBrake },
    AircraftValue { "pushback", Blend::Step, 0, &AircraftState::pushback },
    AircraftValue { "autopilot", Blend::Step, 0, &AircraftState::autopilot },
    AircraftValue { "on_ground", Blend::Step, 0, &AircraftState::onGround },
    AircraftValue { "exits", Blend::Step, 0, &AircraftState::exits },
    AircraftValue { "overspeed", Blend::Step, 0, &AircraftState::overspeed },
    AircraftValue { "autobrake", Blend::Step, 1, &AircraftState::autobrake },
    AircraftValue { "wing_anti_ice", Blend::Step, 0, &AircraftState::wingAntiIce },
    AircraftValue { "landing_lights", Blend::Step, 0, &AircraftState::landingLights },
    AircraftValue { "strobe", Blend::Step, 0, &AircraftState::strobe },
    AircraftValue { "beacon", Blend::Step, 0, &AircraftState::beacon },
    AircraftValue { "nav_lights", Blend::Step, 0, &AircraftState::navLights },
};

inline constexpr std::array kEngineValues = {
    EngineValue { "n1", Blend::Linear, 0, &EngineState::n1 },
    EngineValue { "n2", Blend::Linear, 0, &EngineState::n2 },
    EngineValue { "epr", Blend::Linear, 0, &EngineState::epr },
    EngineValue { "egt", Blend::Linear, 0, &EngineState::egt },
    EngineValue { "ff", Blend::Linear, 0, &EngineState::fuelFlow },
    EngineValue { "anti_ice", Blend::Step, 0, &EngineState::antiIce },
    EngineValue { "fire", Blend::Step, 0, &EngineState::fire },
};
