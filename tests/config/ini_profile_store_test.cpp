#include "config/ini_profile_store.h"
#include "support/profile_case_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace profile_cases;

namespace {

std::string contentsOf(std::string const& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The file text after one write to it.
std::string afterWrite(std::string_view before, std::string_view section, std::string_view key, std::string_view value)
{
    TempFolder folder;
    std::string const path = placeFile(folder, before);
    IniProfileStore store;
    EXPECT_TRUE(store.write(path, section, key, value));
    return contentsOf(path);
}

}

TEST(IniProfileStore, AnswersEveryReadCaseLikeTheWindowsApi)
{
    IniProfileStore store;
    for (ReadCase const& c : kReadCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(readCase(store, c), c.expected);
    }
    for (Disagreement const& d : kReadDisagreements) {
        SCOPED_TRACE(d.ours.what);
        EXPECT_EQ(readCase(store, d.ours), d.ours.expected);
    }
}

TEST(IniProfileStore, CutsAVeryLongLineAndReadsOnPastIt)
{
    TempFolder folder;
    std::string const path = placeFile(folder, longLineText(kLongLine.length));
    IniProfileStore store;
    EXPECT_EQ(store.read(path, "s", "long", "D", kLongLine.bufferSize), std::string(kLongLine.bufferSize - 1, 'x'));
    EXPECT_EQ(store.read(path, "s", "after", "D", 99), "2");
}

TEST(IniProfileStore, ReadsBackEveryWriteCase)
{
    IniProfileStore store;
    for (WriteCase const& c : kWriteCases) {
        SCOPED_TRACE(c.what);
        WriteOutcome const outcome = writeCase(store, store, c);
        EXPECT_EQ(outcome.written, c.written);
        EXPECT_EQ(outcome.readBack, expectedReadBack(c));
    }
}

TEST(IniProfileStore, ReplacingAValueKeepsEveryOtherByte)
{
    EXPECT_EQ(afterWrite("; keep me\r\n[Window]\r\n  Left =  10  \r\n\r\nTop=20\r\n", "window", "left", "15"),
        "; keep me\r\n[Window]\r\n  Left =  15  \r\n\r\nTop=20\r\n");
    EXPECT_EQ(afterWrite("[s]\nbare\n", "s", "bare", "1"), "[s]\nbare=1\n");
    EXPECT_EQ(afterWrite("[s]\r\nk=\"old\"", "s", "k", "new"), "[s]\r\nk=new");
}

TEST(IniProfileStore, AddsAKeyAfterTheLastEntryOfItsSection)
{
    EXPECT_EQ(afterWrite("[a]\r\nx=1\r\n\r\n; about b\r\n[b]\r\ny=2\r\n", "a", "z", "3"),
        "[a]\r\nx=1\r\nz=3\r\n\r\n; about b\r\n[b]\r\ny=2\r\n");
    EXPECT_EQ(afterWrite("[a]\n\n[b]\n", "A", " z ", "3"), "[a]\nz=3\n\n[b]\n");
    EXPECT_EQ(afterWrite("[a]\nx=1", "a", "z", "3"), "[a]\nx=1\nz=3\n");
}

TEST(IniProfileStore, AppendsANewSectionInTheFilesLineEnding)
{
    EXPECT_EQ(afterWrite("[a]\nx=1\n", " New ", "k", "v"), "[a]\nx=1\n\n[New]\nk=v\n");
    EXPECT_EQ(afterWrite("[a]\r\nx=1", "b", "k", "v"), "[a]\r\nx=1\r\n\r\n[b]\r\nk=v\r\n");
    EXPECT_EQ(afterWrite(kNoFile, "ExternalEWD", "Left", "5"), "[ExternalEWD]\r\nLeft=5\r\n");
    EXPECT_EQ(afterWrite("", "s", "k", "v"), "[s]\r\nk=v\r\n");
}

TEST(IniProfileStore, WritesUtf8FilesInUtf8)
{
    EXPECT_EQ(afterWrite("\xef\xbb\xbf[s]\nk=1\n", "s", "k", "\xb0"), "\xef\xbb\xbf[s]\nk=\xc2\xb0\n");
}

TEST(IniProfileStore, LeavesNoFileBehindWhenItCannotWrite)
{
    TempFolder folder;
    IniProfileStore store;
    EXPECT_FALSE(store.write(folder.file("missing/QuorvelEFIS.cfg"), "s", "k", "v"));
    EXPECT_TRUE(folder.isEmpty());

    std::filesystem::create_directory(folder.file("a-folder"));
    EXPECT_FALSE(store.write(folder.file("a-folder"), "s", "k", "v"));
    EXPECT_TRUE(std::filesystem::is_empty(folder.file("a-folder")));
}

TEST(IniProfileStore, LeavesOnlyTheProfileAfterWriting)
{
    TempFolder folder;
    IniProfileStore store;
    std::string const path = folder.file("QuorvelEFIS.cfg");
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(store.write(path, "ExternalEWD", "Left", std::to_string(i)));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), std::filesystem::directory_iterator()), 1);
    EXPECT_EQ(store.read(path, "ExternalEWD", "Left", "D", 99), "2");
}

TEST(IniProfileStore, ReplacesASymlinkInsteadOfWritingWhereItPoints)
{
    TempFolder folder;
    std::string const elsewhere = folder.file("someone-elses.txt");
    std::ofstream(elsewhere, std::ios::binary) << "[s]\nk=theirs\n";
    std::string const path = folder.file("QuorvelEFIS.cfg");
    std::error_code error;
    std::filesystem::create_symlink(elsewhere, path, error);
    if (error)
        GTEST_SKIP() << "no symlinks here: " << error.message();
    IniProfileStore store;
    ASSERT_TRUE(store.write(path, "s", "k", "ours"));
    EXPECT_EQ(contentsOf(elsewhere), "[s]\nk=theirs\n");
    EXPECT_FALSE(std::filesystem::is_symlink(path));
    EXPECT_EQ(contentsOf(path), "[s]\nk=ours\n");
}

TEST(IniProfileStore, SurvivesRandomBytes)
{
    std::mt19937 random(7);
    IniProfileStore store;
    TempFolder folder;
    std::string const path = folder.file("junk.ini");
    for (int round = 0; round < 60; ++round) {
        std::string text(random() % 600, '\0');
        for (char& c : text)
            c = "[]=;\r\n \t\"'ab\0\x1a\xff"[random() % 16];
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
        store.read(path, "a", "b", "D", 99);
        ASSERT_TRUE(store.write(path, "a", "b", "written"));
        EXPECT_EQ(store.read(path, "a", "b", "D", 99), "written") << "after writing into: " << testing::PrintToString(text);
    }
}
