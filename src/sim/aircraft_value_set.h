#pragma once

#include "sim/aircraft_values.h"

#include <array>
#include <cmath>
#include <limits>

// The named values as the last exchange left them, one slot per instance.
// A slot holds NaN while the value is not available: the aircraft gives none,
// or it has not been read yet; zero is a value like any other.
class AircraftValueSet {
public:
    static constexpr double kNotAvailable = std::numeric_limits<double>::quiet_NaN();

    AircraftValueSet()
    {
        for (auto& instances : slots)
            instances.fill(kNotAvailable);
    }

    double get(AircraftValue value, int instance = 0) const { return slots[index(value)][instance]; }
    bool available(AircraftValue value, int instance = 0) const { return !std::isnan(get(value, instance)); }
    void set(AircraftValue value, int instance, double number) { slots[index(value)][instance] = number; }

private:
    static std::size_t index(AircraftValue value) { return static_cast<std::size_t>(value); }

    std::array<std::array<double, kMaxValueInstances>, kAircraftValueCount> slots;
};
