#pragma once

#include <array>
#include <string_view>

// The main menu's command identifiers, shared with the Windows resources.
namespace MenuCommand {
constexpr int ConnectFsuipc = 32777;
constexpr int Exit = 32771;
constexpr int SetRefreshRate = 32779;
constexpr int HideMenuBar = 32772;
constexpr int AlwaysOnTop = 32781;
constexpr int HelpContents = 32782;
constexpr int About = 32773;
}

// The main menu, top to bottom. A row with command 0 is a separator; '&'
// marks the mnemonic letter.
struct MenuItemRow {
    std::string_view popup;
    std::string_view text;
    int command;
    bool checkable;
};

constexpr std::array<MenuItemRow, 9> kMainMenu { {
    { "File", "Connect FSUIPC", MenuCommand::ConnectFsuipc, false },
    { "File", "", 0, false },
    { "File", "Exit", MenuCommand::Exit, false },
    { "View", "Set Refresh Rate...", MenuCommand::SetRefreshRate, false },
    { "View", "Hide Menu Bar", MenuCommand::HideMenuBar, false },
    { "View", "&Always on top", MenuCommand::AlwaysOnTop, true },
    { "Help", "Contents...", MenuCommand::HelpContents, false },
    { "Help", "", 0, false },
    { "Help", "About...", MenuCommand::About, false },
} };
