// The resources of tarnex.exe as Windows itself reads them.

#include "app/menu_commands.h"
#include "dialog_template.h"
#include "program_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <vector>

#include <windows.h>

namespace {

// tarnex.exe loaded for its resources only.
class TarnexResources : public testing::Test {
protected:
    static void SetUpTestSuite() { module = LoadLibraryExA(tarnexProgram().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE); }
    static void TearDownTestSuite() { FreeLibrary(module); }

    void SetUp() override { ASSERT_NE(module, nullptr) << "cannot load " << tarnexProgram(); }

    static std::span<std::uint8_t const> bytesOf(LPCSTR type, int id)
    {
        HRSRC const found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
        if (found == nullptr)
            return {};
        auto const* const data = static_cast<std::uint8_t const*>(LockResource(LoadResource(module, found)));
        return { data, SizeofResource(module, found) };
    }

    static DialogTemplate dialog(int id)
    {
        std::optional<DialogTemplate> parsed = parseDialogTemplate(bytesOf(MAKEINTRESOURCEA(5), id)); // RT_DIALOG
        EXPECT_TRUE(parsed.has_value()) << "dialog " << id;
        return parsed.value_or(DialogTemplate {});
    }

    static std::string menuText(HMENU menu, UINT position)
    {
        char text[100] = {};
        GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
        return text;
    }

    static HMODULE module;
};

HMODULE TarnexResources::module = nullptr;

constexpr std::uint32_t kPushButtonKind = 0x0F;

} // namespace

TEST_F(TarnexResources, StringsHoldTheTitleAndTheClassName)
{
    char text[100] = {};
    LoadStringA(module, 103, text, sizeof text);
    EXPECT_STREQ(text, "Tarnex");
    LoadStringA(module, 109, text, sizeof text);
    EXPECT_STREQ(text, "TARNEX");
}

TEST_F(TarnexResources, MainMenuHoldsTheCommandsInOrder)
{
    HMENU const menu = LoadMenuA(module, MAKEINTRESOURCEA(109));
    ASSERT_NE(menu, nullptr);
    std::vector<std::string> popups;
    std::size_t row = 0;
    for (int p = 0; p < GetMenuItemCount(menu); ++p) {
        popups.push_back(menuText(menu, p));
        HMENU const popup = GetSubMenu(menu, p);
        for (int i = 0; i < GetMenuItemCount(popup); ++i, ++row) {
            SCOPED_TRACE(menuText(popup, i));
            ASSERT_LT(row, kMainMenu.size());
            bool const separator = (GetMenuState(popup, i, MF_BYPOSITION) & MF_SEPARATOR) != 0;
            EXPECT_EQ(popups.back(), kMainMenu[row].popup);
            EXPECT_EQ(menuText(popup, i), separator ? "" : std::string(kMainMenu[row].text));
            EXPECT_EQ(separator ? 0 : static_cast<int>(GetMenuItemID(popup, i)), kMainMenu[row].command);
        }
    }
    DestroyMenu(menu);
    EXPECT_EQ(popups, (std::vector<std::string> { "File", "View", "Help" }));
    EXPECT_EQ(row, kMainMenu.size());
}

TEST_F(TarnexResources, AcceleratorsBindNoCommandOfTheWindow)
{
    HACCEL const table = LoadAcceleratorsA(module, MAKEINTRESOURCEA(109));
    ASSERT_NE(table, nullptr);
    std::vector<ACCEL> entries(static_cast<std::size_t>(CopyAcceleratorTableA(table, nullptr, 0)));
    CopyAcceleratorTableA(table, entries.data(), static_cast<int>(entries.size()));
    DestroyAcceleratorTable(table);
    ASSERT_FALSE(entries.empty());
    for (ACCEL const& entry : entries) {
        bool const windowCommand = std::ranges::any_of(kMainMenu, [&](MenuItemRow const& row) { return row.command == entry.cmd; });
        EXPECT_FALSE(windowCommand) << "accelerator sends " << entry.cmd;
    }
}

