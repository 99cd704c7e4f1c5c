#include "sim/aircraft_file_fields.h"

#include "config/ascii_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace {

struct FieldRow {
    std::string_view name;
    std::optional<AircraftSection::Field> AircraftSection::*member;
};

constexpr std::array kFields = {
    FieldRow { "offset", &AircraftSection::offset },
    FieldRow { "stride", &AircraftSection::stride },
    FieldRow { "type", &AircraftSection::type },
    FieldRow { "scale", &AircraftSection::scale },
    FieldRow { "bias", &AircraftSection::bias },
    FieldRow { "map", &AircraftSection::map },
    FieldRow { "xplane", &AircraftSection::xplane },
    FieldRow { "xplane_index", &AircraftSection::xplaneIndex },
    FieldRow { "xplane_scale", &AircraftSection::xplaneScale },
    FieldRow { "xplane_bias", &AircraftSection::xplaneBias },
    FieldRow { "flightgear", &AircraftSection::flightgear },
    FieldRow { "flightgear_scale", &AircraftSection::flightgearScale },
    FieldRow { "flightgear_bias", &AircraftSection::flightgearBias },
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

std::optional<AircraftSection::Field>* sectionField(AircraftSection& section, std::string_view name)
{
    for (FieldRow const& row : kFields) {
        if (equalsIgnoringAsciiCase(row.name, name))
            return &(section.*row.member);
    }
    return nullptr;
}

bool sectionIsEmpty(AircraftSection const& section)
{
    return std::ranges::none_of(kFields, [&](FieldRow const& row) { return (section.*row.member).has_value(); });
}

std::vector<std::string_view> const& aircraftFieldNames()
{
    static std::vector<std::string_view> const names = [] {
        std::vector<std::string_view> all;
        for (FieldRow const& row : kFields)
            all.push_back(row.name);
        return all;
    }();
    return names;
}

std::vector<std::string_view> fieldWords(std::string_view text)
{
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isBlank(text[i]))
            ++i;
        std::size_t const begin = i;
        while (i < text.size() && !isBlank(text[i]))
            ++i;
        if (i > begin)
            words.push_back(text.substr(begin, i - begin));
    }
    return words;
}

std::optional<std::uint32_t> parseOffsetNumber(std::string_view text)
{
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    std::uint32_t value = 0;
    auto const [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc {} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<double> parseReal(std::string_view text)
{
    double value = 0;
    auto const [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc {} || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> parseInteger(std::string_view text)
{
    int value = 0;
    auto const [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc {} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}
