#include "config/profile_reader.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <map>

namespace {

// Keys of one section held in memory; records how the readers ask.
class MemoryProfileStore final : public ProfileStore {
public:
    std::map<std::string, std::string, std::less<>> values;
    std::string lastDefault;
    std::size_t lastBufferSize = 0;

    std::string read(std::string const&, std::string_view, std::string_view key, std::string_view defaultText,
        std::size_t bufferSize) override
    {
        lastDefault = defaultText;
        lastBufferSize = bufferSize;
        auto const found = values.find(key);
        std::string const value = found == values.end() ? std::string(defaultText) : found->second;
        return value.substr(0, bufferSize - 1);
    }
    bool write(std::string const&, std::string_view, std::string_view, std::string_view) override { return false; }
};

class ProfileReaderTest : public testing::Test {
protected:
    MemoryProfileStore store;
    ProfileReader reader { store, "layout.ini", "EICAS" };

    void set(std::string const& key, std::string const& value) { store.values[key] = value; }
};

}

TEST_F(ProfileReaderTest, AsksForEveryKeyWithTheSentinelAndA99CharBuffer)
{
    reader.readInt("Anything", 0);
    EXPECT_EQ(store.lastDefault, "<UNDEFINDED>");
    EXPECT_EQ(store.lastBufferSize, 99u);
}

TEST_F(ProfileReaderTest, AbsentKeysGiveTheDefaults)
{
    EXPECT_EQ(reader.readInt("k", 7), 7);
    EXPECT_EQ(reader.readChar("k", 'x'), 'x');
    EXPECT_EQ(reader.readFloat("k", 1.5f), 1.5f);
    EXPECT_EQ(reader.readDouble("k", 2.5), 2.5);
    EXPECT_EQ(reader.readBool("k", 5), 5);
    EXPECT_EQ(reader.readWideString("k", u"dflt"), u"dflt");
    EXPECT_EQ(reader.readKeyword("k", Vocabulary::FontQuality, 2), 2);
    EXPECT_EQ(reader.readColourOrDefault("k", 0x123456), 0x123456u);
    EXPECT_EQ(reader.readColour("k", "AMBER"), 0x000096FFu);
    EXPECT_EQ(reader.readAlignment("k", 66), 66);
    PointF const point = reader.readPoint("k", "-1000,-1000");
    EXPECT_EQ(point.x, -1000);
    EXPECT_EQ(point.y, -1000);
    EXPECT_FALSE(reader.readRaw("k"));
}

TEST_F(ProfileReaderTest, TheSentinelTextItselfCountsAsAbsent)
{
    set("k", "<UNDEFINDED>");
    EXPECT_EQ(reader.readInt("k", 7), 7);
    set("k", "<UNDEFINDED>x");
    EXPECT_EQ(reader.readRaw("k"), "<UNDEFINDED>x");
}

TEST_F(ProfileReaderTest, AnEmptyValueIsPresent)
{
    set("k", "");
    EXPECT_EQ(reader.readRaw("k"), "");
    EXPECT_EQ(reader.readInt("k", 7), 0);
    EXPECT_EQ(reader.readChar("k", 'x'), '\0');
    EXPECT_EQ(reader.readDouble("k", 2.5), 0.0);
    EXPECT_EQ(reader.readBool("k", 5), 5);
    EXPECT_EQ(reader.readColour("k", "WHITE"), 0u);
    EXPECT_EQ(reader.readWideString("k", u"dflt"), u"");
    RectF const box = reader.readBox("k", "1,2,3,4");
    EXPECT_EQ(box.x, 0);
    EXPECT_EQ(box.y, 0);
    EXPECT_EQ(box.width, 0);
    EXPECT_EQ(box.height, 0);
}

TEST_F(ProfileReaderTest, IntegersAreReadLikeScanf)
{
    std::vector<std::pair<std::string, int>> const cases {
        { "42", 42 }, { "  -7px", -7 }, { "+5", 5 }, { "1.9", 1 }, { "abc", 0 }, { "- 3", 0 }, { "+-3", 0 },
        { "\t12", 12 }, { "007", 7 }, { "2147483647", std::numeric_limits<int>::max() },
        { "99999999999", std::numeric_limits<int>::max() }, { "-2147483648", std::numeric_limits<int>::min() },
        { "-99999999999", std::numeric_limits<int>::min() },
    };
    for (auto const& [text, expected] : cases) {
        set("k", text);
        EXPECT_EQ(reader.readInt("k", 100), expected) << text;
    }
}

