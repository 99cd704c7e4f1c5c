// The Win32 host under the window's real logic, in this process, with the
// resources of tarnex.exe and a user profile in a private folder.

#include "app/app_window.h"
#include "app/menu_commands.h"
#include "platform/win32/gdiplus_fonts.h"
#include "platform/win32/gdiplus_session.h"
#include "platform/win32/win32_host.h"
#include "platform/win32/win32_profile_store.h"
#include "program_files.h"
#include "support/test_platform.h"
#include "window_robot.h"

#include <gtest/gtest.h>

#include <array>
#include <commctrl.h>

namespace {

// The window's logic with nothing to draw: it counts what the host asks of it.
class BareDisplay final : public AppWindow {
public:
    using AppWindow::AppWindow;

    void paint() override
    {
        ++paints;
        if (windowHandle() == nullptr)
            ++paintsWithoutWindow;
    }
    void loadConfiguration(std::string_view) override { ++configurationLoads; }
    void reloadLayout(WholeFile const&) override { }
    bool isReadyForRedraw() const override { return true; }
    void onTimer() override
    {
        ++timerTicks;
        AppWindow::onTimer();
    }

    HWND windowHandle() const { return static_cast<Win32Host&>(host).handle(); }

    int paints = 0;
    int paintsWithoutWindow = 0;
    int configurationLoads = 0;
    int timerTicks = 0;
};

constexpr std::uint32_t kStyleBits = 0xFFFF0000u & ~static_cast<std::uint32_t>(WS_VISIBLE | WS_CLIPSIBLINGS);

class Win32HostTest : public testing::Test {
protected:
    static void SetUpTestSuite() { resources = LoadLibraryExA(tarnexProgram().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE); }
    static void TearDownTestSuite() { FreeLibrary(resources); }

    Win32HostTest() { host.registerWindowClass(kClassName); }
    ~Win32HostTest() override
    {
        // The window's end posts the quit message; it must not end the next
        // test's modal loops.
        if (window() != nullptr)
            DestroyWindow(window());
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) { }
        UnregisterClassA(kClassName, resources);
    }

    void SetUp() override { ASSERT_NE(resources, nullptr) << "cannot load " << tarnexProgram(); }

    void setProfile(std::string_view key, std::string_view value)
    {
        profiles.write(services.userProfilePath, "ExternalEWD", key, value);
    }
    std::string profileValue(std::string_view key)
    {
        return profiles.read(services.userProfilePath, "ExternalEWD", key, "<absent>", 99);
    }
    void setGeometry(int x, int y, int width, int height)
    {
        setProfile("WindowPosX", std::to_string(x));
        setProfile("WindowPosY", std::to_string(y));
        setProfile("WindowWidth", std::to_string(width));
        setProfile("WindowHeight", std::to_string(height));
    }
    std::array<std::string, 4> savedGeometry()
    {
        return { profileValue("WindowPosX"), profileValue("WindowPosY"), profileValue("WindowWidth"), profileValue("WindowHeight") };
    }

