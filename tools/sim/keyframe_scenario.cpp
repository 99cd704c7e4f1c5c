#include "keyframe_scenario.h"

#include "number_text.h"
#include "scenario_named_values.h"
#include "scenario_values.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t kEngineTracks = kEngineValues.size() * AircraftState::kMaxEngines;
constexpr std::size_t kNamedTracksStart = kStateValues.size() + kEngineTracks;
constexpr std::size_t kTrackCount = kNamedTracksStart + kAircraftValueCount * kMaxValueInstances;
constexpr double kNotAvailable = std::numeric_limits<double>::quiet_NaN();
constexpr std::size_t aircraftTrack(std::string_view name)
{
    for (std::size_t i = 0; i < kStateValues.size(); ++i) {
        if (name == kStateValues[i].name)
            return i;
    }
    throw "no such aircraft value";
}

constexpr std::size_t kFlapDetentTrack = aircraftTrack("flap_detent");
constexpr std::size_t kFlapAngleTrack = aircraftTrack("flap_angle");
constexpr std::size_t kSlatAngleTrack = aircraftTrack("slat_angle");

std::size_t engineTrack(std::size_t value, int engine)
{
    return kStateValues.size() + static_cast<std::size_t>(engine) * kEngineValues.size() + value;
}

std::size_t namedTrack(AircraftValue value, int instance)
{
    return kNamedTracksStart + static_cast<std::size_t>(value) * kMaxValueInstances + static_cast<std::size_t>(instance);
}

// The blend of each named value's tracks, by the value's position in the core's table.
std::array<Blend, kAircraftValueCount> const& namedBlends()
{
    static std::array<Blend, kAircraftValueCount> const blends = [] {
        std::array<Blend, kAircraftValueCount> found {};
        for (ScenarioNamedValue const& named : scenarioNamedValues())
            found[static_cast<std::size_t>(named.value)] = named.blend;
        return found;
    }();
    return blends;
}

Blend blendOf(std::size_t track)
{
    if (track < kStateValues.size())
        return kStateValues[track].blend;
    if (track < kNamedTracksStart)
        return kEngineValues[(track - kStateValues.size()) % kEngineValues.size()].blend;
    return namedBlends()[(track - kNamedTracksStart) / kMaxValueInstances];
}

// Named values are not available until a keyframe gives them.
double initialOf(std::size_t track)
{
    if (track < kStateValues.size())
        return kStateValues[track].initial;
    if (track < kNamedTracksStart)
        return kEngineValues[(track - kStateValues.size()) % kEngineValues.size()].initial;
    return kNotAvailable;
}

// Surface angles at lever detents 0..5 and how fast the surfaces travel.
constexpr double kFlapAngles[6] = { 0, 0, 10, 15, 20, 35 };
constexpr double kSlatAngles[6] = { 0, 18, 18, 22, 22, 27 };
constexpr double kFlapDegreesPerSecond = 1.2;
constexpr double kSlatDegreesPerSecond = 1.2;

std::vector<std::string_view> words(std::string_view line)
{
    std::vector<std::string_view> found;
    std::size_t position = 0;
    while ((position = line.find_first_not_of(" \t\r", position)) != std::string_view::npos) {
        std::size_t const end = std::min(line.find_first_of(" \t\r", position), line.size());
        found.push_back(line.substr(position, end - position));
        position = end;
    }
    return found;
}

double moveToward(double from, double to, double maxStep)
{
    return from < to ? std::min(from + maxStep, to) : std::max(from - maxStep, to);
}

std::string rangeText(ValueRange const& range)
{
    if (range.whole && range.lowest == 0 && range.highest == 1)
        return "0 or 1";
    return std::string(range.whole ? "a whole number" : "a number") + " from " + numberText(range.lowest) + " to "
        + numberText(range.highest);
}

// A value the stand-in would serve as something else (a fire flag of 2, nine
// engines) is refused where the scenario says it.
bool inRange(std::string_view assignment, std::string_view name, double value, ValueRange const& range, std::string& problem)
{
    if (value >= range.lowest && value <= range.highest && (!range.whole || value == std::floor(value)))
        return true;
    problem = std::string(assignment) + " is out of range: " + std::string(name) + " takes " + rangeText(range) + ".";
    return false;
}

// The instances "name.N" or "name" (every one) selects, or false with problem
// set when N is not one of count instances.
bool selectInstances(std::string_view number, int count, std::string_view example, int& first, int& last,
    std::string& problem)
{
    first = 0;
    last = count - 1;
    if (number.empty())
        return true;
    if (count == 1 || number.size() != 1 || number[0] < '1' || number[0] > '0' + count) {
        problem = count == 1 ? std::string(example) + " takes no number after a dot."
                             : std::string(count == kGearCount ? "gear" : "engine") + " numbers run from 1 to "
                + std::to_string(count) + ", as in \"" + std::string(example) + ".2\".";
        return false;
    }
    first = last = number[0] - '1';
    return true;
}

int detentOf(double lever)
{
    return static_cast<int>(std::clamp(std::round(lever), 0.0, 5.0));
}

} // namespace

KeyframeScenario::KeyframeScenario()
    : tracks(kTrackCount)
{
}

std::optional<KeyframeScenario> KeyframeScenario::parse(std::string_view text, std::string_view sourceName,
    std::string& error)
{
    KeyframeScenario scenario;
    int lineNumber = 0;
    while (!text.empty()) {
        std::size_t const end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        ++lineNumber;
        line = line.substr(0, line.find('#'));
        std::string problem;
        if (!scenario.parseLine(line, problem)) {
            error = std::string(sourceName) + ", line " + std::to_string(lineNumber) + ": " + problem;
            return std::nullopt;
        }
    }
    return scenario;
}

