#pragma once

#include "sim/aircraft_value_set.h"

#include <array>
#include <string_view>

// The aircraft as a scenario describes it, in engineering units. Switches are
// 0 or 1. Everything is a double so that a scenario can interpolate any value.
// The display's named values (sim/aircraft_values.h) come with it, in their
// units there, NaN where the scenario or the simulator gives none: the
// stand-in then serves them as not available.
struct EngineState {
    double n1 = 0; // percent
    double n2 = 0; // percent
    double epr = 0;
    double egt = 0; // degrees Celsius
    double fuelFlow = 0; // kilograms per hour
    double antiIce = 0;
    double fire = 0;
};

struct AircraftState {
    static constexpr int kMaxEngines = 4;

    double simTime = 0; // seconds since the scenario started
    double engines = 0;
    std::array<EngineState, kMaxEngines> engine {};

    // Kilograms in each tank.
    double fuelCentre = 0;
    double fuelLeftMain = 0;
    double fuelLeftAux = 0;
    double fuelRightMain = 0;
    double fuelRightAux = 0;

    double flapDetent = 0; // lever detent 0..5
    double flapAngle = 0; // degrees, trailing edge
    double slatAngle = 0; // degrees, leading edge
    double spoilersArmed = 0;
    double spoilers = 0; // percent deployed

    double parkingBrake = 0;
    double pushback = 0;
    double autopilot = 0;
    double onGround = 0;
    double exits = 0; // bit 0 = main door
    double overspeed = 0;
    double autobrake = 0; // selector: 0 RTO, 1 off, 2..4 settings 1..3, 5 max
    double wingAntiIce = 0;
    double landingLights = 0;
    double strobe = 0;
    double beacon = 0;
    double navLights = 0;

    // A named value at an instance (0 for a single value), NaN when not
    // available. Six of them are the fields above seen in the named value's
    // unit: FlapAngle and SlatAngle (flapAngle, slatAngle), FlapHandle
    // (flapDetent as % of travel) and the fuel totals (the tanks on each
    // side); setting one of those sets its fields, so that the two never
    // disagree. The rest live in `named`.
    double value(AircraftValue value, int instance = 0) const;
    void setValue(AircraftValue value, int instance, double number);

    // Whether value is one of the six the fields carry, and the scenario
    // values that give it ("fuel_left_main and fuel_left_aux" for LeftFuel;
    // empty for the rest).
    static bool carriedByFields(AircraftValue value);
    static std::string_view fieldsCarrying(AircraftValue value);

    AircraftValueSet named;
};
