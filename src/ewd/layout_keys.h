#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// Every key the E/WD page reads from a layout, with the form of its value:
// the list that `tarnex-layout lint` checks a layout against. A test reads
// a layout through the page's own readers and holds this list to exactly the
// keys they asked for.

enum class LayoutValue {
    Number, // leading decimal number
    Integer, // leading decimal integer
    FontSize, // integer, above 0
    Scale, // number, above 0
    YesNo,
    Keyword, // one word of `words`
    Alignment,
    Colour,
    Text,
    Character,
    Box, // left,top,right,bottom on the page
    Position, // x,y on the page
    Offset, // x,y relative to a gauge's box or to the flap/slat indicator
    NumberList, // numbers separated by '-'
    Shape, // Line%d, Rect%d: four numbers separated by '-'
    Breakpoints, // x:y pairs separated by ',', x rising
};

struct LayoutKey {
    std::string name;
    LayoutValue value = LayoutValue::Text;
    std::span<std::string_view const> words = {}; // Keyword only
};

// The 23 gauge names, engine gauges first.
std::span<std::string const> layoutGaugeNames();

// Every key with a fixed name (Line0, Line1, ... and Rect0, ... excepted).
std::span<LayoutKey const> layoutKeys();

// The key of that name (ASCII case ignored), the numbered Line and Rect keys
// included; null when the page reads no such key.
LayoutKey const* findLayoutKey(std::string_view name);