bool KeyframeScenario::parseLine(std::string_view line, std::string& problem)
{
    std::vector<std::string_view> const parts = words(line);
    if (parts.empty())
        return true;
    if (parts.size() == 1 && parts[0] == "loop") {
        looping = true;
        return true;
    }
    double time = 0;
    if (!parseDouble(parts[0], time) || time < 0) {
        problem = "a keyframe starts with its time in seconds, not \"" + std::string(parts[0]) + "\".";
        return false;
    }
    if (time < lastTime) {
        problem = "keyframe times must not go backwards.";
        return false;
    }
    lastTime = time;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        if (!addValue(parts[i], time, problem))
            return false;
    }
    return true;
}

bool KeyframeScenario::addValue(std::string_view assignment, double time, std::string& problem)
{
    std::size_t const equals = assignment.find('=');
    double value = 0;
    if (equals == std::string_view::npos || !parseDouble(assignment.substr(equals + 1), value)) {
        problem = "expected NAME=NUMBER, found \"" + std::string(assignment) + "\".";
        return false;
    }
    std::string_view name = assignment.substr(0, equals);
    for (std::size_t i = 0; i < kStateValues.size(); ++i) {
        if (name == kStateValues[i].name) {
            if (!inRange(assignment, name, value, kStateValues[i].range, problem))
                return false;
            tracks[i].push_back({ time, value });
            return true;
        }
    }
    // Engine values: "n1.2" for engine 2, "n1" for every engine; named
    // values likewise per engine or per gear.
    std::size_t const dot = name.find('.');
    std::string_view const number = dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
    if (dot != std::string_view::npos) {
        if (number.empty()) {
            problem = "expected a number after the dot in \"" + std::string(assignment) + "\".";
            return false;
        }
        name = name.substr(0, dot);
    }
    int first = 0;
    int last = 0;
    for (std::size_t i = 0; i < kEngineValues.size(); ++i) {
        if (name == kEngineValues[i].name) {
            if (!selectInstances(number, AircraftState::kMaxEngines, name, first, last, problem)
                || !inRange(assignment, name, value, kEngineValues[i].range, problem))
                return false;
            for (int engine = first; engine <= last; ++engine)
                tracks[engineTrack(i, engine)].push_back({ time, value });
            return true;
        }
    }
    for (ScenarioNamedValue const& named : scenarioNamedValues()) {
        if (name == named.name) {
            if (!selectInstances(number, named.instances, name, first, last, problem)
                || !inRange(assignment, name, value, named.range, problem))
                return false;
            for (int instance = first; instance <= last; ++instance)
                tracks[namedTrack(named.value, instance)].push_back({ time, value });
            return true;
        }
    }
    problem = "there is no value called \"" + std::string(name) + "\".";
    for (AircraftValueRow const& row : kAircraftValueTable) {
        if (name == scenarioNameOf(row.name) && !AircraftState::fieldsCarrying(row.value).empty())
            problem += " Give " + std::string(AircraftState::fieldsCarrying(row.value)) + " instead.";
    }
    return false;
}

AircraftState KeyframeScenario::stateAt(double seconds) const
{
    double const local = looping && lastTime > 0 ? std::fmod(seconds, lastTime) : seconds;
    AircraftState state;
    state.simTime = seconds;
    for (std::size_t i = 0; i < kStateValues.size(); ++i)
        state.*kStateValues[i].member = valueAt(i, local);
    for (int engine = 0; engine < AircraftState::kMaxEngines; ++engine) {
        for (std::size_t i = 0; i < kEngineValues.size(); ++i)
            state.engine[engine].*kEngineValues[i].member = valueAt(engineTrack(i, engine), local);
    }
    for (ScenarioNamedValue const& named : scenarioNamedValues()) {
        for (int instance = 0; instance < named.instances; ++instance)
            state.setValue(named.value, instance, valueAt(namedTrack(named.value, instance), local));
    }
    if (tracks[kFlapAngleTrack].empty())
        state.flapAngle = surfaceAngleAt(kFlapAngles, kFlapDegreesPerSecond, local);
    if (tracks[kSlatAngleTrack].empty())
        state.slatAngle = surfaceAngleAt(kSlatAngles, kSlatDegreesPerSecond, local);
    return state;
}

double KeyframeScenario::valueAt(std::size_t track, double seconds) const
{
    Track const& keys = tracks[track];
    if (keys.empty())
        return initialOf(track);
    auto const next = std::upper_bound(keys.begin(), keys.end(), seconds,
        [](double time, Keyframe const& key) { return time < key.time; });
    if (next == keys.begin())
        return initialOf(track);
    auto const previous = std::prev(next);
    if (next == keys.end() || blendOf(track) == Blend::Step || next->time == previous->time)
        return previous->value;
    double const fraction = (seconds - previous->time) / (next->time - previous->time);
    return previous->value + (next->value - previous->value) * fraction;
}

// The surfaces start settled at the first detent and chase each new detent
// at their own rate.
double KeyframeScenario::surfaceAngleAt(double const (&anglesByDetent)[6], double degreesPerSecond,
    double seconds) const
{
    Track const& levers = tracks[kFlapDetentTrack];
    double angle = anglesByDetent[detentOf(valueAt(kFlapDetentTrack, 0))];
    double target = angle;
    double since = 0;
    for (Keyframe const& lever : levers) {
        if (lever.time > seconds)
            break;
        angle = moveToward(angle, target, degreesPerSecond * (lever.time - since));
        target = anglesByDetent[detentOf(lever.value)];
        since = lever.time;
    }
    return moveToward(angle, target, degreesPerSecond * (seconds - since));
}
