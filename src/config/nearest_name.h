#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

// Did-you-mean for the names a reader knows (layout keys, aircraft values).

// Edit distance, letters compared without case; any distance of limit or
// more is given as limit, found as soon as a row shows it.
std::size_t editDistanceIgnoringCase(std::string_view a, std::string_view b, std::size_t limit);

// The distance a known name must stay below to be suggested for name: near
// enough to be a typing slip, within a quarter of the name's length and at
// least 2.
std::size_t suggestionBound(std::string_view name);

// The candidate nearest to name within suggestionBound(name); empty when none is.
std::string nearestName(std::string_view name, std::span<std::string_view const> candidates);
