#pragma once

#include <string>
#include <string_view>

// Whole-text number parsing for command-line options and scenario files: the
// text must be the number and nothing else.

// A finite decimal number.
bool parseDouble(std::string_view text, double& value);
// A decimal integer, or hexadecimal with 0x.
bool parseInteger(std::string_view text, long long& value);

// A number as people write it: no trailing zeros, no exponent for the ranges
// scenarios use.
std::string numberText(double value);
