#include "app/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

CommandLineResult parse(std::vector<std::string_view> arguments)
{
    return parseCommandLine(arguments);
}

TEST(CommandLine, NoArgumentsOpensTheWindow)
{
    CommandLineResult const result = parse({});
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.commandLine.mode, CommandLine::Mode::Window);
}

TEST(CommandLine, SnapshotTakesDefaultsOf1000By1000AndThreeFrames)
{
    CommandLineResult const result = parse({ "--snapshot", "out.png" });
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.commandLine.mode, CommandLine::Mode::Snapshot);
    EXPECT_EQ(result.commandLine.snapshot.pngPath, "out.png");
    EXPECT_EQ(result.commandLine.snapshot.width, 1000);
    EXPECT_EQ(result.commandLine.snapshot.height, 1000);
    EXPECT_EQ(result.commandLine.snapshot.frames, 3);
    EXPECT_TRUE(result.commandLine.snapshot.drawLogPath.empty());
}

TEST(CommandLine, SnapshotOptionsMayComeInAnyOrder)
{
    CommandLineResult const result = parse({ "--frames", "7", "--draw-log", "frame.log", "--snapshot", "a.png", "--size", "640x480" });
    ASSERT_TRUE(result.ok) << result.errorText;
    EXPECT_EQ(result.commandLine.snapshot.width, 640);
    EXPECT_EQ(result.commandLine.snapshot.height, 480);
    EXPECT_EQ(result.commandLine.snapshot.frames, 7);
    EXPECT_EQ(result.commandLine.snapshot.drawLogPath, "frame.log");
}

TEST(CommandLine, LayoutGoesWithTheWindowAndTheSnapshot)
{
    CommandLineResult const window = parse({ "--layout", "my.ini" });
    ASSERT_TRUE(window.ok) << window.errorText;
    EXPECT_EQ(window.commandLine.mode, CommandLine::Mode::Window);
    EXPECT_EQ(window.commandLine.layoutPath, "my.ini");

    CommandLineResult const snapshot = parse({ "--snapshot", "a.png", "--layout", "packed.bin" });
    ASSERT_TRUE(snapshot.ok) << snapshot.errorText;
    EXPECT_EQ(snapshot.commandLine.mode, CommandLine::Mode::Snapshot);
    EXPECT_EQ(snapshot.commandLine.snapshot.layoutPath, "packed.bin");
    EXPECT_TRUE(parse({}).commandLine.layoutPath.empty());
}

TEST(CommandLine, AircraftGoesWithTheWindowAndTheSnapshot)
{
    EXPECT_EQ(parse({ "--aircraft", "a320.ini" }).commandLine.aircraftPath, "a320.ini");
    EXPECT_EQ(parse({ "--snapshot", "a.png", "--aircraft", "none" }).commandLine.snapshot.aircraftPath, "none");
    CommandLineResult const missing = parse({ "--aircraft" });
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.errorText, "--aircraft needs the name of an aircraft file, or none to forget the remembered one.");
}

TEST(CommandLine, HelpAndVersion)
{
    EXPECT_EQ(parse({ "--help" }).commandLine.mode, CommandLine::Mode::Help);
    EXPECT_EQ(parse({ "--version" }).commandLine.mode, CommandLine::Mode::Version);
    EXPECT_EQ(kVersionText, "Tarnex Version 1.0");
    EXPECT_NE(usageText().find("--snapshot OUT.png"), std::string_view::npos);
    EXPECT_NE(usageText().find("--layout FILE"), std::string_view::npos);
}

TEST(CommandLine, BadInputIsOnePlainSentence)
{
    std::vector<std::vector<std::string_view>> const bad {
        { "--snapshot" },
        { "--snapshot", "" },
        { "--snapshot", "a.png", "--size", "640" },
        { "--snapshot", "a.png", "--size", "0x480" },
        { "--snapshot", "a.png", "--size", "640x480x3" },
        { "--snapshot", "a.png", "--size", "9000x100" },
        { "--snapshot", "a.png", "--size" },
        { "--snapshot", "a.png", "--frames", "0" },
        { "--snapshot", "a.png", "--frames", "-2" },
        { "--snapshot", "a.png", "--frames", "3x" },
        { "--snapshot", "a.png", "--draw-log" },
        { "--size", "640x480" },
        { "--frames", "2" },
        { "--layout" },
        { "--layout", "" },
        { "--bogus" },
        { "out.png" },
    };
    for (auto const& arguments : bad) {
        CommandLineResult const result = parse(arguments);
        EXPECT_FALSE(result.ok) << arguments.size();
        ASSERT_FALSE(result.errorText.empty());
        EXPECT_EQ(result.errorText.back(), '.');
        EXPECT_EQ(result.errorText.find('\n'), std::string::npos);
    }
}

} // namespace
