#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A piecewise-linear table written in a layout as "x:y" pairs separated by
// ',', x rising: "-20:70,0:19,100:95". Outside its first and last x the
// table holds the end values.
struct Breakpoint {
    double x = 0;
    double y = 0;
};

using BreakpointTable = std::vector<Breakpoint>;

// The table the text writes, or nullopt with *problem saying what is wrong
// in one phrase ("3:x is not a pair x:y", "x does not rise at 5:80"). Empty
// text is an empty table.
std::optional<BreakpointTable> parseBreakpoints(std::string_view text, std::string* problem = nullptr);

// y at x, between the two breakpoints around it; nullopt for an empty table
// or an x that is not a number.
std::optional<double> interpolate(BreakpointTable const&, double x);
