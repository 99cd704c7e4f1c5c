#pragma once

#include "aircraft_state.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A flight written as keyframes: each line gives a time in seconds and the
// values that hold then, by name. A value keeps its default until the first
// keyframe that names it; from there smooth values (N1, EGT, fuel, ...) move in
// a straight line to their next keyframe, and switches and selectors hold
// until their next keyframe. Flaps and slats follow the lever detent at the
// rate of the real surfaces, unless the file names their angles itself.
// README-scenario.md describes the format.
class KeyframeScenario {
public:
    // The scenario in text, or none with error set to one plain sentence that
    // names sourceName and the line.
    static std::optional<KeyframeScenario> parse(std::string_view text, std::string_view sourceName,
        std::string& error);

    // The aircraft at a time since the start; a looping scenario repeats
    // after its last keyframe.
    AircraftState stateAt(double seconds) const;

private:
    struct Keyframe {
        double time;
        double value;
    };
    using Track = std::vector<Keyframe>;

    KeyframeScenario();
    bool parseLine(std::string_view line, std::string& problem);
    bool addValue(std::string_view assignment, double time, std::string& problem);
    double valueAt(std::size_t track, double seconds) const;
    double surfaceAngleAt(double const (&anglesByDetent)[6], double degreesPerSecond, double seconds) const;

    std::vector<Track> tracks; // one per aircraft value, then one per engine value and engine
    bool looping = false;
    double lastTime = 0;
};
