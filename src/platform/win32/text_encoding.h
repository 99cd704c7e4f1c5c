#pragma once

#include <string>
#include <string_view>

// Conversions between the program's 8-bit texts (profile texts, face names,
// file names: all in the ANSI code page) and the wide texts of the Windows
// interfaces.
std::wstring wideFromAnsi(std::string_view text);
std::string narrowFromWide(std::wstring_view text);
