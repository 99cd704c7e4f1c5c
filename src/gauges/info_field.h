#pragma once

#include "render/geometry.h"

#include <cstdint>
#include <string>

// One of the five information fields: 0 "TotalFuel", 1 "SAT", 2 "TAT",
// 3 "Gear", 4 "Spoiler".
struct InfoField {
    static constexpr std::size_t kMaxAffixLength = 19;
    static constexpr int kTextCapacity = 20;

    std::int32_t displayMode = 2; // NEVER, ON_SIGNAL, ALWAYS; stored only
    std::u16string prefix;
    std::u16string suffix;
    char16_t text[kTextCapacity] = {}; // rewritten every frame
    PointF position;
    std::int32_t alignment = 2;
    bool affixed = false;
    bool visible = false;
};

// A free text the layout places on the page: UserMessage1 .. UserMessage10.
struct UserMessage {
    static constexpr std::size_t kMaxLabelLength = 49;

    std::u16string label;
    PointF position;
    std::int32_t alignment = 2;
    bool enabled = false;
};
