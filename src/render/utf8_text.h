#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

// 16-bit display text to UTF-8. An unpaired surrogate becomes U+FFFD.

// Writes into out and terminates it, cutting at a character boundary when out
// is too small. Returns the number of bytes before the terminator. Allocates
// nothing, for the per-frame drawing path.
std::size_t utf16ToUtf8(std::u16string_view text, std::span<char> out);

std::string utf16ToUtf8(std::u16string_view text);
