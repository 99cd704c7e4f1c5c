#include "gauges/number_text.h"

#include <algorithm>
#include <charconv>

namespace {

// Enough for any double in fixed notation (309 integer digits, sign, point)
// with kMaxDecimals decimals. Beyond that many decimals nothing more can show
// in a short text.
constexpr int kMaxDecimals = 64;
constexpr std::size_t kScratchSize = 400;

}

std::size_t writeFixed(double value, int decimals, std::span<char16_t> out)
{
    char scratch[kScratchSize];
    int const digits = std::clamp(decimals, 0, kMaxDecimals);
    auto const result = std::to_chars(scratch, scratch + kScratchSize, value, std::chars_format::fixed, digits);
    if (result.ec != std::errc())
        return 0;
    std::size_t const count = std::min(static_cast<std::size_t>(result.ptr - scratch), out.size());
    for (std::size_t i = 0; i < count; ++i)
        out[i] = static_cast<char16_t>(static_cast<unsigned char>(scratch[i]));
    return count;
}

NumberText formatFixed(double value, int decimals)
{
    char16_t chars[NumberText::kCapacity];
    std::size_t const count = writeFixed(value, decimals, chars);
    return NumberText({ chars, count });
}
