#include "app/aircraft_choice.h"

#include "config/ini_profile_store.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

constexpr std::string_view kSection = "ExternalEWD";

class AircraftChoiceTest : public ::testing::Test {
protected:
    TempFolder folder;
    IniProfileStore profiles;
    std::string const profile = folder.file("tarnex.cfg");
    std::string const aircraft = folder.file("a320.ini");

    void SetUp() override { std::ofstream(aircraft) << "[FlexTemp]\noffset = 0x66C8\ntype = f32\n"; }

    AircraftChoice choose(std::string const& path, bool remember = true)
    {
        return chooseAircraft(path, remember, profiles, profile, kSection);
    }

    static bool readsFlex(AircraftChoice const& choice) { return choice.sources[AircraftValue::FlexTemp].fsuipc.has_value(); }
};

TEST_F(AircraftChoiceTest, TheWindowRemembersTheFileUntilNoneForgetsIt)
{
    EXPECT_FALSE(readsFlex(choose("")));
    EXPECT_TRUE(readsFlex(choose(aircraft)));
    AircraftChoice const next = choose("");
    EXPECT_TRUE(readsFlex(next)) << "the next start without --aircraft reads the remembered file";
    EXPECT_TRUE(next.notice.empty());
    EXPECT_FALSE(readsFlex(choose("none")));
    EXPECT_FALSE(readsFlex(choose("")));
}

TEST_F(AircraftChoiceTest, TheSnapshotReadsTheFileWithoutRememberingIt)
{
    EXPECT_TRUE(readsFlex(choose(aircraft, false)));
    EXPECT_FALSE(readsFlex(choose("", false)));
}

TEST_F(AircraftChoiceTest, AFileThatCannotBeUsedLeavesTheStandardOffsetsAndSaysWhy)
{
    std::ofstream(aircraft) << "[FlexTemp]\noffset = 0x66C8\ntype = u24\n";
    AircraftChoice const bad = choose(aircraft);
    EXPECT_FALSE(readsFlex(bad));
    EXPECT_EQ(bad.notice, aircraft + ":3: type \"u24\" is not one of u8, s8, u16, s16, u32, s32, f32 or f64; reading the standard offsets instead.");
    AircraftChoice const missing = choose(folder.file("gone.ini"));
    EXPECT_EQ(missing.notice, folder.file("gone.ini") + ": cannot be read; reading the standard offsets instead.");
    EXPECT_EQ(missing.sources[AircraftValue::OilPress].fsuipc, standardAircraftSources()[AircraftValue::OilPress].fsuipc);
}

} // namespace
