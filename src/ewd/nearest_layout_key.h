#pragma once

#include <string>
#include <string_view>

// The known layout key nearest to name in edit distance (letters compared
// without case), when it is near enough to be a typing slip: within a quarter
// of the name's length, and at least 2. Empty when none is.
std::string nearestLayoutKey(std::string_view name);
