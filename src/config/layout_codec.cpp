#include "config/layout_codec.h"

#include "config/layout_key.h"

#include <algorithm>

std::optional<std::vector<std::uint8_t>> scrambleLayout(std::string_view text)
{
    if (text.size() > kMaxLayoutTextSize)
        return std::nullopt;
    std::vector<std::uint8_t> packed;
    packed.reserve(text.size() + 2);
    packed.push_back(kLayoutHeaderByte);
    packed.insert(packed.end(), text.begin(), text.end());
    std::uint8_t sum = 0;
    for (std::uint8_t byte : packed)
        sum = static_cast<std::uint8_t>(sum + byte);
    packed.push_back(sum);
    for (std::size_t i = 0; i < packed.size(); ++i)
        packed[i] ^= kLayoutKey[i % kLayoutKey.size()];
    return packed;
}

std::optional<std::string> unscrambleLayout(std::span<std::uint8_t const> packed)
{
    packed = packed.first(std::min(packed.size(), kMaxPackedLayoutSize));
    if (packed.size() < 2)
        return std::nullopt;
    std::size_t const checksumAt = packed.size() - 1;
    std::string text;
    text.reserve(checksumAt - 1);
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < checksumAt; ++i) {
        auto const plain = static_cast<std::uint8_t>(packed[i] ^ kLayoutKey[i % kLayoutKey.size()]);
        sum = static_cast<std::uint8_t>(sum + plain);
        if (i > 0)
            text.push_back(static_cast<char>(plain));
    }
    if (sum != (packed[checksumAt] ^ kLayoutKey[checksumAt % kLayoutKey.size()]))
        return std::nullopt;
    return text;
}
