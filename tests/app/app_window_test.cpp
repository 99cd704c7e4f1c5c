#include "app/app_window.h"
#include "app/application.h"
#include "app/menu_commands.h"
#include "support/test_platform.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// The window logic alone: no drawing, the configuration load only noted.
class TestAppWindow : public AppWindow {
public:
    using AppWindow::AppWindow;
    void paint() override { ++paints; }
    void loadConfiguration(std::string_view fileName) override { loadedFrom.emplace_back(fileName); }
    void reloadLayout(WholeFile const&) override { }
    bool isReadyForRedraw() const override { return ready; }

    LinkState& linkControl() { return link; }

    int paints = 0;
    bool ready = true;
    std::vector<std::string> loadedFrom;
};

class AppWindowTest : public ::testing::Test {
protected:
    TestAppWindow& createWindow()
    {
        app = std::make_unique<TestAppWindow>(platform.services, platform.services.userProfilePath, "ExternalEWD");
        EXPECT_TRUE(app->createWindow("A320 CFM E/WD", MenuCommand::AlwaysOnTop));
        return *app;
    }
    void saveGeometry(char const* x, char const* y, char const* width, char const* height)
    {
        platform.setProfileValue("WindowPosX", x);
        platform.setProfileValue("WindowPosY", y);
        platform.setProfileValue("WindowWidth", width);
        platform.setProfileValue("WindowHeight", height);
    }
    std::array<int, 4> created() const
    {
        return { host.createdWith.x, host.createdWith.y, host.createdWith.width, host.createdWith.height };
    }

    TestPlatform platform;
    FakeWindowHost& host = platform.window;
    std::unique_ptr<TestAppWindow> app;
};

TEST_F(AppWindowTest, WithoutAProfileTheSystemPlacesABorderedWindowWithMenuAndA100MsTimer)
{
    TestAppWindow& window = createWindow();
    EXPECT_EQ(created(), (std::array<int, 4> { static_cast<int>(0x80000000), 0, static_cast<int>(0x80000000), 0 }));
    EXPECT_EQ(host.createdTitle, "A320 CFM E/WD");
    EXPECT_TRUE(host.shown);
    EXPECT_TRUE(host.menuAttached);
    EXPECT_FALSE(host.topmost);
    EXPECT_EQ(host.currentStyle, 0x00CF0000u);
    EXPECT_EQ(host.runningTimerPeriod, 100);
    EXPECT_EQ(window.runningTimerId(), host.runningTimer);
    EXPECT_EQ(window.loopMode(), LoopMode::Blocking);
    EXPECT_EQ(window.loadedFrom, std::vector<std::string> { "A320CFM.bin" });
    EXPECT_EQ((std::vector<std::string> { "create", "show", "timer:start:100" }), host.calls);
}

TEST_F(AppWindowTest, SavedGeometryAndAZeroPeriodGiveThatWindowAndThePollingLoop)
{
    saveGeometry("40", "30", "640", "480");
    platform.setProfileValue("TimerPeriod", "0");
    TestAppWindow& window = createWindow();
    EXPECT_EQ(created(), (std::array<int, 4> { 40, 30, 640, 480 }));
    EXPECT_EQ(host.runningTimer, 0);
    EXPECT_EQ(window.runningTimerId(), 0);
    EXPECT_EQ(window.loopMode(), LoopMode::Polling);
}

TEST_F(AppWindowTest, JunkValuesReadAsZeroAndTheSentinelTextReadsAsAbsent)
{
    platform.setProfileValue("WindowPosX", "left");
    platform.setProfileValue("WindowWidth", "<UNDEFINDED>");
    platform.setProfileValue("TimerPeriod", "fast");
    platform.setProfileValue("MenuVisible", "12abc");
    TestAppWindow& window = createWindow();
    EXPECT_EQ(host.createdWith.x, 0);
    EXPECT_EQ(host.createdWith.width, static_cast<int>(0x80000000));
    EXPECT_EQ(window.timerPeriodMs(), 0);
    EXPECT_EQ(window.loopMode(), LoopMode::Polling);
    EXPECT_TRUE(window.isMenuVisible());
}

