#pragma once

#include <string>
#include <string_view>

// Conversions between the program's 8-bit texts and the wide texts of the
// Windows interfaces. Profile texts and face names are in the ANSI code page;
// command-line arguments and paths travel inside the program as UTF-8.
std::wstring wideFromAnsi(std::string_view text);
std::wstring wideFromUtf8(std::string_view text);
std::string utf8FromWide(std::wstring_view text);
std::string narrowFromWide(std::wstring_view text); // to the ANSI code page
