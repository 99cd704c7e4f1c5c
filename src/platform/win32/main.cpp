// tarnex.exe: the E/WD window, or a snapshot of the display without one.

#include "app/aircraft_choice.h"
#include "app/application.h"
#include "app/command_line.h"
#include "platform/win32/command_arguments.h"
#include "platform/win32/console_output.h"
#include "platform/win32/display_factory.h"
#include "platform/win32/gdiplus_fonts.h"
#include "platform/win32/gdiplus_session.h"
#include "platform/win32/resource.h"
#include "platform/win32/gdiplus_snapshot.h"
#include "platform/win32/user_profile_location.h"
#include "platform/win32/win32_folder_watcher.h"
#include "platform/win32/win32_host.h"
#include "platform/win32/win32_ipc_transport.h"
#include "platform/win32/win32_layout_platform.h"
#include "platform/win32/win32_profile_store.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

namespace {

constexpr int kResourceStringSize = 100;

std::string resourceString(HINSTANCE instance, UINT id)
{
    char text[kResourceStringSize] = {};
    LoadStringA(instance, id, text, kResourceStringSize);
    return text;
}

int runWindow(HINSTANCE instance, int showCommand, CommandLine const& line)
{
    // GDI+ runs from before the first GDI+ object to after the last.
    GdiplusSession const gdiplus;
    GdiplusFontFactory fonts;
    Win32Host host(instance, showCommand, fonts);
    Win32ProfileStore profiles;
    Win32IpcTransport ipc;
    Win32LayoutPlatform layouts(instance);
    prepareUserProfile();
    PlatformServices services { host, host.backBuffer(), profiles, ipc, layouts, userProfilePath() };

    std::string const className = resourceString(instance, IDC_TARNEX);
    if (!host.registerWindowClass(className))
        return 0;
    Win32FolderWatcher watcher;
    AircraftChoice const aircraft = chooseAircraft(line.aircraftPath, true, profiles, services.userProfilePath, kProfileSection);
    if (!aircraft.notice.empty())
        writeStandardError(aircraft.notice + "\n");
    return runApplication(services, makeEwdDisplay, LayoutChoice { line.layoutPath, &watcher }, aircraft.sources);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    std::vector<std::string> const arguments = commandArguments();
    std::vector<std::string_view> const views(arguments.begin(), arguments.end());
    CommandLineResult const parsed = parseCommandLine(views);
    if (!parsed.ok) {
        writeStandardError(parsed.errorText + "\n");
        return 2;
    }
    switch (parsed.commandLine.mode) {
    case CommandLine::Mode::Help:
        writeStandardOutput(usageText());
        return 0;
    case CommandLine::Mode::Version:
        writeStandardOutput(std::string(kVersionText) + "\n");
        return 0;
    case CommandLine::Mode::Snapshot:
        return runWin32Snapshot(instance, parsed.commandLine.snapshot);
    case CommandLine::Mode::Window:
        break;
    }
    return runWindow(instance, showCommand, parsed.commandLine);
}
