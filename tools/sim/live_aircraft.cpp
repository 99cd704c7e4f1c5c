#include "live_aircraft.h"

#include "scenario_named_values.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr double kLeverDetents = 5; // AircraftState's flap detents 0..5 span the whole lever

} // namespace

LiveAircraft::LiveAircraft()
{
    for (int i = 0; i < kLiveQuantityCount; ++i)
        values[i].fill(infoOf(static_cast<LiveQuantity>(i)).initial);
}

bool LiveAircraft::set(LiveField field, double value)
{
    LiveQuantityInfo const& info = infoOf(field.quantity);
    if (!std::isfinite(value) || field.slot < 0 || field.slot >= info.slots)
        return false;
    values[static_cast<int>(field.quantity)][field.slot] = std::clamp(value, info.min, info.max);
    return true;
}

bool LiveAircraft::setNamed(AircraftValue value, int instance, double number)
{
    if (!std::isfinite(number) || instance < 0 || instance >= instanceCount(aircraftValueRow(value).instances))
        return false;
    // Held within what a scenario may give, so that a recording of it plays.
    auto const form = std::ranges::find(scenarioNamedValues(), value, &ScenarioNamedValue::value);
    if (form != scenarioNamedValues().end()) {
        number = std::clamp(number, form->range.lowest, form->range.highest);
        if (form->range.whole)
            number = std::round(number);
    }
    if (std::ranges::find(namedSet, std::pair(value, instance)) == namedSet.end())
        namedSet.emplace_back(value, instance);
    named.setValue(value, instance, number);
    return true;
}

void LiveAircraft::forgetNamed(AircraftValue value, int instance)
{
    std::erase(namedSet, std::pair(value, instance));
}

double LiveAircraft::value(LiveField field) const
{
    return at(field.quantity, field.slot);
}

double LiveAircraft::at(LiveQuantity quantity, int slot) const
{
    return values[static_cast<int>(quantity)][slot];
}

double LiveAircraft::switchAt(LiveQuantity quantity, int slot) const
{
    return at(quantity, slot) >= 0.5 ? 1 : 0;
}

AircraftState LiveAircraft::state() const
{
    AircraftState state;
    state.simTime = at(LiveQuantity::SimTime);
    state.engines = std::round(at(LiveQuantity::Engines));
    for (int i = 0; i < AircraftState::kMaxEngines; ++i) {
        EngineState& engine = state.engine[i];
        engine.n1 = at(LiveQuantity::N1, i);
        engine.n2 = at(LiveQuantity::N2, i);
        engine.epr = at(LiveQuantity::Epr, i);
        engine.egt = at(LiveQuantity::Egt, i);
        engine.fuelFlow = at(LiveQuantity::FuelFlow, i);
        engine.antiIce = switchAt(LiveQuantity::EngineAntiIce, i);
        engine.fire = switchAt(LiveQuantity::EngineFire, i);
    }
    state.fuelCentre = at(LiveQuantity::FuelCentre);
    state.fuelLeftMain = at(LiveQuantity::FuelLeftMain);
    state.fuelLeftAux = at(LiveQuantity::FuelLeftAux);
    state.fuelRightMain = at(LiveQuantity::FuelRightMain);
    state.fuelRightAux = at(LiveQuantity::FuelRightAux);
    state.flapDetent = at(LiveQuantity::FlapHandle) * kLeverDetents;
    state.flapAngle = at(LiveQuantity::FlapAngle);
    state.slatAngle = at(LiveQuantity::SlatAngle);
    state.spoilersArmed = switchAt(LiveQuantity::SpoilersArmed);
    state.spoilers = at(LiveQuantity::Spoilers);
    state.parkingBrake = switchAt(LiveQuantity::ParkingBrake);
    state.autopilot = switchAt(LiveQuantity::Autopilot);
    state.onGround = switchAt(LiveQuantity::OnGround);
    // Any door that is not shut counts as open.
    for (int i = 0; i < kLiveSlots; ++i)
        state.exits += at(LiveQuantity::Door, i) > 0 ? (1 << i) : 0;
    state.wingAntiIce = switchAt(LiveQuantity::WingAntiIce);
    state.landingLights = switchAt(LiveQuantity::LandingLights);
    state.strobe = switchAt(LiveQuantity::Strobe);
    state.beacon = switchAt(LiveQuantity::Beacon);
    state.navLights = switchAt(LiveQuantity::NavLights);
    state.autobrake = std::round(at(LiveQuantity::Autobrake));
    // An aircraft file's own source for a value the fields carry (a flap
    // angle) takes the place of the standard one.
    for (auto const& [value, instance] : namedSet)
        state.setValue(value, instance, named.value(value, instance));
    for (StateValue const& value : kStateValues)
        state.*value.member = std::clamp(state.*value.member, value.range.lowest, value.range.highest);
    return state;
}
