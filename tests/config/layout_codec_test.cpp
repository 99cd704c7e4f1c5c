#include "config/layout_codec.h"
#include "config/layout_key.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

std::vector<std::uint8_t> packed(std::string_view text)
{
    return scrambleLayout(text).value();
}

}

TEST(LayoutKey, HasThirtyNonZeroBytes)
{
    EXPECT_EQ(kLayoutKey.size(), 30u);
    EXPECT_TRUE(std::none_of(kLayoutKey.begin(), kLayoutKey.end(), [](std::uint8_t byte) { return byte == 0; }));
}

TEST(LayoutCodec, PackedLayoutIsHeaderTextAndChecksumXoredWithTheKey)
{
    std::string const text = "[EICAS]\r\nSizeX=1000\r\n";
    std::vector<std::uint8_t> const bytes = packed(text);
    ASSERT_EQ(bytes.size(), text.size() + 2);
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        auto const plain = static_cast<std::uint8_t>(bytes[i] ^ kLayoutKey[i % 30]);
        if (i == 0)
            EXPECT_EQ(plain, kLayoutHeaderByte);
        else if (i + 1 < bytes.size())
            EXPECT_EQ(plain, static_cast<std::uint8_t>(text[i - 1]));
        else
            EXPECT_EQ(plain, sum);
        sum = static_cast<std::uint8_t>(sum + plain);
    }
}

TEST(LayoutCodec, RoundTripsEveryByte)
{
    std::string text;
    for (int i = 0; i < 3 * 256; ++i)
        text.push_back(static_cast<char>(i));
    EXPECT_EQ(unscrambleLayout(packed(text)), text);
    EXPECT_EQ(unscrambleLayout(packed("")), "");
}

TEST(LayoutCodec, TwoBytesHoldAnEmptyLayout)
{
    std::vector<std::uint8_t> const bytes = packed("");
    ASSERT_EQ(bytes.size(), 2u);
    EXPECT_EQ(unscrambleLayout(bytes), "");
    // Any header byte will do, as long as the checksum matches it.
    std::uint8_t const header = 0x7E;
    std::vector<std::uint8_t> const other { static_cast<std::uint8_t>(header ^ kLayoutKey[0]),
        static_cast<std::uint8_t>(header ^ kLayoutKey[1]) };
    EXPECT_EQ(unscrambleLayout(other), "");
}

TEST(LayoutCodec, RejectsTooShortData)
{
    EXPECT_FALSE(unscrambleLayout({}));
    std::vector<std::uint8_t> const one { kLayoutKey[0] };
    EXPECT_FALSE(unscrambleLayout(one));
}

TEST(LayoutCodec, EveryAlteredByteFailsTheChecksum)
{
    std::vector<std::uint8_t> const good = packed("[EICAS]\nSizeX=1000\n");
    for (std::size_t i = 0; i < good.size(); ++i) {
        std::vector<std::uint8_t> bad = good;
        bad[i] ^= 0x10;
        EXPECT_FALSE(unscrambleLayout(bad)) << "byte " << i;
    }
}

TEST(LayoutCodec, TruncatedDataFailsTheChecksum)
{
    std::vector<std::uint8_t> const good = packed("[EICAS]\nSizeX=1000\n");
    EXPECT_FALSE(unscrambleLayout(std::span(good).first(good.size() - 1)));
    EXPECT_FALSE(unscrambleLayout(std::span(good).first(good.size() / 2)));
}

TEST(LayoutCodec, ReadsOnlyTheFirst40960Bytes)
{
    std::string const biggest(kMaxLayoutTextSize, 'x');
    std::vector<std::uint8_t> bytes = packed(biggest);
    ASSERT_EQ(bytes.size(), 40960u);
    bytes.push_back(0x55);
    EXPECT_EQ(unscrambleLayout(bytes), biggest);

    std::vector<std::uint8_t> const longer = packed(std::string(100, 'y'));
    std::vector<std::uint8_t> oversized(50000, 0);
    std::copy(longer.begin(), longer.end(), oversized.begin());
    EXPECT_FALSE(unscrambleLayout(oversized));
}

TEST(LayoutCodec, RefusesToPackMoreThanFits)
{
    EXPECT_TRUE(scrambleLayout(std::string(kMaxLayoutTextSize, 'x')));
    EXPECT_FALSE(scrambleLayout(std::string(kMaxLayoutTextSize + 1, 'x')));
}

TEST(LayoutCodec, RandomDataEitherFailsOrGivesAllButTwoBytes)
{
    std::mt19937 random(1);
    int accepted = 0;
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::uint8_t> bytes(random() % 64);
        std::generate(bytes.begin(), bytes.end(), [&] { return static_cast<std::uint8_t>(random()); });
        if (std::optional<std::string> const text = unscrambleLayout(bytes)) {
            ++accepted;
            EXPECT_EQ(text->size() + 2, bytes.size());
        }
    }
    // One in 256 random buffers passes an 8-bit checksum.
    EXPECT_LT(accepted, 40);
}
