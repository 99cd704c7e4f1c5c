#pragma once

#include <span>
#include <string_view>

// Reads the options of a subcommand: each is a name followed by one value.
// For every pair, take(name, value) says whether it understood it; false on
// the first it did not, or on a name without a value.
template <typename Take>
bool readOptionPairs(std::span<char const* const> args, Take take)
{
    if (args.size() % 2 != 0)
        return false;
    for (std::size_t i = 0; i < args.size(); i += 2) {
        if (!take(std::string_view(args[i]), std::string_view(args[i + 1])))
            return false;
    }
    return true;
}

// A whole decimal number from min to max.
bool parseBounded(std::string_view text, long min, long max, long& value);

// WxH, each side from 1 to 16384.
bool parseSize(std::string_view text, int& width, int& height);
