#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Packed layouts: a header byte, the layout text and a checksum byte (the sum
// modulo 256 of every byte before it), all scrambled with kLayoutKey.

// The most bytes of packed data ever read; longer data is cut to this size.
inline constexpr std::size_t kMaxPackedLayoutSize = 40960;
inline constexpr std::size_t kMaxLayoutTextSize = kMaxPackedLayoutSize - 2;

// The header byte written by the packer; readers ignore its value.
inline constexpr std::uint8_t kLayoutHeaderByte = 0x01;

// The packed form of text, or nullopt when text is longer than
// kMaxLayoutTextSize.
std::optional<std::vector<std::uint8_t>> scrambleLayout(std::string_view text);

// The layout text of packed data (cut to kMaxPackedLayoutSize first), or
// nullopt when the data is shorter than 2 bytes or its checksum does not match.
std::optional<std::string> unscrambleLayout(std::span<std::uint8_t const> packed);
