#include "config/breakpoint_table.h"

#include "config/profile_reader.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace {

// The whole token as one finite number, blanks around it allowed.
std::optional<double> wholeNumber(std::string_view token)
{
    std::string const text(token);
    char const* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    double const value = std::strtod(begin, &end);
    if (end == begin || errno == ERANGE || !std::isfinite(value))
        return std::nullopt;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end != '\0')
        return std::nullopt;
    return value;
}

}

std::optional<BreakpointTable> parseBreakpoints(std::string_view text, std::string* problem)
{
    auto const fail = [&](std::string message) -> std::optional<BreakpointTable> {
        if (problem)
            *problem = std::move(message);
        return std::nullopt;
    };
    BreakpointTable table;
    for (std::string_view pair : splitProfileTokens(text, ',')) {
        std::size_t const colon = pair.find(':');
        std::optional<double> const x = colon == std::string_view::npos ? std::nullopt : wholeNumber(pair.substr(0, colon));
        std::optional<double> const y = colon == std::string_view::npos ? std::nullopt : wholeNumber(pair.substr(colon + 1));
        if (!x || !y)
            return fail(std::string(pair) + " is not a pair x:y");
        if (!table.empty() && !(*x > table.back().x))
            return fail("x does not rise at " + std::string(pair));
        table.push_back({ *x, *y });
    }
    return table;
}

std::optional<double> interpolate(BreakpointTable const& table, double x)
{
    if (table.empty() || std::isnan(x))
        return std::nullopt;
    if (x <= table.front().x)
        return table.front().y;
    for (std::size_t i = 1; i < table.size(); ++i) {
        Breakpoint const& a = table[i - 1];
        Breakpoint const& b = table[i];
        if (x <= b.x)
            return a.y + (x - a.x) / (b.x - a.x) * (b.y - a.y);
    }
    return table.back().y;
}
