#include "sim/aircraft_file.h"

#include "config/whole_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

std::string shipped(char const* name)
{
    std::optional<std::string> const text = readWholeFile(std::string(TARNEX_SOURCE_DIR) + "/aircraft/" + name).bytes;
    EXPECT_TRUE(text) << name;
    return text.value_or("");
}

TEST(AircraftFile, TheShippedDefaultFileIsExactlyTheStandardOffsets)
{
    AircraftFileContents const contents = parseAircraftFile(shipped("default.ini"));
    EXPECT_TRUE(contents.problems.empty()) << contents.problems.front().message;
    for (AircraftValueRow const& row : kAircraftValueTable)
        EXPECT_EQ(contents.sources[row.value].fsuipc, standardAircraftSources()[row.value].fsuipc) << row.name;
}

TEST(AircraftFile, TheShippedFilesParseWithoutAProblem)
{
    for (char const* name :
        { "a32nx-fsuipc7.ini", "xplane-toliss-a320.ini", "xplane12-fadec.ini", "flightgear-a320-family.ini" }) {
        AircraftFileContents const contents = parseAircraftFile(shipped(name));
        for (AircraftFileProblem const& problem : contents.problems)
            ADD_FAILURE() << name << ":" << problem.line << ": " << problem.message;
    }
}

TEST(AircraftFile, AFileTakesOffsetsStridesListsMapsDatarefsAndProperties)
{
    AircraftFileContents const contents = parseAircraftFile("\xEF\xBB\xBF; an A320, saved by Notepad\n"
                                                            "[ThrustLimitMode]\n"
                                                            "offset = 0x66C0 ; a user offset\n"
                                                            "type = u8\n"
                                                            "map = 1:4 2:3\n"
                                                            "xplane = AirbusFBW/THRRatingType\n"
                                                            "flightgear = /systems/fadec/limit/active-mode-int\n"
                                                            "[oilpress]\n"
                                                            "offset = 26306\n"
                                                            "stride = 2\n"
                                                            "type = s16\n"
                                                            "scale = 0.5\n"
                                                            "bias = -10\n"
                                                            "xplane = sim/flightmodel/engine/ENGN_oil_press_psi\n"
                                                            "xplane_index = 0\n"
                                                            "flightgear = /engines/engine[#]/oil-pressure-psi\n"
                                                            "[GearPosition]\n"
                                                            "offset = 0x6700 0x6708 0x6710\n"
                                                            "type = f64\n"
                                                            "[SeatBelts]\n"
                                                            "offset = none\n");
    ASSERT_TRUE(contents.problems.empty()) << contents.problems.front().line << ": " << contents.problems.front().message;
    ValueSources const& mode = contents.sources[AircraftValue::ThrustLimitMode];
    EXPECT_EQ(mode.line, 2);
    EXPECT_EQ(mode.fsuipc, (FsuipcSource { { 0x66C0, 0, 0, 0 }, FsuipcValueType::U8, 1, 0 }));
    EXPECT_EQ(storedToUnit(1, 1, 0, mode.codes), 4);
    EXPECT_TRUE(std::isnan(storedToUnit(7, 1, 0, mode.codes)));
    EXPECT_EQ(unitToStored(4, 1, 0, mode.codes), 1); // what a server stores for TOGA
    EXPECT_TRUE(std::isnan(unitToStored(5, 1, 0, mode.codes)));
    EXPECT_EQ(mode.xplane->dataref, "AirbusFBW/THRRatingType");
    EXPECT_EQ(mode.xplane->line, 6);
    EXPECT_EQ(mode.flightgear->line, 7);
    EXPECT_FALSE(mode.xplane->isArray);
    EXPECT_EQ(mode.flightgear->paths[0], "/systems/fadec/limit/active-mode-int");
    ValueSources const& oil = contents.sources[AircraftValue::OilPress];
    EXPECT_EQ(oil.fsuipc, (FsuipcSource { { 0x66C2, 0x66C4, 0x66C6, 0x66C8 }, FsuipcValueType::S16, 0.5, -10 }));
    EXPECT_EQ(oil.xplane->indices, (std::array<int, 4> { 0, 1, 2, 3 }));
    EXPECT_EQ(oil.flightgear->paths[1], "/engines/engine[1]/oil-pressure-psi");
    EXPECT_EQ(storedToUnit(unitToStored(42.5, 0.5, -10, oil.codes), 0.5, -10, oil.codes), 42.5);
    EXPECT_EQ(contents.sources[AircraftValue::GearPosition].fsuipc->offsets, (std::array<std::uint32_t, 4> { 0x6700, 0x6708, 0x6710, 0 }));
    EXPECT_EQ(contents.sources[AircraftValue::SeatBelts].fsuipc, std::nullopt);
    // Values the file does not name keep their standard sources.
    EXPECT_EQ(contents.sources[AircraftValue::OilTemp].fsuipc, standardAircraftSources()[AircraftValue::OilTemp].fsuipc);
}

