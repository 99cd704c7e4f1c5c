#include "app/application.h"
#include "app/headless_window_host.h"
#include "app/menu_commands.h"
#include "config/ini_profile_store.h"
#include "ewd/ewd_display.h"
#include "platform/linux/posix_ipc_transport.h"
#include "render/recording_backend.h"
#include "support/live_link_tests.h"
#include "support/test_platform.h"

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <stdlib.h>

namespace {

struct PosixPlatform {
    static std::string ipcDirectory()
    {
        char pattern[] = "/tmp/tarnex-ipc-XXXXXX";
        char const* made = mkdtemp(pattern);
        return made ? made : "";
    }
    static void removeIpcDirectory(std::string const& directory) { std::filesystem::remove_all(directory); }
    static std::unique_ptr<IpcTransport> transport(std::string const& directory)
    {
        return std::make_unique<PosixIpcTransport>(directory);
    }
};

} // namespace

namespace live_link {
INSTANTIATE_TYPED_TEST_SUITE_P(Posix, LiveLink, PosixPlatform);
} // namespace live_link

namespace {

std::string sourceDirectory()
{
    char const* fromEnvironment = std::getenv("TARNEX_SOURCE_DIR");
    return fromEnvironment && *fromEnvironment ? fromEnvironment : TARNEX_SOURCE_DIR;
}

// The shipped E/WD page over the real link, its frames recorded: what a user
// sees when the simulator is ended and started again.
class PosixLivePage : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(ipcDirectory.empty());
        std::ifstream layout(sourceDirectory() + "/layouts/a320cfm.ini");
        std::ostringstream text;
        text << layout.rdbuf();
        layouts.embed(text.str());
        ASSERT_TRUE(display.createWindow(kWindowTitle, MenuCommand::AlwaysOnTop));
    }
    ~PosixLivePage() override
    {
        sim.stop();
        PosixPlatform::removeIpcDirectory(ipcDirectory);
    }

    void startSim(std::vector<std::string> const& arguments)
    {
        std::string error;
        ASSERT_TRUE(sim.start(SimProcess::programIn(live_link::buildDirectory()), arguments, ipcDirectory, "UIPCMAIN", error))
            << error;
    }

    // The texts of one frame.
    std::vector<std::string> frame()
    {
        render.recording().clearCommands();
        display.paint();
        std::vector<std::string> texts;
        for (DrawCommand const& command : render.recording().commands()) {
            if (command.op == DrawOp::Text)
                texts.emplace_back(command.text.begin(), command.text.end());
        }
        return texts;
    }

    static int count(std::vector<std::string> const& texts, std::string const& text)
    {
        return static_cast<int>(std::count(texts.begin(), texts.end(), text));
    }

    std::string ipcDirectory = PosixPlatform::ipcDirectory();
    TempFolder folder;
    std::ostringstream messages;
    HeadlessWindowHost window { { 1000, 1000 }, messages };
    RecordingBackend render;
    IniProfileStore profiles;
    PosixIpcTransport ipc { ipcDirectory };
    TestLayoutPlatform layouts { folder.path() };
    PlatformServices services { window, render, profiles, ipc, layouts, folder.file("QuorvelEFIS.cfg") };
    EwdDisplay display { services, services.userProfilePath, std::string(kProfileSection) };
    SimProcess sim;
};

TEST_F(PosixLivePage, WhileTheSimulatorIsAwayThePageSaysSoAndItComesBackByItself)
{
    startSim({ "--at", "260", "--time-scale", live_link::kFrozen });
    frame();
    std::vector<std::string> texts = frame();
    ASSERT_TRUE(display.linkState().connected) << display.linkState().linkErrorText;
    EXPECT_EQ(count(texts, "85.8"), 2) << ::testing::PrintToString(texts);

    sim.stop();
    texts = frame();
    EXPECT_EQ(count(texts, "IPC sendmessage failed all retries"), 1) << ::testing::PrintToString(texts);
    EXPECT_EQ(count(texts, "Attempt #0"), 1);
    EXPECT_EQ(count(texts, "85.8"), 0);

    // Another aircraft, found without a key: the display's own pacing is a
    // second between attempts, so this polls.
    startSim({ "--at", "260", "--time-scale", live_link::kFrozen, "--set", "0x0AEC:u16=4" });
    auto const deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!display.linkState().connected && std::chrono::steady_clock::now() < deadline) {
        ipc.sleep(std::chrono::milliseconds(20));
        frame();
    }
    ASSERT_TRUE(display.linkState().connected) << display.linkState().linkErrorText;
    texts = frame();
    EXPECT_EQ(display.simulatorData().engineCount, 4);
    EXPECT_EQ(count(texts, "Attempt #0") + count(texts, "Attempt #1"), 0);
    // Four N1 columns where there were two.
    EXPECT_EQ(count(texts, "85.8"), 4) << ::testing::PrintToString(texts);
    EXPECT_EQ(messages.str(), "");
}

} // namespace
