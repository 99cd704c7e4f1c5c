#include "scenario_recorder.h"

#include "scenario_named_values.h"
#include "scenario_values.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// Every value as it was served: the shortest text that reads back as the same
// number, so a moment played back is the moment recorded. Rounded values make
// short texts.
void writeNumber(std::ostream& out, double value)
{
    char text[32];
    auto const result = std::to_chars(std::begin(text), std::end(text), value);
    out.write(text, result.ptr - text);
}

double roundedTo(double value, int decimals)
{
    double const scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale + 0.0; // + 0.0: no "-0" in the file
}

// The state's values in the recorder's column order.
std::vector<double> valuesOf(AircraftState const& state)
{
    std::vector<double> values;
    for (StateValue const& value : kStateValues)
        values.push_back(state.*value.member);
    for (EngineState const& engine : state.engine) {
        for (EngineValue const& value : kEngineValues)
            values.push_back(engine.*value.member);
    }
    for (ScenarioNamedValue const& named : scenarioNamedValues()) {
        for (int instance = 0; instance < named.instances; ++instance)
            values.push_back(state.value(named.value, instance));
    }
    return values;
}

} // namespace

ScenarioRecorder::ScenarioRecorder(std::ostream& out, double rate)
    : out(out)
    , interval(1 / rate)
{
    for (StateValue const& value : kStateValues)
        columns.push_back({ std::string(value.name), value.blend == Blend::Linear });
    for (int engine = 1; engine <= AircraftState::kMaxEngines; ++engine) {
        for (EngineValue const& value : kEngineValues)
            columns.push_back({ std::string(value.name) + "." + std::to_string(engine), value.blend == Blend::Linear });
    }
    for (ScenarioNamedValue const& named : scenarioNamedValues()) {
        for (int instance = 1; instance <= named.instances; ++instance) {
            std::string name = named.name;
            if (named.instances > 1)
                name += "." + std::to_string(instance);
            columns.push_back({ name, named.blend == Blend::Linear });
        }
    }
    out << "# Recorded by tarnex-sim; play it back with tarnex-sim --scenario FILE.\n" << std::flush;
}

AircraftState ScenarioRecorder::rounded(AircraftState state)
{
    for (StateValue const& value : kStateValues)
        state.*value.member = roundedTo(state.*value.member, value.decimals);
    for (EngineState& engine : state.engine) {
        for (EngineValue const& value : kEngineValues)
            engine.*value.member = roundedTo(engine.*value.member, value.decimals);
    }
    for (ScenarioNamedValue const& named : scenarioNamedValues()) {
        for (int instance = 0; instance < named.instances; ++instance)
            state.setValue(named.value, instance, roundedTo(state.value(named.value, instance), named.decimals));
    }
    return state;
}

ScenarioRecorder::~ScenarioRecorder()
{
    finish();
}

bool ScenarioRecorder::record(double seconds, AircraftState const& state)
{
    if (started && !afterGap && seconds - lastMoment < interval) {
        skipped.emplace(seconds, state);
        return static_cast<bool>(out);
    }
    skipped.reset();
    takeMoment(seconds, valuesOf(state));
    return static_cast<bool>(out);
}

void ScenarioRecorder::resumeAfterGap(double seconds)
{
    if (skipped) {
        takeMoment(skipped->first, valuesOf(skipped->second));
        skipped.reset();
    }
    if (!started)
        return;
    // Every value written before seconds has rested since: takeMoment pins
    // the ones that move at seconds, just before their new values.
    writeLine(lastMoment, heldBack);
    heldBack.clear();
    lastMoment = seconds;
    afterGap = true;
}

bool ScenarioRecorder::finish(std::optional<double> stoppedAt)
{
    if (skipped) {
        takeMoment(skipped->first, valuesOf(skipped->second));
        skipped.reset();
    }
    writeLine(lastMoment, heldBack);
    heldBack.clear();
    if (stoppedAt && *stoppedAt > lastMoment && out) {
        writeNumber(out, *stoppedAt);
        out << '\n' << std::flush;
        lastMoment = *stoppedAt;
    }
    return static_cast<bool>(out);
}

void ScenarioRecorder::takeMoment(double seconds, std::vector<double> const& values)
{
    std::vector<Change> changes;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        Column& column = columns[i];
        // A value not available is left out: played back it stays not
        // available until its first line, and no source takes one back.
        if ((column.written && column.value == values[i]) || std::isnan(values[i]))
            continue;
        // A smooth value last written before the held-back moment has rested
        // since: pin it there, or playback would start it moving too early.
        bool const rested = column.written && column.smooth && column.writtenAt < lastMoment;
        if (rested)
            heldBack.push_back({ i, column.value });
        changes.push_back({ i, values[i] });
        column.value = values[i];
        column.writtenAt = seconds;
        column.written = true;
    }
    writeLine(lastMoment, heldBack);
    heldBack = std::move(changes);
    lastMoment = seconds;
    started = true;
    afterGap = false;
}

void ScenarioRecorder::writeLine(double seconds, std::vector<Change> const& changes)
{
    if (changes.empty() || !out)
        return;
    std::vector<Change> ordered = changes;
    std::sort(ordered.begin(), ordered.end(), [](Change a, Change b) { return a.column < b.column; });
    writeNumber(out, seconds);
    for (Change const& change : ordered) {
        out << ' ' << columns[change.column].name << '=';
        writeNumber(out, change.value);
    }
    out << '\n' << std::flush;
}