TEST_F(AppWindowTest, SavedSettingsOutOfRangeAreBroughtOntoTheScreensAndIntoTheDialogsRange)
{
    host.workAreas = { { 0, 0, 1280, 1000 }, { 1280, 0, 2560, 1000 } };
    saveGeometry("-100000", "40", "100000", "480");
    platform.setProfileValue("TimerPeriod", "2147483647");
    TestAppWindow& slow = createWindow();
    EXPECT_EQ(created(), (std::array<int, 4> { 0, 0, 2560, 480 }));
    EXPECT_EQ(slow.timerPeriodMs(), 500);
    EXPECT_EQ(host.runningTimerPeriod, 500);

    platform.setProfileValue("TimerPeriod", "-2147483648");
    TestAppWindow& fast = createWindow();
    EXPECT_EQ(fast.timerPeriodMs(), 0);
    EXPECT_EQ(fast.loopMode(), LoopMode::Polling);
    fast.saveWindowSettings();
    EXPECT_EQ(platform.profileValue("TimerPeriod"), "0");
}

TEST_F(AppWindowTest, SavedViewFlagsApplyAfterTheWindowShowsInMenuTopmostBorderOrder)
{
    platform.setProfileValue("MenuVisible", "0");
    platform.setProfileValue("AlwaysOnTop", "1");
    platform.setProfileValue("NoBorder", "1");
    TestAppWindow& window = createWindow();
    EXPECT_EQ((std::vector<std::string> { "create", "show", "timer:start:100", "menu:detach", "topmost:on", "style:borderless" }), host.calls);
    EXPECT_EQ(host.currentStyle, 0x80880000u);
    EXPECT_TRUE(host.isChecked(MenuCommand::AlwaysOnTop));
    EXPECT_FALSE(window.isMenuVisible());
    EXPECT_TRUE(window.isAlwaysOnTop());
}

TEST_F(AppWindowTest, AWindowThatCannotBeMadeReportsFailureAndStartsNothing)
{
    host.createSucceeds = false;
    TestAppWindow window(platform.services, platform.services.userProfilePath, "ExternalEWD");
    EXPECT_FALSE(window.createWindow("A320 CFM E/WD", MenuCommand::AlwaysOnTop));
    EXPECT_FALSE(host.shown);
    EXPECT_EQ(host.runningTimer, 0);
}

TEST_F(AppWindowTest, KeyCReArmsTheAttemptsOnlyAfterTheTwentiethFailureAndTriesAtOnce)
{
    TestAppWindow& window = createWindow();
    auto const slowRetry = std::chrono::steady_clock::time_point {} + std::chrono::seconds(10);
    window.linkControl().connectionAttempts = 19;
    window.linkControl().nextAttemptAt = slowRetry;
    window.onKeyDown('C');
    EXPECT_EQ(window.linkState().connectionAttempts, 19);
    EXPECT_EQ(window.linkState().nextAttemptAt, slowRetry);
    window.linkControl().connectionAttempts = 20;
    window.onKeyDown('C');
    EXPECT_EQ(window.linkState().connectionAttempts, 0);
    EXPECT_FALSE(window.linkState().nextAttemptAt);
    window.linkControl().connectionAttempts = 20;
    window.linkControl().nextAttemptAt = slowRetry;
    EXPECT_TRUE(window.onCommand(MenuCommand::ConnectFsuipc));
    EXPECT_EQ(window.linkState().connectionAttempts, 0);
    EXPECT_FALSE(window.linkState().nextAttemptAt);
}

