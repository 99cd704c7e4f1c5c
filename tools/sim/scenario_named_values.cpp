#include "scenario_named_values.h"

#include "aircraft_state.h"

#include <cctype>
#include <optional>
#include <vector>

namespace {

// How a value moves and what it may be, by its unit in the core's table: a
// unit that lists codes ("0 off, 1 on") makes a selector of whole numbers up
// to its last code; measures move smoothly within what an A320 can show.
struct UnitForm {
    std::string_view unit;
    int decimals;
    ValueRange range;
};

constexpr UnitForm kMeasures[] = {
    { "%", 3, { -100, 150, false } }, // a lever in reverse reads below 0
    { "% (nose up positive)", 2, { -100, 100, false } },
    { "0-1", 3, { 0, 1, false } },
    { "degC", 2, { -100, 2000, false } },
    { "PSI", 1, { 0, 5000, false } },
    { "QT", 2, { 0, 100, false } },
    { "units (5.0 = 16384)", 2, { 0, 10, false } },
    { "ft", 1, { -1000, 60000, false } },
    { "kt", 2, { 0, 1000, false } },
};

// Gear legs travel between their codes: a leg in transit is a fraction.
constexpr UnitForm kGearTravel { "", 2, { 0, 1, false } };

// The highest code a unit such as "0 none, 1 CL, 2 MCT" lists, if it lists codes.
std::optional<int> highestCode(std::string_view unit)
{
    if (unit.empty() || !std::isdigit(static_cast<unsigned char>(unit[0])) || unit.find(' ') == std::string_view::npos)
        return std::nullopt;
    int highest = 0;
    std::size_t start = 0;
    while (start < unit.size()) {
        int code = 0;
        std::size_t i = start;
        while (i < unit.size() && std::isdigit(static_cast<unsigned char>(unit[i])))
            code = code * 10 + (unit[i++] - '0');
        if (i == start || i >= unit.size() || unit[i] != ' ')
            return std::nullopt;
        highest = std::max(highest, code);
        std::size_t const comma = unit.find(", ", i);
        start = comma == std::string_view::npos ? unit.size() : comma + 2;
    }
    return highest;
}

ScenarioNamedValue namedValueOf(AircraftValueRow const& row)
{
    ScenarioNamedValue named { scenarioNameOf(row.name), row.value, instanceCount(row.instances), Blend::Linear, 0, {} };
    if (row.instances == ValueInstances::PerGear) {
        named.decimals = kGearTravel.decimals;
        named.range = kGearTravel.range;
    } else if (std::optional<int> const highest = highestCode(row.unit)) {
        named.blend = Blend::Step;
        named.range = { 0, static_cast<double>(*highest), true };
    } else {
        for (UnitForm const& form : kMeasures) {
            if (form.unit == row.unit) {
                named.decimals = form.decimals;
                named.range = form.range;
            }
        }
    }
    return named;
}

} // namespace

std::string scenarioNameOf(std::string_view valueName)
{
    auto const lower = [](char c) { return std::islower(static_cast<unsigned char>(c)) != 0; };
    auto const upper = [](char c) { return std::isupper(static_cast<unsigned char>(c)) != 0; };
    auto const digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    std::string name;
    for (std::size_t i = 0; i < valueName.size(); ++i) {
        char const c = valueName[i];
        bool const wordStart = i > 0 && upper(c)
            && (lower(valueName[i - 1]) || digit(valueName[i - 1])
                || (upper(valueName[i - 1]) && i + 1 < valueName.size() && lower(valueName[i + 1])));
        if (wordStart)
            name += '_';
        name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return name;
}

std::span<ScenarioNamedValue const> scenarioNamedValues()
{
    static std::vector<ScenarioNamedValue> const values = [] {
        std::vector<ScenarioNamedValue> found;
        for (AircraftValueRow const& row : kAircraftValueTable) {
            if (!AircraftState::carriedByFields(row.value))
                found.push_back(namedValueOf(row));
        }
        return found;
    }();
    return values;
}