TEST_F(TarnexResources, AboutBoxHasItsIconTextAndButtonInPlace)
{
    DialogTemplate const about = dialog(103);
    EXPECT_EQ(about.caption, "About");
    EXPECT_EQ(about.pointSize, 8);
    EXPECT_EQ(about.typeface, "System");
    EXPECT_EQ((std::array { about.x, about.y, about.width, about.height }), (std::array { 22, 17, 230, 75 }));
    ASSERT_EQ(about.items.size(), 3u);

    DialogItem const* const icon = about.itemWithText("#107");
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ((std::array { icon->x, icon->y }), (std::array { 14, 9 }));
    EXPECT_EQ(icon->style & SS_TYPEMASK, static_cast<std::uint32_t>(SS_ICON));

    DialogItem const* const version = about.itemWithText("Tarnex Version 1.0");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ((std::array { version->x, version->y, version->width, version->height }), (std::array { 49, 10, 119, 8 }));
    EXPECT_NE(version->style & SS_NOPREFIX, 0u);

    DialogItem const* const ok = about.itemWithId(IDOK);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text, "OK");
    EXPECT_EQ((std::array { ok->x, ok->y, ok->width, ok->height }), (std::array { 195, 6, 30, 11 }));
    EXPECT_EQ(ok->style & kPushButtonKind, static_cast<std::uint32_t>(BS_DEFPUSHBUTTON));
}

TEST_F(TarnexResources, RefreshRateDialogHasItsSliderButtonsAndLabelsInPlace)
{
    DialogTemplate const rate = dialog(131);
    EXPECT_EQ(rate.caption, "Refresh Rate");
    EXPECT_EQ(rate.pointSize, 8);
    EXPECT_EQ(rate.typeface, "MS Shell Dlg");
    EXPECT_EQ((std::array { rate.width, rate.height }), (std::array { 186, 71 }));
    ASSERT_EQ(rate.items.size(), 5u);

    DialogItem const* const ok = rate.itemWithId(IDOK);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text, "OK");
    EXPECT_EQ((std::array { ok->x, ok->y, ok->width, ok->height }), (std::array { 7, 50, 50, 14 }));
    EXPECT_EQ(ok->style & kPushButtonKind, static_cast<std::uint32_t>(BS_DEFPUSHBUTTON));

    DialogItem const* const cancel = rate.itemWithId(IDCANCEL);
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->text, "Cancel");
    EXPECT_EQ((std::array { cancel->x, cancel->y, cancel->width, cancel->height }), (std::array { 129, 50, 50, 14 }));

    DialogItem const* const slider = rate.itemWithId(1001);
    ASSERT_NE(slider, nullptr);
    // Class names compare without regard to case; the resource compiler
    // stores this one in capitals.
    EXPECT_EQ(lstrcmpiA(slider->className.c_str(), "msctls_trackbar32"), 0) << slider->className;
    EXPECT_EQ((std::array { slider->x, slider->y, slider->width, slider->height }), (std::array { 7, 7, 172, 28 }));
    EXPECT_NE(slider->style & WS_TABSTOP, 0u);
    EXPECT_EQ(slider->style & 0x0002u, 0u); // not TBS_VERT

    DialogItem const* const fast = rate.itemWithText("Fast");
    DialogItem const* const slow = rate.itemWithText("Slow");
    ASSERT_NE(fast, nullptr);
    ASSERT_NE(slow, nullptr);
    EXPECT_EQ((std::array { fast->x, fast->y, fast->width, fast->height }), (std::array { 7, 33, 15, 8 }));
    EXPECT_EQ((std::array { slow->x, slow->y, slow->width, slow->height }), (std::array { 163, 33, 16, 8 }));
}

TEST_F(TarnexResources, IconsLoad)
{
    for (int id : { 107, 108, 129 }) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(bytesOf(MAKEINTRESOURCEA(14), id).empty()); // RT_GROUP_ICON
        HICON const icon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0));
        EXPECT_NE(icon, nullptr);
        DestroyIcon(icon);
    }
}

TEST_F(TarnexResources, DefaultLayoutIsThePackedLayoutOfTheBuild)
{
    std::span<std::uint8_t const> const embedded = bytesOf("ORBA_CFG", 99);
    std::ifstream file(packedDefaultLayout(), std::ios::binary);
    std::vector<std::uint8_t> const packed { std::istreambuf_iterator<char>(file), {} };
    ASSERT_FALSE(packed.empty()) << "cannot read " << packedDefaultLayout();
    EXPECT_TRUE(std::ranges::equal(embedded, packed));
}

TEST_F(TarnexResources, ManifestAsksForPerMonitorScalingCurrentControlsAndTheUsersRights)
{
    std::span<std::uint8_t const> const bytes = bytesOf(MAKEINTRESOURCEA(24), 1); // RT_MANIFEST, for the process
    std::string const manifest(bytes.begin(), bytes.end());
    ASSERT_FALSE(manifest.empty());
    for (char const* part : { "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2, PerMonitor</dpiAwareness>",
             "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm</dpiAware>",
             "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"", "<requestedExecutionLevel level=\"asInvoker\"" })
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
}
