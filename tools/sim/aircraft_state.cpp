#include "aircraft_state.h"

namespace {

// flapDetent's 0..5 spans the whole lever (see the encoder's lever scaling).
constexpr double kPercentPerDetent = 20;

} // namespace

bool AircraftState::carriedByFields(AircraftValue value)
{
    switch (value) {
    case AircraftValue::FlapAngle:
    case AircraftValue::SlatAngle:
    case AircraftValue::FlapHandle:
    case AircraftValue::LeftFuel:
    case AircraftValue::RightFuel:
    case AircraftValue::CenterFuel:
        return true;
    default:
        return false;
    }
}

double AircraftState::value(AircraftValue value, int instance) const
{
    switch (value) {
    case AircraftValue::FlapAngle:
        return flapAngle;
    case AircraftValue::SlatAngle:
        return slatAngle;
    case AircraftValue::FlapHandle:
        return flapDetent * kPercentPerDetent;
    case AircraftValue::LeftFuel:
        return fuelLeftMain + fuelLeftAux;
    case AircraftValue::RightFuel:
        return fuelRightMain + fuelRightAux;
    case AircraftValue::CenterFuel:
        return fuelCentre;
    default:
        return named.get(value, instance);
    }
}

// A side's total lands in its main tank: an aircraft that only reports the
// total has no split to keep.
void AircraftState::setValue(AircraftValue value, int instance, double number)
{
    switch (value) {
    case AircraftValue::FlapAngle:
        flapAngle = number;
        return;
    case AircraftValue::SlatAngle:
        slatAngle = number;
        return;
    case AircraftValue::FlapHandle:
        flapDetent = number / kPercentPerDetent;
        return;
    case AircraftValue::LeftFuel:
        fuelLeftMain = number;
        fuelLeftAux = 0;
        return;
    case AircraftValue::RightFuel:
        fuelRightMain = number;
        fuelRightAux = 0;
        return;
    case AircraftValue::CenterFuel:
        fuelCentre = number;
        return;
    default:
        named.set(value, instance, number);
    }
}
