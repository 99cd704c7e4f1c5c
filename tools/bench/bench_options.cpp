#include "bench_options.h"

#include <charconv>

bool parseBounded(std::string_view text, long min, long max, long& value)
{
    long parsed = 0;
    auto const [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size() || parsed < min || parsed > max)
        return false;
    value = parsed;
    return true;
}

bool parseSize(std::string_view text, int& width, int& height)
{
    constexpr long kMaxSide = 16384;
    std::size_t const x = text.find('x');
    long w = 0, h = 0;
    if (x == std::string_view::npos || !parseBounded(text.substr(0, x), 1, kMaxSide, w)
        || !parseBounded(text.substr(x + 1), 1, kMaxSide, h))
        return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}
