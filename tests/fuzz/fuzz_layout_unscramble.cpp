// Any bytes as a packed layout: unscrambling never reads or writes out of
// bounds, accepts only data whose text is two bytes shorter, and what it
// accepts packs back to the same bytes apart from the header. Any bytes as
// a layout text: packing and unpacking give them back.

#include "config/layout_codec.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

void packAndUnpack(std::uint8_t const* data, std::size_t size)
{
    std::string const text(reinterpret_cast<char const*>(data), size);
    std::optional<std::vector<std::uint8_t>> const packed = scrambleLayout(text);
    if (packed.has_value() != (size <= kMaxLayoutTextSize))
        __builtin_trap();
    if (packed && unscrambleLayout(*packed) != text)
        __builtin_trap();
}

}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    packAndUnpack(data, size);
    std::span<std::uint8_t const> const packed(data, size);
    std::optional<std::string> const text = unscrambleLayout(packed);
    if (!text)
        return 0;
    std::size_t const used = std::min(size, kMaxPackedLayoutSize);
    if (text->size() + 2 != used)
        __builtin_trap();
    std::optional<std::vector<std::uint8_t>> const repacked = scrambleLayout(*text);
    if (!repacked || repacked->size() != used || !std::equal(repacked->begin() + 1, repacked->end() - 1, data + 1))
        __builtin_trap();
    if (unscrambleLayout(*repacked) != text)
        __builtin_trap();
    return 0;
}