TEST_F(ProfileReaderTest, RealsAreReadLikeScanfWithAPoint)
{
    std::vector<std::pair<std::string, double>> const cases {
        { "1.5", 1.5 }, { " -2.5e2abc", -250.0 }, { ".5", 0.5 }, { "5.", 5.0 }, { "+0.25", 0.25 }, { "1,5", 1.0 },
        { "1e", 1.0 }, { "abc", 0.0 }, { "-", 0.0 }, { "+-1", 0.0 }, { "inf", 0.0 }, { "nan", 0.0 }, { "1e999", 0.0 },
    };
    for (auto const& [text, expected] : cases) {
        set("k", text);
        EXPECT_EQ(reader.readDouble("k", 100), expected) << text;
        EXPECT_EQ(reader.readFloat("k", 100), static_cast<float>(expected)) << text;
    }
    set("k", "1e300"); // a double, too large for a float
    EXPECT_EQ(reader.readDouble("k", 0), 1e300);
    EXPECT_EQ(reader.readFloat("k", 100), 0.0f);
}

TEST_F(ProfileReaderTest, CharIsTheFirstCharacter)
{
    set("k", "\xf9rest");
    EXPECT_EQ(reader.readChar("k", 'x'), '\xf9');
}

TEST_F(ProfileReaderTest, BooleansKnowFourWordsEachWayAndKeepTheDefaultOtherwise)
{
    for (char const* yes : { "YES", "true", "On", "1" }) {
        set("AntiAliasing", yes);
        EXPECT_EQ(reader.readBool("AntiAliasing", 9), 1) << yes;
    }
    for (char const* no : { "no", "FALSE", "off", "0" }) {
        set("AntiAliasing", no);
        EXPECT_EQ(reader.readBool("AntiAliasing", 9), 0) << no;
    }
    for (char const* other : { "2", "YESS", " yes", "y" }) {
        set("AntiAliasing", other);
        EXPECT_EQ(reader.readBool("AntiAliasing", 9), 9) << other;
    }
}

TEST_F(ProfileReaderTest, WideStringsShowUnderscoresAsSpaces)
{
    set("Title", "N1_%");
    EXPECT_EQ(reader.readWideString("Title", u""), u"N1 %");
}

TEST_F(ProfileReaderTest, KeywordsGiveTheirIndexIgnoringAsciiCase)
{
    set("Units", "metric");
    EXPECT_EQ(reader.readKeyword("Units", Vocabulary::UnitSystem, 0), 1);
    set("DisplayType", "Stack");
    EXPECT_EQ(reader.readKeyword("DisplayType", Vocabulary::GaugeForm, 0), 4);
    set("DisplayType", "STACKS");
    EXPECT_EQ(reader.readKeyword("DisplayType", Vocabulary::GaugeForm, 3), 3);
    set("EngineType", "epr_driven");
    EXPECT_EQ(reader.readKeyword("EngineType", Vocabulary::EngineType, 0), 1);
}

TEST_F(ProfileReaderTest, NumberListsSplitAtDashes)
{
    std::array<double, 4> out {};
    set("k", "100-200-300-400");
    EXPECT_EQ(reader.readNumberList("k", out), 4);
    EXPECT_EQ(out, (std::array<double, 4> { 100, 200, 300, 400 }));

    set("k", "10-20-30-40-50");
    EXPECT_EQ(reader.readNumberList("k", out), 4);
    EXPECT_EQ(out, (std::array<double, 4> { 10, 20, 30, 40 }));

    out = { 9, 9, 9, 9 };
    set("k", "--1.5--x-");
    EXPECT_EQ(reader.readNumberList("k", out), 2);
    EXPECT_EQ(out, (std::array<double, 4> { 1.5, 0, 9, 9 }));

    out = { 9, 9, 9, 9 };
    set("k", "");
    EXPECT_EQ(reader.readNumberList("k", out), 0);
    EXPECT_EQ(out, (std::array<double, 4> { 9, 9, 9, 9 }));

    EXPECT_EQ(reader.readNumberList("absent", out), 0);
    EXPECT_EQ(out, (std::array<double, 4> {}));
}

