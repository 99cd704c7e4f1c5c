#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

// A short display text held in place, so that per-frame drawing builds its
// texts without allocating. Appending past the capacity cuts the text.
template <std::size_t Capacity>
class FixedText {
public:
    static constexpr std::size_t kCapacity = Capacity;

    FixedText() = default;
    explicit FixedText(std::u16string_view text) { append(text); }

    void append(std::u16string_view text)
    {
        std::size_t const count = std::min(text.size(), Capacity - m_length);
        std::copy_n(text.data(), count, m_chars + m_length);
        m_length += count;
    }
    void append(char16_t c) { append(std::u16string_view(&c, 1)); }

    // Every character becomes c (the widths of a sample or a substitute text).
    void fill(char16_t c) { std::fill_n(m_chars, m_length, c); }

    std::u16string_view view() const { return { m_chars, m_length }; }
    std::size_t size() const { return m_length; }
    bool empty() const { return m_length == 0; }

private:
    char16_t m_chars[Capacity] = {};
    std::size_t m_length = 0;
};
