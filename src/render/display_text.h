#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// 8-bit profile text to 16-bit display text: '_' shows as a space, every other
// byte is the Latin-1 character of the same code (0xB0 is the degree sign).
// At most kMaxDisplayText characters are kept.
constexpr std::size_t kMaxDisplayText = 199;
std::u16string toDisplayText(std::string_view text);
