#pragma once

#include <string_view>

// The number at the start of a text, read the way sscanf reads "%d", "%f" and
// "%lf": leading white space skipped, an optional sign, then as many digits as
// form a number; the rest of the text is ignored. A text that does not start
// with a number gives 0. The decimal point is always '.', whatever the
// locale. Where sscanf would overflow, integers saturate and reals that are
// not finite give 0.
int leadingInt(std::string_view text);
float leadingFloat(std::string_view text);
double leadingDouble(std::string_view text);
