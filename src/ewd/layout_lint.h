#pragma once

#include <string>
#include <string_view>
#include <vector>

// One mistake in a layout text: the line it is on (from 1) and what is wrong,
// in one sentence.
struct LayoutProblem {
    int line = 0;
    std::string message;
};

// Checks a plain layout text against the keys the page reads and the values
// its readers understand: unknown keys (with the nearest known key), keys the
// readers never reach (outside the first [EICAS] section, or given again),
// and values they would take for something else. Problems come in line order.
std::vector<LayoutProblem> lintLayout(std::string_view text);
