#include "flightgear_protocol.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kColumnNames[] = {
    "sim_time",
    "n1.1",
    "n2.1",
    "epr.1",
    "egt.1",
    "ff.1",
    "anti_ice.1",
    "fire.1",
    "n1.2",
    "n2.2",
    "epr.2",
    "egt.2",
    "ff.2",
    "anti_ice.2",
    "fire.2",
    "fuel_centre",
    "fuel_left_main",
    "fuel_left_aux",
    "fuel_right_main",
    "fuel_right_aux",
    "flap_handle",
    "flap_angle",
    "slat_angle",
    "spoilers_armed",
    "spoilers",
    "parking_brake",
    "autopilot",
    "on_ground",
    "door.1",
    "door.2",
    "door.3",
    "door.4",
    "wing_anti_ice",
    "landing_lights",
    "strobe",
    "beacon",
    "nav_lights",
};

constexpr std::size_t kAircraftColumns = std::size(kColumnNames);
// The aircraft columns and the flight model's readiness.
constexpr std::size_t kColumnCount = kAircraftColumns + 1;

std::array<LiveField, kAircraftColumns> columnFields()
{
    std::array<LiveField, kAircraftColumns> fields {};
    for (std::size_t i = 0; i < kAircraftColumns; ++i)
        fields[i] = *findLiveField(kColumnNames[i]);
    return fields;
}

bool isNumberCharacter(char c)
{
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E' || c == 'n'
        || c == 'a' || c == 'i' || c == 'f' || c == 'N' || c == 'A' || c == 'I' || c == 'F';
}

bool parseNumber(std::string_view text, double& number)
{
    if (text.empty() || text.size() > 32 || !std::all_of(text.begin(), text.end(), isNumberCharacter))
        return false;
    std::string const copy(text);
    char* end = nullptr;
    number = std::strtod(copy.c_str(), &end);
    return end == copy.c_str() + copy.size();
}

} // namespace

std::span<LiveField const> flightGearColumns()
{
    static std::array<LiveField, kAircraftColumns> const fields = columnFields();
    return fields;
}

bool flightModelReady(std::span<double const> numbers)
{
    return numbers.size() >= kColumnCount && numbers[kColumnCount - 1] >= 0.5;
}

std::optional<double> propertyValue(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    if (text == "true")
        return 1.0;
    if (text == "false")
        return 0.0;
    double number = 0;
    if (!parseNumber(text, number))
        return std::numeric_limits<double>::quiet_NaN();
    return number;
}

GenericLine parseGenericLine(std::span<std::byte const> datagram, std::size_t propertyColumns,
    std::vector<double>& numbers, std::vector<std::optional<double>>& properties)
{
    std::size_t const whole = kColumnCount + propertyColumns;
    std::string_view line(reinterpret_cast<char const*>(datagram.data()), datagram.size());
    if (line.empty() || line.back() != '\n')
        return GenericLine::Truncated;
    line.remove_suffix(1);
    std::vector<double> found;
    std::vector<std::string_view> propertyTexts;
    for (;;) {
        std::size_t const comma = line.find(',');
        std::string_view const column = line.substr(0, comma);
        if (found.size() < kColumnCount) {
            double number = 0;
            if (!parseNumber(column, number))
                return GenericLine::Garbage;
            found.push_back(number);
        } else {
            propertyTexts.push_back(column);
        }
        if (comma == std::string_view::npos)
            break;
        if (found.size() + propertyTexts.size() == whole)
            return GenericLine::Oversized;
        line.remove_prefix(comma + 1);
    }
    std::size_t const columns = found.size() + propertyTexts.size();
    if (columns != kColumnCount && columns != whole)
        return GenericLine::Truncated;
    numbers.insert(numbers.end(), found.begin(), found.end());
    for (std::string_view const text : propertyTexts)
        properties.push_back(propertyValue(text));
    return GenericLine::Values;
}