TEST(ParseColour, NamedColoursInAnyCase)
{
    std::vector<std::pair<std::string, std::uint32_t>> const cases {
        { "BLACK", 0x00000000 }, { "white", 0x00FFFFFF }, { "Grey", 0x00646464 }, { "RED", 0x000000FF },
        { "GREEN", 0x0000FF00 }, { "BLUE", 0x00FF0000 }, { "CYAN", 0x00FFFF00 }, { "YELLOW", 0x0000FFFF },
        { "MAGENTA", 0x00FF00FF }, { "amber", 0x000096FF },
    };
    for (auto const& [text, expected] : cases)
        EXPECT_EQ(parseColour(text), expected) << text;
}

TEST(ParseColour, RedGreenBlueNumbers)
{
    EXPECT_EQ(parseColour("255,150"), 0x000096FFu);
    EXPECT_EQ(parseColour("1,2,3"), 0x00030201u);
    EXPECT_EQ(parseColour("300,0,0"), 44u);
    EXPECT_EQ(parseColour("-1,0,0"), 0xFFu);
    EXPECT_EQ(parseColour("1,,2,3,4"), 0x00030201u);
    EXPECT_EQ(parseColour("x,16"), 0x00001000u);
    EXPECT_EQ(parseColour(""), 0u);
    EXPECT_EQ(parseColour(" RED"), 0u);
}

TEST(ParseColour, TransparentSetsTheFlagWhenGiven)
{
    bool transparent = false;
    EXPECT_EQ(parseColour("transparent", &transparent), 0u);
    EXPECT_TRUE(transparent);
    EXPECT_EQ(parseColour("TRANSPARENT"), 0u);
}

TEST_F(ProfileReaderTest, ReadColourClearsTheFlagFirstAndFallsBackToTheDefaultText)
{
    bool transparent = true;
    set("Back", "0,0,255");
    EXPECT_EQ(reader.readColour("Back", "WHITE", &transparent), 0x00FF0000u);
    EXPECT_FALSE(transparent);
    EXPECT_EQ(reader.readColour("Absent", "TRANSPARENT", &transparent), 0u);
    EXPECT_TRUE(transparent);
    set("Back", "green");
    EXPECT_EQ(reader.readColourOrDefault("Back", 0), 0x0000FF00u);
}

TEST_F(ProfileReaderTest, PointsAndBoxes)
{
    set("p", "5");
    PointF point = reader.readPoint("p", "1,1");
    EXPECT_EQ(point.x, 5);
    EXPECT_EQ(point.y, 0);
    set("p", "1.5,-2.5,9");
    point = reader.readPoint("p", "");
    EXPECT_EQ(point.x, 1.5f);
    EXPECT_EQ(point.y, -2.5f);

    set("b", "100,50,300,250");
    RectF box = reader.readBox("b", "");
    EXPECT_EQ(box.x, 100);
    EXPECT_EQ(box.y, 50);
    EXPECT_EQ(box.width, 200);
    EXPECT_EQ(box.height, 200);
    box = reader.readBox("absent", "10,20,15,40");
    EXPECT_EQ(box.width, 5);
    EXPECT_EQ(box.height, 20);
}

TEST_F(ProfileReaderTest, AlignmentKeywords)
{
    std::vector<std::pair<std::string, int>> const cases {
        { "LEFT", 9 }, { "TOP_LEFT", 9 }, { "BOTTOM_LEFT", 33 }, { "BASE_LEFT", 17 }, { "CENTER_LEFT", 65 },
        { "RIGHT", 12 }, { "TOP_RIGHT", 12 }, { "BOTTOM_RIGHT", 36 }, { "BASE_RIGHT", 20 }, { "CENTER_RIGHT", 68 },
        { "CENTER", 10 }, { "TOP_CENTER", 10 }, { "BOTTOM_CENTER", 34 }, { "base_center", 18 },
        { "Center_Center", 66 }, { "MIDDLE", 3 }, { "", 3 },
    };
    for (auto const& [text, expected] : cases) {
        set("Align", text);
        EXPECT_EQ(reader.readAlignment("Align", 3), expected) << text;
    }
}

TEST(FileExists, OnlyForFilesThatCanBeOpened)
{
    TempFolder folder;
    std::ofstream(folder.file("present.bin")) << "x";
    EXPECT_TRUE(fileExists(folder.file("present.bin")));
    EXPECT_FALSE(fileExists(folder.file("absent.bin")));
    EXPECT_FALSE(fileExists(folder.path()));
}
