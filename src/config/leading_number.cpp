#include "config/leading_number.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

constexpr bool isScanfSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Skips the white space and the sign; returns true for a minus sign.
bool consumeSpaceAndSign(std::string_view& text)
{
    std::size_t i = 0;
    while (i < text.size() && isScanfSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    text.remove_prefix(i);
    return negative;
}

template<typename Real>
Real leadingReal(std::string_view text)
{
    bool const negative = consumeSpaceAndSign(text);
    // from_chars would take a second sign; sscanf does not.
    if (text.empty() || text.front() == '-')
        return 0;
    Real value = 0;
    auto const [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || !std::isfinite(value))
        return 0;
    return negative ? -value : value;
}

}

int leadingInt(std::string_view text)
{
    bool const negative = consumeSpaceAndSign(text);
    long long magnitude = 0;
    constexpr long long limit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        magnitude = std::min(magnitude * 10 + (c - '0'), limit);
    }
    long long const value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    return static_cast<int>(value);
}

float leadingFloat(std::string_view text)
{
    return leadingReal<float>(text);
}

double leadingDouble(std::string_view text)
{
    return leadingReal<double>(text);
}
