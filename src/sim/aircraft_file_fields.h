#pragma once

#include "sim/aircraft_values.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text of one [Name] section of an aircraft file, field by field, as
// written; aircraft_file.cpp checks and decodes it.
struct AircraftSection {
    AircraftValue value {};
    int line = 0;
    struct Field {
        std::string_view text;
        int line = 0;
    };
    std::optional<Field> offset, stride, type, scale, bias, map;
    std::optional<Field> xplane, xplaneIndex, xplaneScale, xplaneBias;
    std::optional<Field> flightgear, flightgearScale, flightgearBias;
};

// The field of that name in a section, or null for a name no section has.
std::optional<AircraftSection::Field>* sectionField(AircraftSection& section, std::string_view name);

bool sectionIsEmpty(AircraftSection const& section);

// Every field name, for did-you-mean.
std::vector<std::string_view> const& aircraftFieldNames();

// Blank-separated words of a field.
std::vector<std::string_view> fieldWords(std::string_view text);

// A whole number written in decimal or as 0x hexadecimal.
std::optional<std::uint32_t> parseOffsetNumber(std::string_view text);
std::optional<double> parseReal(std::string_view text);
std::optional<int> parseInteger(std::string_view text);
