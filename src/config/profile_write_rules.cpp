#include "config/profile_write_rules.h"

#include "config/ini_text.h"

namespace {

bool holdsLineBreakOrNul(std::string_view text)
{
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}

bool isWritableProfileEntry(std::string_view file, std::string_view section, std::string_view key, std::string_view value)
{
    std::string_view const name = trimProfileBlanks(key);
    if (file.empty() || trimProfileBlanks(section).empty() || name.empty())
        return false;
    if (holdsLineBreakOrNul(section) || holdsLineBreakOrNul(key) || holdsLineBreakOrNul(value))
        return false;
    return name.find('=') == std::string_view::npos && name.front() != '[';
}
