#include "aircraft_state.h"

#include <algorithm>

namespace {

using S = AircraftState;

// flapDetent's 0..5 spans the whole lever (see the encoder's lever scaling).
constexpr double kPercentPerDetent = 20;

// The named values the state's own fields carry: how each reads and sets
// them, and the scenario values that give it. A side's total lands in its
// main tank: an aircraft that reports only the total has no split to keep.
struct CarriedValue {
    AircraftValue value;
    double (*get)(S const&);
    void (*set)(S&, double);
    std::string_view fields;
};

constexpr CarriedValue kCarriedValues[] = {
    { AircraftValue::FlapAngle, [](S const& s) { return s.flapAngle; }, [](S& s, double v) { s.flapAngle = v; },
        "flap_angle" },
    { AircraftValue::SlatAngle, [](S const& s) { return s.slatAngle; }, [](S& s, double v) { s.slatAngle = v; },
        "slat_angle" },
    { AircraftValue::FlapHandle, [](S const& s) { return s.flapDetent * kPercentPerDetent; },
        [](S& s, double v) { s.flapDetent = v / kPercentPerDetent; }, "flap_detent" },
    { AircraftValue::LeftFuel, [](S const& s) { return s.fuelLeftMain + s.fuelLeftAux; },
        [](S& s, double v) { s.fuelLeftMain = v, s.fuelLeftAux = 0; }, "fuel_left_main and fuel_left_aux" },
    { AircraftValue::RightFuel, [](S const& s) { return s.fuelRightMain + s.fuelRightAux; },
        [](S& s, double v) { s.fuelRightMain = v, s.fuelRightAux = 0; }, "fuel_right_main and fuel_right_aux" },
    { AircraftValue::CenterFuel, [](S const& s) { return s.fuelCentre; }, [](S& s, double v) { s.fuelCentre = v; },
        "fuel_centre" },
};

CarriedValue const* carried(AircraftValue value)
{
    auto const found = std::ranges::find(kCarriedValues, value, &CarriedValue::value);
    return found == std::end(kCarriedValues) ? nullptr : found;
}

} // namespace

bool AircraftState::carriedByFields(AircraftValue value)
{
    return carried(value) != nullptr;
}

std::string_view AircraftState::fieldsCarrying(AircraftValue value)
{
    CarriedValue const* row = carried(value);
    return row ? row->fields : std::string_view();
}

double AircraftState::value(AircraftValue value, int instance) const
{
    CarriedValue const* row = carried(value);
    return row ? row->get(*this) : named.get(value, instance);
}

void AircraftState::setValue(AircraftValue value, int instance, double number)
{
    if (CarriedValue const* row = carried(value))
        row->set(*this, number);
    else
        named.set(value, instance, number);
}
