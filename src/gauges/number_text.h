#pragma once

#include "gauges/fixed_text.h"

#include <cstddef>
#include <span>

// Tick labels and readouts hold at most nine characters.
using NumberText = FixedText<9>;

// The value in fixed-point notation with the given number of decimals (what
// the pattern "%.Nf" makes), cut to out.size() characters; returns how many
// were written. Independent of the C locale, so the decimal point is always
// '.'; a negative count of decimals counts as none. Allocates nothing.
std::size_t writeFixed(double value, int decimals, std::span<char16_t> out);

// The same, cut to nine characters.
NumberText formatFixed(double value, int decimals);
