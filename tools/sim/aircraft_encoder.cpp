#include "aircraft_encoder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr double kKilogramsPerPound = 0.4536;
constexpr double kFullTankLevel = 8388608.0; // 2^23
constexpr double kEgtCountsPerDegree = 16384.0 / 860.0;
constexpr double kFullLever = 16383.0;
constexpr double kLeverPerDetent = 3276.8;
constexpr std::uint32_t kParkingBrakeSet = 32767;
constexpr std::uint32_t kNoPushback = 3;
constexpr std::uint32_t kPushingStraight = 0;

template <typename T>
T scaled(double value)
{
    double const bounded = std::clamp(std::round(value), 0.0, static_cast<double>(std::numeric_limits<T>::max()));
    return static_cast<T>(bounded);
}

// The level that serves a share of a full tank. The display cuts the
// quantity it shows down to its precision (tens of kilograms), so the level
// is the one just above the share: a decoded 4999.9999 kg would show 4990.
std::uint32_t levelAbove(double share)
{
    return scaled<std::uint32_t>(std::min(std::floor(share * kFullTankLevel) + 1, kFullTankLevel));
}

// A tank's level and the capacity it is served with. A live aircraft may carry
// more in a tank than an A320 holds: such a tank is served with a capacity that
// holds its fuel, so that the quantity the display computes from level and
// capacity stays true instead of reading full.
void encodeTank(OffsetSpace& space, std::uint32_t levelOffset, double kilograms, std::uint32_t a320Gallons)
{
    double const kilogramsPerGallon = kFuelWeightRaw / 256.0 * kKilogramsPerPound;
    double const gallons = kilograms / kilogramsPerGallon;
    if (kilograms <= 0) {
        space.put<std::uint32_t>(levelOffset, 0);
        space.put<std::uint32_t>(levelOffset + 4, a320Gallons);
        return;
    }
    if (gallons <= a320Gallons) {
        space.put<std::uint32_t>(levelOffset, levelAbove(gallons / a320Gallons));
        space.put<std::uint32_t>(levelOffset + 4, a320Gallons);
        return;
    }
    double const capacity = std::ceil(gallons);
    space.put<std::uint32_t>(levelOffset, levelAbove(gallons / capacity));
    space.put<std::uint32_t>(levelOffset + 4, scaled<std::uint32_t>(capacity));
}

std::uint8_t flag(double value)
{
    return value != 0 ? 1 : 0;
}

void encodeEngines(AircraftState const& state, OffsetSpace& space)
{
    std::uint8_t fireFlags = 0;
    for (int i = 0; i < AircraftState::kMaxEngines; ++i) {
        EngineState const& engine = state.engine[i];
        auto const wide = static_cast<std::uint32_t>(0x100 * i);
        auto const narrow = static_cast<std::uint32_t>(0x98 * i);
        space.put<double>(0x2000 + wide, engine.n1);
        space.put<double>(0x2008 + wide, engine.n2);
        space.put<double>(0x2030 + wide, engine.epr);
        space.put<std::uint16_t>(0x08BE + narrow, scaled<std::uint16_t>(engine.egt * kEgtCountsPerDegree));
        space.put<double>(0x0918 + narrow, engine.fuelFlow / kKilogramsPerPound);
        space.put<std::uint16_t>(0x08B2 + narrow, flag(engine.antiIce));
        fireFlags |= static_cast<std::uint8_t>(flag(engine.fire) << i);
    }
    space.put<std::uint8_t>(0x3366, fireFlags);
}

void encodeFuel(AircraftState const& state, OffsetSpace& space)
{
    space.put<std::uint16_t>(0x0AF4, kFuelWeightRaw);
    encodeTank(space, 0x0B74, state.fuelCentre, kCentreCapacity);
    encodeTank(space, 0x0B7C, state.fuelLeftMain, kMainCapacity);
    encodeTank(space, 0x0B84, state.fuelLeftAux, kAuxCapacity);
    encodeTank(space, 0x0B94, state.fuelRightMain, kMainCapacity);
    encodeTank(space, 0x0B9C, state.fuelRightAux, kAuxCapacity);
}

void encodeControls(AircraftState const& state, OffsetSpace& space)
{
    std::uint32_t const spoilers = scaled<std::uint32_t>(state.spoilers / 100.0 * kFullLever);
    space.put<std::uint32_t>(0x0BCC, flag(state.spoilersArmed));
    space.put<std::uint32_t>(0x0BD4, spoilers);
    space.put<std::uint32_t>(0x0BD8, spoilers);
    space.put<std::uint32_t>(0x0BDC, scaled<std::uint32_t>(std::min(state.flapDetent * kLeverPerDetent, kFullLever)));
    space.put<std::uint16_t>(0x30F0, scaled<std::uint16_t>(state.flapAngle * 256));
    space.put<std::uint16_t>(0x30F8, scaled<std::uint16_t>(state.slatAngle * 256));
    space.put<std::uint32_t>(0x07BC, flag(state.autopilot));
    space.put<std::uint32_t>(0x0BC8, state.parkingBrake != 0 ? kParkingBrakeSet : 0);
    space.put<std::uint32_t>(0x31F0, state.pushback != 0 ? kPushingStraight : kNoPushback);
    space.put<std::uint8_t>(0x2F80, scaled<std::uint8_t>(state.autobrake));
}

void encodeStatus(AircraftState const& state, OffsetSpace& space)
{
    space.put<double>(0x0310, state.simTime);
    space.put<std::uint16_t>(0x0AEC, scaled<std::uint16_t>(state.engines));
    space.put<std::uint16_t>(0x0366, flag(state.onGround));
    space.put<std::uint8_t>(0x3367, scaled<std::uint8_t>(state.exits));
    space.put<std::uint8_t>(0x036D, flag(state.overspeed));
    space.put<std::uint8_t>(0x337D, flag(state.wingAntiIce));
    space.put<std::uint8_t>(0x028C, flag(state.landingLights));
    auto const lights = static_cast<std::uint16_t>(flag(state.navLights) | flag(state.beacon) << 1
        | flag(state.landingLights) << 2 | flag(state.strobe) << 4);
    space.put<std::uint16_t>(0x0D0C, lights);
}

} // namespace

void encodeAircraft(AircraftState const& state, OffsetSpace& space)
{
    encodeEngines(state, space);
    encodeFuel(state, space);
    encodeControls(state, space);
    encodeStatus(state, space);
}
