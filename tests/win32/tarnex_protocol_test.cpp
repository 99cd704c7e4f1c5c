// tarnex.exe against tarnex-sim.exe over the real window-message protocol,
// each pair on a desktop of its own, seen through the snapshot's draw log.

#include "child_process.h"
#include "private_desktop.h"
#include "program_files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

constexpr char const* kNoLink = "Cannot link to FSUIPC or WideClient";
constexpr char const* kWideClient = "Maybe running on WideClient, but FS not running on Server, or wrong FSUIPC";

class TarnexProtocol : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(desktop.created()); }

    void startServer(std::vector<std::string> const& arguments, std::string const& windowClass)
    {
        ASSERT_TRUE(server.start(simProgram(), arguments, desktop.name())) << "cannot start " << simProgram();
        ASSERT_TRUE(desktop.waitForWindowOfClass(windowClass, server.id(), 20000)) << "no " << windowClass << " server";
    }

    // The draw log of a snapshot taken on the desktop.
    std::string snapshotDrawLog()
    {
        std::string const log = folder.file("frame.log");
        ChildProcess tarnex;
        EXPECT_TRUE(tarnex.start(tarnexProgram(), { "--snapshot", folder.file("frame.png"), "--frames", "2", "--draw-log", log }, desktop.name(),
            folder.path()));
        EXPECT_EQ(tarnex.waitForExit(60000), std::optional<DWORD>(0));
        std::ifstream file(log, std::ios::binary);
        return { std::istreambuf_iterator<char>(file), {} };
    }

    static bool has(std::string const& log, std::string const& text) { return log.find(text) != std::string::npos; }
    // Two frames make one attempt, or two if they are a second or more apart.
    static bool countsAttempts(std::string const& log)
    {
        return has(log, "\"Attempt #1\"") || has(log, "\"Attempt #2\"");
    }

    TempFolder folder;
    PrivateDesktop desktop;
    ChildProcess server;
};

} // namespace

TEST_F(TarnexProtocol, ConnectsToAUipcMainServerAndDrawsThePage)
{
    startServer({ "--scenario", "static" }, "UIPCMAIN");
    std::string const log = snapshotDrawLog();
    EXPECT_FALSE(log.empty());
    EXPECT_FALSE(has(log, "Attempt #"));
    EXPECT_FALSE(has(log, "Too many attempts..."));
    EXPECT_FALSE(has(log, kNoLink));
}

TEST_F(TarnexProtocol, AnOldServerFoundAsFs98MainIsTheWideClientCase)
{
    startServer({ "--class", "FS98MAIN", "--bad-version" }, "FS98MAIN");
    std::string const log = snapshotDrawLog();
    EXPECT_TRUE(has(log, std::string("\"") + kWideClient + "\"")) << log;
    EXPECT_TRUE(countsAttempts(log)) << log;
}

TEST_F(TarnexProtocol, WithoutAServerTheAttemptsAreCounted)
{
    std::string const log = snapshotDrawLog();
    EXPECT_TRUE(has(log, std::string("\"") + kNoLink + "\"")) << log;
    EXPECT_TRUE(countsAttempts(log)) << log;
}
