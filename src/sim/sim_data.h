#pragma once

#include "sim/aircraft_value_set.h"

#include <cstdint>

// The simulator variables the display reads each frame: raw fields as the
// simulator serves them, and the engineering values derived from them after
// every exchange. Engines beyond the fourth are never stored.
struct SimData {
    static constexpr int kMaxEngines = 4;

    // Read once, in the first successful cycle.
    std::uint16_t engineCount = 0;
    std::uint16_t fuelWeightRaw = 0; // pounds per US gallon x 256

    double simTime = 0; // seconds

    double n1Percent[kMaxEngines] = {};
    double n2Percent[kMaxEngines] = {};
    double epr[kMaxEngines] = {};
    std::uint16_t egtRaw[kMaxEngines] = {}; // 16384 = 860 degC
    double fuelFlowPph[kMaxEngines] = {}; // pounds per hour
    std::uint16_t engineAntiIce[kMaxEngines] = {};

    std::uint8_t engineFireFlags = 0; // bit i = engine i + 1
    std::uint32_t autopilotMaster = 0;
    std::uint32_t parkingBrake = 0; // low 16 bits tested
    std::uint32_t pushbackState = 0; // 3 = no pushback

    // Tank levels: 2^23 = full. Capacities in US gallons.
    std::uint32_t centreLevel = 0, centreCapacity = 0;
    std::uint32_t leftMainLevel = 0, leftMainCapacity = 0;
    std::uint32_t leftAuxLevel = 0, leftAuxCapacity = 0;
    std::uint32_t rightMainLevel = 0, rightMainCapacity = 0;
    std::uint32_t rightAuxLevel = 0, rightAuxCapacity = 0;

    std::uint32_t spoilersArmed = 0;
    std::uint32_t spoilerLeft = 0, spoilerRight = 0;
    std::uint32_t flapsControl = 0; // 0 = up, 16383 = full
    std::uint16_t onGround = 0;
    std::uint8_t exitsOpen = 0;
    std::uint8_t overspeed = 0;
    std::uint8_t autobrake = 0; // 0 RTO, 1 off, 2..4 settings 1..3, 5 max
    std::uint8_t structuralDeice = 0;
    std::uint8_t landingLights = 0;
    std::uint16_t lights = 0; // bit 4 = strobe
    std::uint16_t flapAngleRaw = 0; // degrees x 256
    std::uint16_t slatAngleRaw = 0; // degrees x 256

    // The named values (aircraft_values.h), decoded after every exchange.
    AircraftValueSet aircraft;

    // Derived after every exchange.
    double cepr[kMaxEngines] = {};
    double egtC[kMaxEngines] = {};
    double poundsPerGallon = 0;
    double centreLbs = 0, leftMainLbs = 0, leftAuxLbs = 0, rightMainLbs = 0, rightAuxLbs = 0;
    double totalFuelLbs = 0;
    double totalFuelKg = 0;
};

constexpr double kKilogramsPerPound = 0.4536;
