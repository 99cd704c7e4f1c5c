// tarnex.exe itself: started with a prepared user profile, driven through
// its window's messages, closed, and its profile read back. The profile lives
// in the user's application-data folder, and earlier versions kept it in the
// Windows directory or the VirtualStore copy of it: the test keeps whatever
// was in those places and puts it back.

#include "child_process.h"
#include "config/layout_codec.h"
#include "program_files.h"
#include "support/temp_folder.h"
#include "window_robot.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace {

constexpr char const* kSection = "ExternalEWD";
constexpr int kExit = 32771;
constexpr int kAlwaysOnTop = 32781;

std::string shellFolder(int folderId)
{
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, folderId, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::string windowsFolder()
{
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    return windows;
}

std::optional<std::string> fileBytes(std::string const& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    return std::string { std::istreambuf_iterator<char>(file), {} };
}

// A file the test needs absent at its start; what was there comes back at
// its end.
class SetAsideFile {
public:
    explicit SetAsideFile(std::string path)
        : m_path(std::move(path))
        , m_kept(fileBytes(m_path))
    {
        DeleteFileA(m_path.c_str());
    }
    ~SetAsideFile()
    {
        DeleteFileA(m_path.c_str());
        if (m_kept)
            std::ofstream(m_path, std::ios::binary) << *m_kept;
    }
    SetAsideFile(SetAsideFile const&) = delete;
    SetAsideFile& operator=(SetAsideFile const&) = delete;
    std::string const& path() const { return m_path; }

private:
    std::string m_path;
    std::optional<std::string> m_kept;
};

class TarnexWindow : public testing::Test {
protected:
    void setProfile(char const* key, std::string const& value, std::string const& file)
    {
        std::filesystem::create_directories(std::filesystem::path(file).parent_path());
        WritePrivateProfileStringA(kSection, key, value.c_str(), file.c_str());
    }
    void setProfile(char const* key, std::string const& value) { setProfile(key, value, profile.path()); }
    std::string profileValue(char const* key)
    {
        char value[100] = {};
        GetPrivateProfileStringA(kSection, key, "<absent>", value, sizeof value, profile.path().c_str());
        return value;
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

    // Starts tarnex.exe in the test's folder and waits for its main window.
    HWND start()
    {
        EXPECT_TRUE(tarnex.start(tarnexProgram(), {}, {}, folder.path())) << "cannot start " << tarnexProgram();
        return waitForWindow(tarnex.id(), "A320 CFM E/WD", "TARNEX", 20000);
    }
    // Posts the Exit command and waits for the program's end.
    std::optional<DWORD> exitThrough(HWND window, UINT message, WPARAM wParam)
    {
        PostMessageA(window, message, wParam, 0);
        return tarnex.waitForExit(20000);
    }

    static void typeWithShift(WORD key)
    {
        std::array<INPUT, 4> inputs {};
        WORD const keys[] = { VK_SHIFT, key, key, VK_SHIFT };
        for (std::size_t i = 0; i < inputs.size(); ++i) {
            inputs[i].type = INPUT_KEYBOARD;
            inputs[i].ki.wVk = keys[i];
            inputs[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
        }
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }
    static bool waitUntil(std::function<bool()> const& condition) { return pumpUntil(condition, 10000); }
    static LONG style(HWND window) { return GetWindowLongA(window, GWL_STYLE); }
    static bool topmost(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

    SetAsideFile profile { shellFolder(CSIDL_APPDATA) + "\\Tarnex\\QuorvelEFIS.cfg" };
    SetAsideFile windowsFolderProfile { windowsFolder() + "\\QuorvelEFIS.cfg" };
    SetAsideFile virtualStoreProfile { shellFolder(CSIDL_LOCAL_APPDATA) + "\\VirtualStore" + windowsFolder().substr(2)
        + "\\QuorvelEFIS.cfg" };
    TempFolder folder;
    ChildProcess tarnex;
};

} // namespace

TEST_F(TarnexWindow, SavedViewFlagsComeBackAndKeysChangeThem)
{
    setGeometry(60, 70, 640, 480);
    setProfile("MenuVisible", "0");
    setProfile("AlwaysOnTop", "1");
    setProfile("NoBorder", "1");
    HWND const window = start();
    ASSERT_NE(window, nullptr);

    EXPECT_TRUE(waitUntil([&] { return (style(window) & WS_POPUP) != 0 && topmost(window); }));
    EXPECT_EQ(GetMenu(window), nullptr);
    RECT rect {};
    GetWindowRect(window, &rect);
    EXPECT_EQ((std::array { rect.left, rect.top, rect.right, rect.bottom }), (std::array<LONG, 4> { 60, 70, 700, 550 }));

    // Keys as the window gets them, through the message loop.
    PostMessageA(window, WM_KEYDOWN, 'M', 0);
    EXPECT_TRUE(waitUntil([&] { return GetMenu(window) != nullptr; }));
    PostMessageA(window, WM_KEYDOWN, 'F', 0);
    EXPECT_TRUE(waitUntil([&] { return (style(window) & WS_POPUP) == 0; }));
    EXPECT_EQ(style(window) & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
    PostMessageA(window, WM_KEYDOWN, 'C', 0);

    // Typed on the keyboard with Shift held: the same as without.
    SetForegroundWindow(window);
    EXPECT_TRUE(waitUntil([&] { return GetForegroundWindow() == window; }));
    typeWithShift('F');
    EXPECT_TRUE(waitUntil([&] { return (style(window) & WS_POPUP) != 0; }));

    EXPECT_EQ(exitThrough(window, WM_COMMAND, kExit), std::optional<DWORD>(0));
    EXPECT_EQ(savedGeometry(), (std::array<std::string, 4> { "60", "70", "640", "480" }));
    EXPECT_EQ(profileValue("MenuVisible"), "1");
    EXPECT_EQ(profileValue("AlwaysOnTop"), "1");
    EXPECT_EQ(profileValue("TimerPeriod"), "100");
    EXPECT_EQ(profileValue("NoBorder"), "1");
}

TEST_F(TarnexWindow, WithoutProfileAllSettingsAreWrittenAtClose)
{
    HWND const window = start();
    ASSERT_NE(window, nullptr);
    EXPECT_NE(GetMenu(window), nullptr);
    EXPECT_FALSE(topmost(window));
    RECT rect {};
    GetWindowRect(window, &rect);

    EXPECT_EQ(exitThrough(window, WM_CLOSE, 0), std::optional<DWORD>(0));
    EXPECT_EQ(savedGeometry(),
        (std::array { std::to_string(rect.left), std::to_string(rect.top), std::to_string(rect.right - rect.left),
            std::to_string(rect.bottom - rect.top) }));
    EXPECT_EQ(profileValue("MenuVisible"), "1");
    EXPECT_EQ(profileValue("AlwaysOnTop"), "0");
    EXPECT_EQ(profileValue("TimerPeriod"), "100");
    EXPECT_EQ(profileValue("NoBorder"), "0");
}

TEST_F(TarnexWindow, PollingProgramClosedWhileMinimisedKeepsItsGeometry)
{
    setGeometry(100, 110, 500, 400);
    setProfile("TimerPeriod", "0");
    HWND const window = start();
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(waitUntil([&] { return IsIconic(window) != FALSE; }));
    PostMessageA(window, WM_COMMAND, kAlwaysOnTop, 0);
    EXPECT_TRUE(waitUntil([&] { return topmost(window); }));

    EXPECT_EQ(exitThrough(window, WM_COMMAND, kExit), std::optional<DWORD>(0));
    EXPECT_EQ(savedGeometry(), (std::array<std::string, 4> { "100", "110", "500", "400" }));
    EXPECT_EQ(profileValue("AlwaysOnTop"), "1");
    EXPECT_EQ(profileValue("TimerPeriod"), "0");
}

TEST_F(TarnexWindow, ACorruptLayoutFileIsReportedAndTheWindowStillOpens)
{
    std::ofstream(folder.file("A320CFM.bin"), std::ios::binary) << "not a packed layout";
    ASSERT_TRUE(tarnex.start(tarnexProgram(), {}, {}, folder.path()));
    HWND const box = waitForWindow(tarnex.id(), "Parsing Error", "#32770", 20000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(windowText(GetDlgItem(box, 0xFFFF)), "Checksum Error");
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    PostMessageA(box, WM_COMMAND, IDOK, 0);

    HWND const window = waitForWindow(tarnex.id(), "A320 CFM E/WD", "TARNEX", 20000);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(exitThrough(window, WM_COMMAND, kExit), std::optional<DWORD>(0));
}

TEST_F(TarnexWindow, SettingsOfEarlierVersionsMoveToTheUsersOwnProfile)
{
    // The Windows directory's profile, and the VirtualStore copy Windows
    // served to a 32-bit program in its place: the copy is what the user saw.
    setProfile("WindowPosX", "10", windowsFolderProfile.path());
    setProfile("MenuVisible", "1", windowsFolderProfile.path());
    setProfile("WindowPosX", "80", virtualStoreProfile.path());
    setProfile("WindowPosY", "90", virtualStoreProfile.path());
    setProfile("WindowWidth", "600", virtualStoreProfile.path());
    setProfile("WindowHeight", "450", virtualStoreProfile.path());
    setProfile("MenuVisible", "0", virtualStoreProfile.path());
    setProfile("TimerPeriod", "200", virtualStoreProfile.path());
    WritePrivateProfileStringA("Other", "Kept", "yes", virtualStoreProfile.path().c_str());
    std::optional<std::string> const windowsFolderBefore = fileBytes(windowsFolderProfile.path());
    std::optional<std::string> const virtualStoreBefore = fileBytes(virtualStoreProfile.path());

    HWND const window = start();
    ASSERT_NE(window, nullptr);
    RECT rect {};
    GetWindowRect(window, &rect);
    EXPECT_EQ((std::array { rect.left, rect.top, rect.right, rect.bottom }), (std::array<LONG, 4> { 80, 90, 680, 540 }));
    EXPECT_EQ(GetMenu(window), nullptr);
    PostMessageA(window, WM_KEYDOWN, 'M', 0);
    EXPECT_TRUE(waitUntil([&] { return GetMenu(window) != nullptr; }));
    EXPECT_EQ(exitThrough(window, WM_COMMAND, kExit), std::optional<DWORD>(0));

    EXPECT_EQ(savedGeometry(), (std::array<std::string, 4> { "80", "90", "600", "450" }));
    EXPECT_EQ(profileValue("MenuVisible"), "1");
    EXPECT_EQ(profileValue("TimerPeriod"), "200");
    char other[16] = {};
    GetPrivateProfileStringA("Other", "Kept", "", other, sizeof other, profile.path().c_str());
    EXPECT_STREQ(other, "yes");
    EXPECT_EQ(fileBytes(windowsFolderProfile.path()), windowsFolderBefore);
    EXPECT_EQ(fileBytes(virtualStoreProfile.path()), virtualStoreBefore);
}

TEST_F(TarnexWindow, TheWindowsDirectoryProfileIsReadWhenNoOtherIs)
{
    setGeometry(70, 60, 500, 400);
    std::rename(profile.path().c_str(), windowsFolderProfile.path().c_str());
    std::optional<std::string> const before = fileBytes(windowsFolderProfile.path());
    ASSERT_TRUE(before.has_value());

    HWND const window = start();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(exitThrough(window, WM_CLOSE, 0), std::optional<DWORD>(0));
    EXPECT_EQ(savedGeometry(), (std::array<std::string, 4> { "70", "60", "500", "400" }));
    EXPECT_EQ(profileValue("NoBorder"), "0");
    EXPECT_EQ(fileBytes(windowsFolderProfile.path()), before);
}

namespace {

// The colour the screen shows at a point of the window's client area.
COLORREF screenPixel(HWND window, int x, int y)
{
    POINT point { x, y };
    ClientToScreen(window, &point);
    HDC const screen = GetDC(nullptr);
    COLORREF const colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

// The page's separator lines, thick, in the colour given.
std::string linesIn(char const* colour)
{
    return std::string("[EICAS]\nForegroundColor=") + colour + "\nForegroundThickness=40\n";
}

void save(std::string const& path, std::string const& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

} // namespace

TEST_F(TarnexWindow, FollowsItsLayoutFileAsItIsSavedAndKeepsTheLastGoodOne)
{
    std::string const layout = folder.file("live.ini");
    save(layout, linesIn("255,0,255"));
    setGeometry(0, 0, 400, 400);
    setProfile("MenuVisible", "0");
    ASSERT_TRUE(tarnex.start(tarnexProgram(), { "--layout", layout }, {}, folder.path()));
    HWND const window = waitForWindow(tarnex.id(), "A320 CFM E/WD", "TARNEX", 20000);
    ASSERT_NE(window, nullptr);
    RECT client {};
    GetClientRect(window, &client);
    // On the left separator line (page y 680) and on the foot of the page.
    int const lineX = client.right / 10;
    int const lineY = client.bottom * 680 / 1000;
    int const footY = client.bottom - 1 - client.bottom * 12 / 1000;
    auto lineIs = [&](COLORREF colour) { return waitUntil([&] { return screenPixel(window, lineX, lineY) == colour; }); };
    auto footIsAmber = [&] {
        for (int x = 0; x < client.right; ++x)
            if (screenPixel(window, x, footY) == RGB(255, 150, 0))
                return true;
        return false;
    };

    EXPECT_TRUE(lineIs(RGB(255, 0, 255))) << "the layout file was not used";
    save(layout, linesIn("0,255,255"));
    EXPECT_TRUE(lineIs(RGB(0, 255, 255))) << "a save in place was not followed";
    save(folder.file("live.new"), linesIn("255,255,0"));
    // The program may be reading the file, on the change the new file made,
    // just as the rename comes: it shares the file for deleting, so the
    // rename succeeds at once.
    EXPECT_NE(MoveFileExA(folder.file("live.new").c_str(), layout.c_str(), MOVEFILE_REPLACE_EXISTING), 0);
    EXPECT_TRUE(lineIs(RGB(255, 255, 0))) << "a save by rename was not followed";

    std::vector<std::uint8_t> packed = scrambleLayout(linesIn("0,0,255")).value();
    packed.back() ^= 1;
    save(layout, std::string(packed.begin(), packed.end()));
    EXPECT_TRUE(waitUntil(footIsAmber)) << "a damaged save shows no reason line";
    EXPECT_EQ(screenPixel(window, lineX, lineY), RGB(255, 255, 0)) << "the last good layout did not stay";

    packed.back() ^= 1;
    save(layout, std::string(packed.begin(), packed.end()));
    EXPECT_TRUE(lineIs(RGB(0, 0, 255))) << "a good packed save was not followed";
    EXPECT_TRUE(waitUntil([&] { return !footIsAmber(); })) << "the reason line stayed";
    EXPECT_EQ(exitThrough(window, WM_COMMAND, kExit), std::optional<DWORD>(0));
}
