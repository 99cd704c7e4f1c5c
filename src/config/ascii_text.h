#pragma once

#include <string>
#include <string_view>

// Byte-text helpers shared by the profile engine and the readers. Profile
// text is 8-bit; only ASCII letters fold case, so a keyword never matches a
// word that differs in an accented letter.

constexpr char toAsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string asciiUpper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        c = toAsciiUpper(c);
    return upper;
}

constexpr bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (toAsciiUpper(a[i]) != toAsciiUpper(b[i]))
            return false;
    }
    return true;
}
