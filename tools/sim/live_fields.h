#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The aircraft values a live simulator feeds the stand-in, named as the
// keyframe scenarios name them ("n1.2" is engine 2's N1). Every value has
// fixed bounds; a value outside them is clamped before it is kept, so no
// simulator can push a number the offsets cannot hold.
enum class LiveQuantity : std::uint8_t {
    Engines,
    N1,
    N2,
    Epr,
    Egt,
    FuelFlow,
    EngineAntiIce,
    EngineFire,
    FuelCentre,
    FuelLeftMain,
    FuelLeftAux,
    FuelRightMain,
    FuelRightAux,
    FlapHandle,
    FlapAngle,
    SlatAngle,
    SpoilersArmed,
    Spoilers,
    ParkingBrake,
    Autopilot,
    OnGround,
    Door,
    WingAntiIce,
    LandingLights,
    Strobe,
    Beacon,
    NavLights,
    Autobrake,
    SimTime,
};

inline constexpr int kLiveQuantityCount = static_cast<int>(LiveQuantity::SimTime) + 1;
// Engines and doors have this many slots; everything else has one.
inline constexpr int kLiveSlots = 4;

struct LiveQuantityInfo {
    LiveQuantity quantity;
    std::string_view name;
    int slots;
    double min;
    double max;
    double initial; // until the simulator says otherwise
};

LiveQuantityInfo const& infoOf(LiveQuantity quantity);

// One value: a quantity and its zero-based slot (engine or door index).
struct LiveField {
    LiveQuantity quantity;
    int slot = 0;

    bool operator==(LiveField const&) const = default;
};

// "n1.2" gives N1 of slot 1; "engines" gives slot 0 of a one-slot quantity.
std::optional<LiveField> findLiveField(std::string_view name);
std::string nameOf(LiveField field);
