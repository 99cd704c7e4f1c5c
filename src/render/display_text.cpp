#include "render/display_text.h"

#include <algorithm>

std::u16string toDisplayText(std::string_view text)
{
    std::u16string result;
    std::size_t const length = std::min(text.size(), kMaxDisplayText);
    result.reserve(length);
    for (std::size_t i = 0; i < length; ++i) {
        auto const byte = static_cast<unsigned char>(text[i]);
        result.push_back(byte == '_' ? u' ' : static_cast<char16_t>(byte));
    }
    return result;
}
