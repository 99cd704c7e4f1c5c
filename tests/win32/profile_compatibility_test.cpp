// The Windows profile API and our own engine, side by side on the same files:
// every shared case must come out the same from both, and each must read
// what the other wrote.

#include "config/ini_profile_store.h"
#include "platform/win32/win32_profile_store.h"
#include "support/profile_case_files.h"

#include <gtest/gtest.h>

using namespace profile_cases;

namespace {

void expectEveryReadCase(ProfileStore& store)
{
    for (ReadCase const& c : kReadCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(readCase(store, c), c.expected);
    }
    TempFolder folder;
    std::string const path = placeFile(folder, longLineText(kLongLine.length));
    EXPECT_EQ(store.read(path, "s", "long", "D", kLongLine.bufferSize), std::string(kLongLine.bufferSize - 1, 'x'));
    EXPECT_EQ(store.read(path, "s", "after", "D", 99), "2");
}

void expectEveryWriteCase(ProfileStore& writer, ProfileStore& reader)
{
    for (WriteCase const& c : kWriteCases) {
        SCOPED_TRACE(c.what);
        WriteOutcome const outcome = writeCase(writer, reader, c);
        EXPECT_EQ(outcome.written, c.written);
        EXPECT_EQ(outcome.readBack, expectedReadBack(c));
    }
}

}

TEST(ProfileCompatibility, WindowsApiAnswersEveryReadCase)
{
    Win32ProfileStore windows;
    expectEveryReadCase(windows);
}

TEST(ProfileCompatibility, OurEngineAnswersEveryReadCaseUnderWindows)
{
    IniProfileStore ours;
    expectEveryReadCase(ours);
}

TEST(ProfileCompatibility, DisagreementsAreTheKnownOnes)
{
    Win32ProfileStore windows;
    IniProfileStore ours;
    for (Disagreement const& d : kReadDisagreements) {
        SCOPED_TRACE(d.ours.what);
        EXPECT_EQ(readCase(windows, d.ours), d.windows);
        EXPECT_EQ(readCase(ours, d.ours), d.ours.expected);
    }
}

TEST(ProfileCompatibility, EachStoreReadsBackItsOwnWrites)
{
    Win32ProfileStore windows;
    IniProfileStore ours;
    expectEveryWriteCase(windows, windows);
    expectEveryWriteCase(ours, ours);
}

TEST(ProfileCompatibility, EachStoreReadsWhatTheOtherWrote)
{
    Win32ProfileStore windows;
    IniProfileStore ours;
    expectEveryWriteCase(windows, ours);
    expectEveryWriteCase(ours, windows);
}

TEST(ProfileCompatibility, WithoutAFileNameTheWindowsStoreReadsDefaultsAndWritesNothing)
{
    Win32ProfileStore windows;
    EXPECT_FALSE(windows.write("", "ExternalEWD", "TimerPeriod", "50"));
    EXPECT_EQ(windows.read("", "ExternalEWD", "TimerPeriod", "100 ", 99), "100");
    EXPECT_EQ(windows.read("", "ExternalEWD", "TimerPeriod", "<UNDEFINDED>", 5), "<UND");
}