    bool create()
    {
        display.emplace(services, services.userProfilePath, "ExternalEWD");
        return display->createWindow("A320 CFM E/WD", MenuCommand::AlwaysOnTop);
    }
    HWND window() const { return host.handle(); }
    // The style as set, without the bits the system manages itself.
    std::uint32_t style() const { return static_cast<std::uint32_t>(GetWindowLongA(window(), GWL_STYLE)) & kStyleBits; }
    bool topmost() const { return (GetWindowLongA(window(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
    bool alwaysOnTopChecked() const
    {
        return (GetMenuState(GetMenu(window()), MenuCommand::AlwaysOnTop, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    RECT windowRect() const
    {
        RECT rect {};
        GetWindowRect(window(), &rect);
        return rect;
    }

    static constexpr char const* kClassName = "TARNEX";
    static HMODULE resources;

    GdiplusSession gdiplus;
    GdiplusFontFactory fonts;
    Win32Host host { resources, SW_SHOWNORMAL, fonts };
    Win32ProfileStore profiles;
    NoServerIpcTransport ipc;
    TempFolder folder;
    TestLayoutPlatform layouts { folder.path() };
    PlatformServices services { host, host.backBuffer(), profiles, ipc, layouts, folder.file("QuorvelEFIS.cfg") };
    std::optional<BareDisplay> display;
};

HMODULE Win32HostTest::resources = nullptr;

} // namespace

TEST_F(Win32HostTest, WithoutProfileTheWindowOpensBorderedWithMenuAndTimer)
{
    ASSERT_TRUE(create());
    EXPECT_EQ(display->configurationLoads, 1);
    char title[100] = {};
    GetWindowTextA(window(), title, sizeof title);
    EXPECT_STREQ(title, "A320 CFM E/WD");
    EXPECT_TRUE(IsWindowVisible(window()));
    EXPECT_EQ(style(), WindowStyle::Bordered);
    EXPECT_NE(GetMenu(window()), nullptr);
    EXPECT_FALSE(topmost());
    EXPECT_FALSE(alwaysOnTopChecked());
    EXPECT_EQ(display->loopMode(), LoopMode::Blocking);
    EXPECT_TRUE(pumpUntil([&] { return display->timerTicks >= 2; }, 3000));

    EXPECT_EQ(GetClassLongA(window(), GCL_STYLE), static_cast<DWORD>(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(GetClassLongPtrA(window(), GCLP_HBRBACKGROUND), static_cast<ULONG_PTR>(COLOR_WINDOW + 1));
    EXPECT_NE(GetClassLongPtrA(window(), GCLP_HICON), 0u);
    EXPECT_NE(GetClassLongPtrA(window(), GCLP_HICONSM), 0u);
}

TEST_F(Win32HostTest, SavedFlagsApplyAfterTheWindowIsShownAndKeepItsOuterSize)
{
    setGeometry(50, 60, 400, 300);
    setProfile("MenuVisible", "0");
    setProfile("AlwaysOnTop", "1");
    setProfile("NoBorder", "1");
    ASSERT_TRUE(create());

    EXPECT_EQ(GetMenu(window()), nullptr);
    EXPECT_TRUE(topmost());
    EXPECT_EQ(style(), WindowStyle::BorderOnly);
    EXPECT_TRUE(IsWindowVisible(window()));
    RECT const rect = windowRect();
    EXPECT_EQ((std::array { rect.left, rect.top, rect.right, rect.bottom }), (std::array<LONG, 4> { 50, 60, 450, 360 }));

    // The check mark was set while the bar was hidden; it shows with the bar.
    SendMessageA(window(), WM_KEYDOWN, 'M', 0);
    ASSERT_NE(GetMenu(window()), nullptr);
    EXPECT_TRUE(alwaysOnTopChecked());
}

TEST_F(Win32HostTest, KeysAndMenuCommandsToggleTheView)
{
    ASSERT_TRUE(create());
    SendMessageA(window(), WM_KEYDOWN, 'F', 0);
    EXPECT_EQ(style(), WindowStyle::BorderOnly);
    EXPECT_TRUE(IsWindowVisible(window()));
    SendMessageA(window(), WM_KEYDOWN, 'F', 0);
    EXPECT_EQ(style(), WindowStyle::Bordered);

    SendMessageA(window(), WM_KEYDOWN, 'M', 0);
    EXPECT_EQ(GetMenu(window()), nullptr);
    SendMessageA(window(), WM_COMMAND, MenuCommand::AlwaysOnTop, 0);
    EXPECT_TRUE(topmost());
    SendMessageA(window(), WM_COMMAND, MenuCommand::HideMenuBar, 0);
    ASSERT_NE(GetMenu(window()), nullptr);
    EXPECT_TRUE(alwaysOnTopChecked());
    SendMessageA(window(), WM_COMMAND, MenuCommand::AlwaysOnTop, 0);
    EXPECT_FALSE(topmost());
    EXPECT_FALSE(alwaysOnTopChecked());

    // A command the window does not know, as the accelerator table sends,
    // and a key it does not use change nothing.
    SendMessageA(window(), WM_COMMAND, 104, 0);
    SendMessageA(window(), WM_KEYDOWN, 'X', 0);
    EXPECT_TRUE(IsWindow(window()));
    EXPECT_NE(GetMenu(window()), nullptr);
    EXPECT_EQ(style(), WindowStyle::Bordered);
}

TEST_F(Win32HostTest, StoppedTimerStopsTicking)
{
    ASSERT_TRUE(create());
    display->setTimerPeriod(20);
    EXPECT_TRUE(pumpUntil([&] { return display->timerTicks >= 3; }, 30000));
    display->setTimerPeriod(0);
    EXPECT_EQ(display->runningTimerId(), 0);
    int const ticksWhenStopped = display->timerTicks;
    pumpFor(300);
    EXPECT_EQ(display->timerTicks, ticksWhenStopped);
}

TEST_F(Win32HostTest, BlockingLoopRunsUntilExitAndTheSettingsAreSaved)
{
    setGeometry(30, 40, 500, 400);
    ASSERT_TRUE(create());
    PostMessageA(window(), WM_KEYDOWN, 'M', 0);
    PostMessageA(window(), WM_KEYDOWN, 'F', 0);
    PostMessageA(window(), WM_COMMAND, MenuCommand::Exit, 0);
    EXPECT_EQ(host.runLoop(LoopMode::Blocking), 0);
    EXPECT_EQ(window(), nullptr);

    EXPECT_EQ(savedGeometry(), (std::array<std::string, 4> { "30", "40", "500", "400" }));
    EXPECT_EQ(profileValue("MenuVisible"), "0");
    EXPECT_EQ(profileValue("AlwaysOnTop"), "0");
    EXPECT_EQ(profileValue("TimerPeriod"), "100");
    EXPECT_EQ(profileValue("NoBorder"), "1");
}

TEST_F(Win32HostTest, PollingLoopPaintsEveryPassAndNotAfterTheWindowIsGone)
{
    setProfile("TimerPeriod", "0");
    ASSERT_TRUE(create());
    EXPECT_EQ(display->runningTimerId(), 0);
    EXPECT_EQ(display->loopMode(), LoopMode::Polling);
    for (int i = 0; i < 5; ++i)
        PostMessageA(window(), WM_NULL, 0, 0);
    PostMessageA(window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(host.runLoop(LoopMode::Polling), 0);
    EXPECT_GE(display->paints, 5);
    EXPECT_EQ(display->paintsWithoutWindow, 0);
    EXPECT_EQ(profileValue("TimerPeriod"), "0");
}

TEST_F(Win32HostTest, MinimisedWindowKeepsTheSavedGeometry)
{
    setGeometry(100, 110, 500, 400);
    ASSERT_TRUE(create());
    MoveWindow(window(), 200, 210, 600, 500, TRUE);
    ShowWindow(window(), SW_MINIMIZE);
    SendMessageA(window(), WM_COMMAND, MenuCommand::AlwaysOnTop, 0);
    DestroyWindow(window());
    EXPECT_EQ(savedGeometry(), (std::array<std::string, 4> { "100", "110", "500", "400" }));
    EXPECT_EQ(profileValue("AlwaysOnTop"), "1");
    EXPECT_EQ(profileValue("MenuVisible"), "1");
}

TEST_F(Win32HostTest, WindowLeftOfTheScreenKeepsTheSavedGeometry)
{
    setGeometry(-5, 100, 500, 400);
    ASSERT_TRUE(create());
    EXPECT_EQ(windowRect().left, -5);
    SendMessageA(window(), WM_KEYDOWN, 'F', 0);
    DestroyWindow(window());
    EXPECT_EQ(savedGeometry(), (std::array<std::string, 4> { "-5", "100", "500", "400" }));
    EXPECT_EQ(profileValue("NoBorder"), "1");
}

TEST_F(Win32HostTest, SavedGeometryOffEveryMonitorOrLargerThanThemComesUpOnThePrimary)
{
    // The first monitor Windows lists as primary is the one at the origin.
    MONITORINFO primary {};
    primary.cbSize = sizeof primary;
    GetMonitorInfoA(MonitorFromPoint({ 0, 0 }, MONITOR_DEFAULTTOPRIMARY), &primary);
    int const screenWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    setGeometry(-100000, 50, 100000, 300);
    ASSERT_TRUE(create());
    RECT const rect = windowRect();
    EXPECT_EQ(rect.left, primary.rcWork.left);
    EXPECT_EQ(rect.top, primary.rcWork.top);
    EXPECT_LE(rect.right - rect.left, screenWidth);
    EXPECT_EQ(rect.bottom - rect.top, 300);
}

TEST_F(Win32HostTest, MovedToAMonitorOfAnotherScaleTheWindowTakesTheSuggestedRectangle)
{
    setGeometry(100, 110, 500, 400);
    ASSERT_TRUE(create());
    RECT suggested { 120, 130, 870, 730 }; // 150 % of the window
    SendMessageA(window(), 0x02E0, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested)); // WM_DPICHANGED
    RECT const rect = windowRect();
    EXPECT_EQ((std::array { rect.left, rect.top, rect.right, rect.bottom }), (std::array<LONG, 4> { 120, 130, 870, 730 }));
}

TEST_F(Win32HostTest, RefreshRateDialogSetsThePeriodAndWarnsOfTheLoopChange)
{
    ASSERT_TRUE(create());
    DWORD const self = GetCurrentProcessId();
    RECT const owner = windowRect();
    struct Seen {
        RECT dialog {};
        LRESULT minimum = -1, maximum = -1, position = -1, tick = -1;
        std::string warning;
    } seen;
    {
        WindowRobot robot([&] {
            HWND const dialog = waitForWindow(self, "Refresh Rate", "#32770");
            if (dialog == nullptr)
                return;
            GetWindowRect(dialog, &seen.dialog);
            HWND const slider = GetDlgItem(dialog, 1001);
            seen.minimum = SendMessageA(slider, TBM_GETRANGEMIN, 0, 0);
            seen.maximum = SendMessageA(slider, TBM_GETRANGEMAX, 0, 0);
            seen.position = SendMessageA(slider, TBM_GETPOS, 0, 0);
            seen.tick = SendMessageA(slider, TBM_GETTIC, 0, 0);
            SendMessageA(slider, TBM_SETPOS, TRUE, 0);
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            HWND const warning = waitForWindow(self, "Warning", "#32770");
            if (warning == nullptr)
                return;
            seen.warning = windowText(GetDlgItem(warning, 0xFFFF));
            PostMessageA(warning, WM_COMMAND, IDOK, 0);
        });
        SendMessageA(window(), WM_COMMAND, MenuCommand::SetRefreshRate, 0);
    }
    int const dialogWidth = seen.dialog.right - seen.dialog.left;
    int const dialogHeight = seen.dialog.bottom - seen.dialog.top;
    EXPECT_EQ(seen.dialog.left, owner.left + (owner.right - owner.left - dialogWidth) / 2);
    EXPECT_EQ(seen.dialog.top, owner.top + (owner.bottom - owner.top - dialogHeight) / 2);
    EXPECT_EQ(seen.minimum, 0);
    EXPECT_EQ(seen.maximum, 500);
    EXPECT_EQ(seen.position, 100);
    EXPECT_EQ(seen.tick, 100);
    EXPECT_EQ(seen.warning, "You have selected a maximum refresh rate.\nThis requires an application restart");
    EXPECT_EQ(display->timerPeriodMs(), 0);
    EXPECT_EQ(display->runningTimerId(), 0);
    EXPECT_EQ(display->loopMode(), LoopMode::Polling);
}

TEST_F(Win32HostTest, RefreshRateDialogCancelKeepsThePeriod)
{
    ASSERT_TRUE(create());
    DWORD const self = GetCurrentProcessId();
    {
        WindowRobot robot([&] {
            HWND const dialog = waitForWindow(self, "Refresh Rate", "#32770");
            if (dialog == nullptr)
                return;
            SendDlgItemMessageA(dialog, 1001, TBM_SETPOS, TRUE, 300);
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        SendMessageA(window(), WM_COMMAND, MenuCommand::SetRefreshRate, 0);
    }
    EXPECT_EQ(display->timerPeriodMs(), 100);
    EXPECT_NE(display->runningTimerId(), 0);
}

TEST_F(Win32HostTest, AboutAndHelpShowTheirTexts)
{
    ASSERT_TRUE(create());
    DWORD const self = GetCurrentProcessId();
    std::string aboutText;
    std::string helpText;
    {
        WindowRobot robot([&] {
            HWND const about = waitForWindow(self, "About", "#32770");
            if (about == nullptr)
                return;
            for (HWND child = GetWindow(about, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
                if (GetDlgCtrlID(child) != IDOK && !windowText(child).empty())
                    aboutText = windowText(child);
            }
            PostMessageA(about, WM_COMMAND, IDOK, 0);
        });
        SendMessageA(window(), WM_COMMAND, MenuCommand::About, 0);
    }
    {
        WindowRobot robot([&] {
            HWND const help = waitForWindow(self, "Help", "#32770");
            if (help == nullptr)
                return;
            helpText = windowText(GetDlgItem(help, 0xFFFF));
            PostMessageA(help, WM_COMMAND, IDOK, 0);
        });
        SendMessageA(window(), WM_COMMAND, MenuCommand::HelpContents, 0);
    }
    EXPECT_EQ(aboutText, "Tarnex Version 1.0");
    EXPECT_EQ(helpText,
        "M - Show/Hide menu bar\nF - Show/Hide window border\nC - Connect to FSUIPC\n\n"
        "The position and size of the window\nis automatically saved when exiting");
}