TEST(AircraftFile, EachMistakeIsOneSentenceOnItsLine)
{
    struct Case {
        char const* text;
        int line;
        char const* message;
    };
    Case const cases[] = {
        { "[OilPres]\noffset = 0x66C0\ntype = u8\n", 1, "unknown value \"OilPres\"; did you mean \"OilPress\"?" },
        { "[Frobnicator]\n", 1, "unknown value \"Frobnicator\"." },
        { "[FlexTemp]\noffset = 0x66C0\ntype = u8\nsclae = 2\n", 4, "unknown field \"sclae\"; did you mean \"scale\"?" },
        { "[FlexTemp]\noffset = 0x66C0\ntype = u24\n", 3, "type \"u24\" is not one of u8, s8, u16, s16, u32, s32, f32 or f64." },
        { "[FlexTemp]\noffset = 0x66C0\n", 1, "[FlexTemp] gives an offset but no type: add type = u8, s8, u16, s16, u32, s32, f32 or f64." },
        { "[FlexTemp]\noffset = 0xFFFE\ntype = u32\n", 2, "offset 0xFFFE with type u32 ends beyond the 64 KiB offset space (0x0000 to 0xFFFF)." },
        { "[FlexTemp]\noffset = 0x10000\ntype = u8\n", 2, "offset 0x10000 with type u8 ends beyond the 64 KiB offset space (0x0000 to 0xFFFF)." },
        { "[OilTemp]\noffset = 0x10\nstride = 0xFFFFFFFF\ntype = u8\n", 2,
            "offset 0x10000000F with type u8 ends beyond the 64 KiB offset space (0x0000 to 0xFFFF)." },
        { "[FlexTemp]\noffset = 0x66G0\ntype = u8\n", 2, "offset \"0x66G0\" is not a number: write it as 0x66C0 or 26304." },
        { "[FlexTemp]\ntype = u8\n", 2, "an FSUIPC field needs the offset it applies to: add offset = to [FlexTemp]." },
        { "[FlexTemp]\n", 1, "[FlexTemp] names no source: give offset and type, xplane or flightgear (offset = none says FSUIPC has none)." },
        { "[FlexTemp]\nxplane = AirbusFBW/FlexTemp\n", 1,
            "[FlexTemp] has no standard offset, so the display cannot read it: give offset and type (a free user offset such as 0x66C0)." },
        { "[OilTemp]\noffset = 0x66C0\ntype = u8\n", 2, "OilTemp has one per engine: give a stride, or 4 offsets." },
        { "[GearPosition]\noffset = 0x6700 0x6708\ntype = u8\n", 2,
            "GearPosition needs one offset and a stride, or 3 offsets (one per gear (nose, left, right))." },
        { "[FlexTemp]\noffset = 0x66C0\nstride = 4\ntype = u8\n", 3, "FlexTemp is a single value: a stride has no meaning here." },
        { "[FlexTemp]\noffset = 0x66C0\ntype = u8\nscale = fast\n", 4, "scale \"fast\" is not a number." },
        { "[ApuN]\nxplane = sim/cockpit2/electrical/APU_N1_percent\nxplane_scale = 0\n", 3,
            "xplane_scale 0 makes every value the same: give a scale other than 0." },
        { "[ThrustLimitMode]\noffset = 0x66C0\ntype = u8\nmap = 1-4\n", 4, "map needs stored:code pairs such as 1:4 2:3, not \"1-4\"." },
        { "[OilTemp]\nxplane = sim/flightmodel/engine/ENGN_oil_temp_c\n", 2,
            "OilTemp has one per engine: give xplane_index, the first one's array element." },
        { "[OilTemp]\nflightgear = /engines/engine/oil-temperature-degc\n", 2,
            "OilTemp needs one property path, with # where the index goes, or 4 paths." },
        { "[FlexTemp]\noffset = 0x66C0\ntype = f32\nflightgear = systems/fadec/flex-temp\n", 4,
            "a property path starts at the root: \"/systems/fadec/flex-temp\"." },
        { "[ApuN]\nxplane_scale = 100\n", 2, "an X-Plane field needs its dataref: add xplane = to [ApuN]." },
        { "offset = 0x66C0\n", 1, "fields go under the [Name] section of the value they describe." },
        { "[FlexTemp]\noffset = 0x66C0\ntype = f32\n[FlexTemp]\n", 4, "[FlexTemp] is given again; its first section is on line 1." },
        { "[FlexTemp]\noffset = 0x66C0\ntype = f32\ntype = u8\n", 4, "\"type\" is given again in this section; its first line is 3." },
    };
    for (Case const& c : cases) {
        AircraftFileContents const contents = parseAircraftFile(c.text);
        ASSERT_EQ(contents.problems.size(), 1u) << c.text;
        EXPECT_EQ(contents.problems[0].line, c.line) << c.text;
        EXPECT_EQ(contents.problems[0].message, c.message) << c.text;
    }
}

