#pragma once

#include "gauges/table_rows.h"

#include <array>

// The five information fields in their fixed order, with the rows whose
// colour and font a field falls back to when the layout names none:
// TAT follows SAT and Spoiler follows Gear; the others take the Foreground
// colour and the default font.
struct InfoFieldName {
    char const* name; // as in the keys "Info%sPosition", ...
    char16_t const* caption; // the text the field shows; the fuel quantity has none
    int colourDefaultRow;
    int fontDefaultRow; // -1: "Courier", 75
};

inline constexpr std::array<InfoFieldName, 5> kInfoFieldNames { {
    { "TotalFuel", u"", ColourRow::Foreground, -1 },
    { "SAT", u"SAT", ColourRow::Foreground, -1 },
    { "TAT", u"TAT", ColourRow::FirstInfoField + 1, FontRow::FirstInfoField + 1 },
    { "Gear", u"GEAR", ColourRow::Foreground, -1 },
    { "Spoiler", u"SPLR", ColourRow::FirstInfoField + 3, FontRow::FirstInfoField + 3 },
} };
