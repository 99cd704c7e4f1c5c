#include "render/utf8_text.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The code point starting at text[i]; advances i past it.
char32_t nextCodePoint(std::u16string_view text, std::size_t& i)
{
    char32_t const unit = text[i++];
    if (unit >= 0xD800 && unit <= 0xDBFF) {
        if (i < text.size() && text[i] >= 0xDC00 && text[i] <= 0xDFFF) {
            char32_t const low = text[i++];
            return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        }
        return kReplacement;
    }
    if (unit >= 0xDC00 && unit <= 0xDFFF)
        return kReplacement;
    return unit;
}

// Encodes one code point; returns its length (1 to 4 bytes).
std::size_t encode(char32_t c, char (&bytes)[4])
{
    if (c < 0x80) {
        bytes[0] = static_cast<char>(c);
        return 1;
    }
    if (c < 0x800) {
        bytes[0] = static_cast<char>(0xC0 | (c >> 6));
        bytes[1] = static_cast<char>(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        bytes[0] = static_cast<char>(0xE0 | (c >> 12));
        bytes[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        bytes[2] = static_cast<char>(0x80 | (c & 0x3F));
        return 3;
    }
    bytes[0] = static_cast<char>(0xF0 | (c >> 18));
    bytes[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    bytes[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    bytes[3] = static_cast<char>(0x80 | (c & 0x3F));
    return 4;
}

} // namespace

std::size_t utf16ToUtf8(std::u16string_view text, std::span<char> out)
{
    if (out.empty())
        return 0;
    std::size_t length = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        char bytes[4];
        std::size_t const count = encode(nextCodePoint(text, i), bytes);
        if (length + count >= out.size())
            break;
        for (std::size_t b = 0; b < count; ++b)
            out[length++] = bytes[b];
    }
    out[length] = '\0';
    return length;
}

std::string utf16ToUtf8(std::u16string_view text)
{
    std::string result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        char bytes[4];
        result.append(bytes, encode(nextCodePoint(text, i), bytes));
    }
    return result;
}