TEST(AircraftFile, LoadingNamesTheFileAndLineAndKeepsNoSourcesOnAProblem)
{
    LoadedAircraftFile const missing = loadAircraftFile("/nonexistent/a320.ini");
    EXPECT_FALSE(missing.sources);
    EXPECT_EQ(missing.problems, std::vector<std::string> { "/nonexistent/a320.ini: cannot be read: no such file." });
    LoadedAircraftFile const good = loadAircraftFile(std::string(TARNEX_SOURCE_DIR) + "/aircraft/a32nx-fsuipc7.ini");
    ASSERT_TRUE(good.sources);
    EXPECT_EQ((*good.sources)[AircraftValue::FlexTemp].fsuipc->offsets[0], 0x66C8u);
}

TEST(FsuipcValueType, EveryTypeDecodesWhatItEncodes)
{
    struct Case {
        char const* name;
        double value;
    };
    for (Case const& c : { Case { "u8", 200 }, Case { "s8", -100 }, Case { "u16", 60000 }, Case { "s16", -30000 },
             Case { "u32", 4000000000.0 }, Case { "s32", -2000000000.0 }, Case { "f32", 58.5 }, Case { "f64", -0.1 } }) {
        FsuipcValueType const type = *parseFsuipcValueType(c.name);
        std::array<std::uint8_t, 8> bytes {};
        encodeFsuipcValue(type, c.value, bytes);
        EXPECT_EQ(decodeFsuipcValue(type, bytes), c.value) << c.name;
        EXPECT_EQ(fsuipcValueTypeName(type), c.name);
    }
    std::array<std::uint8_t, 8> bytes {};
    encodeFsuipcValue(FsuipcValueType::U8, 300, bytes); // held within the type
    EXPECT_EQ(bytes[0], 255);
    EXPECT_EQ(parseFsuipcValueType("u24"), std::nullopt);
}

} // namespace
