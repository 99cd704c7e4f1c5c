#include "number_text.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

bool parseDouble(std::string_view text, double& value)
{
    std::string const copy(text);
    char* end = nullptr;
    errno = 0;
    value = std::strtod(copy.c_str(), &end);
    return !copy.empty() && end == copy.c_str() + copy.size() && errno == 0 && std::isfinite(value);
}

bool parseInteger(std::string_view text, long long& value)
{
    std::string const copy(text);
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(copy.c_str(), &end, 0);
    return !copy.empty() && end == copy.c_str() + copy.size() && errno == 0;
}

std::string numberText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}
