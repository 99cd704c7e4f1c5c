#include "live_fields.h"

#include <algorithm>
#include <array>

namespace {

// Units are those of AircraftState: percent, degrees Celsius, kilograms per
// hour, kilograms, degrees, seconds; switches are 0 or 1 (on from 0.5); the
// flap handle and the doors are ratios from 0 (up, shut) to 1.
constexpr std::array<LiveQuantityInfo, kLiveQuantityCount> kQuantities = { {
    { LiveQuantity::Engines, "engines", 1, 0, 4, 2 },
    { LiveQuantity::N1, "n1", kLiveSlots, 0, 200, 0 },
    { LiveQuantity::N2, "n2", kLiveSlots, 0, 200, 0 },
    { LiveQuantity::Epr, "epr", kLiveSlots, 0, 10, 0 },
    { LiveQuantity::Egt, "egt", kLiveSlots, -100, 3000, 0 },
    { LiveQuantity::FuelFlow, "ff", kLiveSlots, 0, 100000, 0 },
    { LiveQuantity::EngineAntiIce, "anti_ice", kLiveSlots, 0, 1, 0 },
    { LiveQuantity::EngineFire, "fire", kLiveSlots, 0, 1, 0 },
    { LiveQuantity::FuelCentre, "fuel_centre", 1, 0, 500000, 0 },
    { LiveQuantity::FuelLeftMain, "fuel_left_main", 1, 0, 500000, 0 },
    { LiveQuantity::FuelLeftAux, "fuel_left_aux", 1, 0, 500000, 0 },
    { LiveQuantity::FuelRightMain, "fuel_right_main", 1, 0, 500000, 0 },
    { LiveQuantity::FuelRightAux, "fuel_right_aux", 1, 0, 500000, 0 },
    { LiveQuantity::FlapHandle, "flap_handle", 1, 0, 1, 0 },
    { LiveQuantity::FlapAngle, "flap_angle", 1, 0, 90, 0 },
    { LiveQuantity::SlatAngle, "slat_angle", 1, 0, 90, 0 },
    { LiveQuantity::SpoilersArmed, "spoilers_armed", 1, 0, 1, 0 },
    { LiveQuantity::Spoilers, "spoilers", 1, 0, 100, 0 },
    { LiveQuantity::ParkingBrake, "parking_brake", 1, 0, 1, 0 },
    { LiveQuantity::Autopilot, "autopilot", 1, 0, 1, 0 },
    { LiveQuantity::OnGround, "on_ground", 1, 0, 1, 0 },
    { LiveQuantity::Door, "door", kLiveSlots, 0, 1, 0 },
    { LiveQuantity::WingAntiIce, "wing_anti_ice", 1, 0, 1, 0 },
    { LiveQuantity::LandingLights, "landing_lights", 1, 0, 1, 0 },
    { LiveQuantity::Strobe, "strobe", 1, 0, 1, 0 },
    { LiveQuantity::Beacon, "beacon", 1, 0, 1, 0 },
    { LiveQuantity::NavLights, "nav_lights", 1, 0, 1, 0 },
    { LiveQuantity::Autobrake, "autobrake", 1, 0, 5, 1 },
    { LiveQuantity::SimTime, "sim_time", 1, 0, 1e9, 0 },
} };

constexpr bool tableFollowsTheEnumeration()
{
    for (int i = 0; i < kLiveQuantityCount; ++i) {
        if (static_cast<int>(kQuantities[i].quantity) != i)
            return false;
    }
    return true;
}
static_assert(tableFollowsTheEnumeration());

} // namespace

LiveQuantityInfo const& infoOf(LiveQuantity quantity)
{
    return kQuantities[static_cast<int>(quantity)];
}

std::optional<LiveField> findLiveField(std::string_view name)
{
    std::string_view base = name;
    int slot = 0;
    bool numbered = false;
    if (std::size_t const dot = name.find('.'); dot != std::string_view::npos) {
        std::string_view const number = name.substr(dot + 1);
        if (number.size() != 1 || number[0] < '1' || number[0] > '0' + kLiveSlots)
            return std::nullopt;
        slot = number[0] - '1';
        numbered = true;
        base = name.substr(0, dot);
    }
    auto const found = std::find_if(kQuantities.begin(), kQuantities.end(),
        [&](LiveQuantityInfo const& info) { return info.name == base; });
    if (found == kQuantities.end() || (numbered != (found->slots > 1)))
        return std::nullopt;
    return LiveField { found->quantity, slot };
}

std::string nameOf(LiveField field)
{
    LiveQuantityInfo const& info = infoOf(field.quantity);
    std::string name(info.name);
    if (info.slots > 1)
        name += "." + std::to_string(field.slot + 1);
    return name;
}