TEST_F(AppWindowTest, KeysMAndFToggleMenuBarAndBorderBackAndForth)
{
    TestAppWindow& window = createWindow();
    window.onKeyDown('M');
    EXPECT_FALSE(host.menuAttached);
    EXPECT_FALSE(window.isMenuVisible());
    window.onKeyDown('M');
    EXPECT_TRUE(host.menuAttached);
    window.onKeyDown('F');
    EXPECT_EQ(host.currentStyle, 0x80880000u);
    window.onKeyDown('F');
    EXPECT_EQ(host.currentStyle, 0x00CF0000u);
    host.calls.clear();
    window.onKeyDown('X');
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(AppWindowTest, AlwaysOnTopChosenWhileTheMenuIsHiddenShowsItsCheckWhenTheMenuReturns)
{
    TestAppWindow& window = createWindow();
    window.onKeyDown('M');
    EXPECT_TRUE(window.onCommand(MenuCommand::AlwaysOnTop));
    EXPECT_TRUE(host.topmost);
    window.onKeyDown('M');
    EXPECT_TRUE(host.menuAttached);
    EXPECT_TRUE(host.isChecked(MenuCommand::AlwaysOnTop));
    EXPECT_TRUE(window.onCommand(MenuCommand::AlwaysOnTop));
    EXPECT_FALSE(host.topmost);
    EXPECT_FALSE(host.isChecked(MenuCommand::AlwaysOnTop));
}

TEST_F(AppWindowTest, ExitSavesEveryKeyAndEndsTheLoop)
{
    TestAppWindow& window = createWindow();
    window.onKeyDown('F');
    window.onKeyDown('M');
    host.rect = { 100, 50, 740, 530 };
    EXPECT_TRUE(window.onCommand(MenuCommand::Exit));
    EXPECT_TRUE(host.destroyed);
    EXPECT_EQ(host.quitCode, 0);
    EXPECT_EQ(platform.profileValue("WindowPosX"), "100");
    EXPECT_EQ(platform.profileValue("WindowPosY"), "50");
    EXPECT_EQ(platform.profileValue("WindowWidth"), "640");
    EXPECT_EQ(platform.profileValue("WindowHeight"), "480");
    EXPECT_EQ(platform.profileValue("MenuVisible"), "0");
    EXPECT_EQ(platform.profileValue("AlwaysOnTop"), "0");
    EXPECT_EQ(platform.profileValue("TimerPeriod"), "100");
    EXPECT_EQ(platform.profileValue("NoBorder"), "1");
}

TEST_F(AppWindowTest, AMinimisedWindowsGeometryIsNotSavedButTheFlagsAre)
{
    saveGeometry("40", "30", "640", "480");
    TestAppWindow& window = createWindow();
    host.rect = { kMinimisedPosition, kMinimisedPosition, kMinimisedPosition + 160, kMinimisedPosition + 27 };
    window.onCommand(MenuCommand::AlwaysOnTop);
    window.saveWindowSettings();
    EXPECT_EQ(platform.profileValue("WindowPosX"), "40");
    EXPECT_EQ(platform.profileValue("WindowPosY"), "30");
    EXPECT_EQ(platform.profileValue("WindowWidth"), "640");
    EXPECT_EQ(platform.profileValue("WindowHeight"), "480");
    EXPECT_EQ(platform.profileValue("AlwaysOnTop"), "1");
}

TEST_F(AppWindowTest, AWindowOnAMonitorLeftOfOrAboveThePrimaryIsSavedAndComesBackThere)
{
    host.workAreas = { { 0, 0, 1920, 1040 }, { -1280, -300, 0, 724 } };
    TestAppWindow& window = createWindow();
    for (WindowRect const rect : { WindowRect { -1000, 100, -360, 580 }, WindowRect { -5, -200, 795, 400 }, WindowRect { 0, 0, 300, 200 } }) {
        host.rect = rect;
        window.saveWindowSettings();
        EXPECT_EQ(platform.profileValue("WindowPosX"), std::to_string(rect.left));
        EXPECT_EQ(platform.profileValue("WindowPosY"), std::to_string(rect.top));
        EXPECT_EQ(platform.profileValue("WindowWidth"), std::to_string(rect.right - rect.left));
        EXPECT_EQ(platform.profileValue("WindowHeight"), std::to_string(rect.bottom - rect.top));
    }
    host.rect = { -1000, 100, -360, 580 };
    window.saveWindowSettings();
    app.reset();
    createWindow();
    EXPECT_EQ(created(), (std::array<int, 4> { -1000, 100, 640, 480 }));
}

TEST_F(AppWindowTest, RefreshRateToTheFastEndWarnsStopsTheTimerAndSavesZero)
{
    TestAppWindow& window = createWindow();
    host.refreshRateAnswer = 0;
    EXPECT_TRUE(window.onCommand(MenuCommand::SetRefreshRate));
    EXPECT_EQ(host.dialogStartedAt, 100);
    ASSERT_EQ(host.messageBoxes.size(), 1u);
    EXPECT_EQ(host.messageBoxes[0].text, "You have selected a maximum refresh rate.\nThis requires an application restart");
    EXPECT_EQ(host.messageBoxes[0].caption, "Warning");
    EXPECT_EQ(host.messageBoxes[0].icon, MessageIcon::Information);
    EXPECT_EQ(host.runningTimer, 0);
    EXPECT_EQ(window.runningTimerId(), 0);
    window.saveWindowSettings();
    EXPECT_EQ(platform.profileValue("TimerPeriod"), "0");
}

TEST_F(AppWindowTest, RefreshRateFromPollingToATimerWarnsAndStartsTheTimerAtOnce)
{
    platform.setProfileValue("TimerPeriod", "0");
    TestAppWindow& window = createWindow();
    host.refreshRateAnswer = 50;
    window.onCommand(MenuCommand::SetRefreshRate);
    ASSERT_EQ(host.messageBoxes.size(), 1u);
    EXPECT_EQ(host.messageBoxes[0].text, "You have selected a timer-based refresh rate.\nThis requires an application restart");
    EXPECT_EQ(host.runningTimerPeriod, 50);
    EXPECT_EQ(window.timerPeriodMs(), 50);
}

TEST_F(AppWindowTest, RefreshRateFromANegativeSavedPeriodReadAs0ToATimerWarnsToo)
{
    platform.setProfileValue("TimerPeriod", "-20");
    TestAppWindow& window = createWindow();
    EXPECT_EQ(window.loopMode(), LoopMode::Polling);
    host.refreshRateAnswer = 50;
    window.onCommand(MenuCommand::SetRefreshRate);
    ASSERT_EQ(host.messageBoxes.size(), 1u);
    EXPECT_EQ(host.messageBoxes[0].text, "You have selected a timer-based refresh rate.\nThis requires an application restart");
}

TEST_F(AppWindowTest, RefreshRateBetweenTwoTimerPeriodsRestartsTheTimerWithoutWarning)
{
    TestAppWindow& window = createWindow();
    host.refreshRateAnswer = 200;
    window.onCommand(MenuCommand::SetRefreshRate);
    EXPECT_TRUE(host.messageBoxes.empty());
    EXPECT_EQ(host.runningTimerPeriod, 200);
    EXPECT_EQ(window.runningTimerId(), host.runningTimer);
    EXPECT_EQ(window.loopMode(), LoopMode::Blocking);
}

TEST_F(AppWindowTest, RefreshRateCancelLeavesThePeriodAsItWas)
{
    TestAppWindow& window = createWindow();
    host.refreshRateAnswer.reset();
    host.calls.clear();
    window.onCommand(MenuCommand::SetRefreshRate);
    EXPECT_EQ(window.timerPeriodMs(), 100);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_TRUE(host.messageBoxes.empty());
}

TEST_F(AppWindowTest, HelpShowsTheKeysAndAboutShowsTheAboutBox)
{
    TestAppWindow& window = createWindow();
    window.onCommand(MenuCommand::HelpContents);
    ASSERT_EQ(host.messageBoxes.size(), 1u);
    EXPECT_EQ(host.messageBoxes[0].text,
        "M - Show/Hide menu bar\nF - Show/Hide window border\nC - Connect to FSUIPC\n\n"
        "The position and size of the window\nis automatically saved when exiting");
    EXPECT_EQ(host.messageBoxes[0].caption, "Help");
    EXPECT_EQ(host.messageBoxes[0].icon, MessageIcon::Information);
    window.onCommand(MenuCommand::About);
    EXPECT_EQ(host.aboutBoxes, 1);
}

TEST_F(AppWindowTest, ACommandOutsideTheMenuIsLeftToDefaultProcessing)
{
    TestAppWindow& window = createWindow();
    host.calls.clear();
    EXPECT_FALSE(window.onCommand(32780));
    EXPECT_FALSE(window.onCommand(0));
    EXPECT_TRUE(host.calls.empty());
    EXPECT_FALSE(host.destroyed);
}

TEST_F(AppWindowTest, ATimerTickAsksForARepaintOnlyWhenNoPaintIsRunning)
{
    TestAppWindow& window = createWindow();
    window.onTimer();
    EXPECT_EQ(host.invalidations, 1);
    window.ready = false;
    window.onTimer();
    EXPECT_EQ(host.invalidations, 1);
    window.onPaint();
    EXPECT_EQ(window.paints, 1);
}

TEST(RunApplication, RunsTheLoopInTheModeOfTheSavedPeriodAndEndsTheDisplayAfterIt)
{
    TestPlatform platform;
    platform.setProfileValue("TimerPeriod", "0");
    bool displayAlive = false;
    struct Display final : TestAppWindow {
        Display(PlatformServices& s, std::string p, std::string sec, bool& alive)
            : TestAppWindow(s, std::move(p), std::move(sec))
            , alive(alive)
        {
            alive = true;
        }
        ~Display() override { alive = false; }
        bool& alive;
    };
    std::string section;
    int const code = runApplication(platform.services, [&](PlatformServices& s, std::string path, std::string sec) {
        section = sec;
        EXPECT_EQ(path, platform.services.userProfilePath);
        return std::make_unique<Display>(s, path, sec, displayAlive);
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(section, "ExternalEWD");
    EXPECT_EQ(platform.window.createdTitle, "A320 CFM E/WD");
    EXPECT_EQ(platform.window.loopRun, LoopMode::Polling);
    EXPECT_FALSE(displayAlive);
}

TEST(RunApplication, AWindowThatCannotBeMadeEndsAtOnceWithoutALoop)
{
    TestPlatform platform;
    platform.window.createSucceeds = false;
    int const code = runApplication(platform.services, [](PlatformServices& s, std::string path, std::string section) {
        return std::make_unique<TestAppWindow>(s, path, section);
    });
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(platform.window.loopRun.has_value());
}

} // namespace
