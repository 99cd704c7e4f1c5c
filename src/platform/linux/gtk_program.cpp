#include "platform/linux/gtk_program.h"

#include "app/aircraft_choice.h"
#include "app/command_line.h"
#include "app/snapshot.h"
#include "config/ini_profile_store.h"
#include "platform/linux/cairo_offscreen_backend.h"
#include "platform/linux/gtk_folder_watcher.h"
#include "platform/linux/gtk_window_host.h"
#include "platform/linux/ipc_directory.h"
#include "platform/linux/linux_layout_platform.h"
#include "platform/linux/posix_ipc_transport.h"
#include "platform/linux/user_profile_location.h"

#include <gtk/gtk.h>

#include <iostream>
#include <vector>

namespace {

int runSnapshotMode(SnapshotOptions const& options, DisplayFactory const& makeDisplay)
{
    IniProfileStore profiles;
    PosixIpcTransport ipc(ipcDirectory());
    LinuxLayoutPlatform layouts;
    CairoOffscreenBackend offscreen;
    SnapshotPorts const ports { profiles, ipc, layouts, offscreen, userProfilePath() };
    return runSnapshot(options, ports, makeDisplay, std::cerr);
}

int runWindowMode(int argc, char** argv, CommandLine const& line, DisplayFactory const& makeDisplay)
{
    // The display draws with Cairo alone. Left alone, GDK probes OpenGL when
    // it opens the display and keeps the GL driver mapped for the program's
    // life: tens of megabytes (Mesa's software driver brings LLVM) for
    // nothing. A user's own GDK_GL setting still wins.
    g_setenv("GDK_GL", "disable", FALSE);
    if (!gtk_init_check(&argc, &argv)) {
        std::cerr << "Cannot open the display; set DISPLAY, or use tarnex --snapshot OUT.png to draw without a window.\n";
        return 1;
    }
    // Without the folder the settings could not be saved at exit; the
    // program runs all the same.
    makeUserProfileFolder();
    IniProfileStore profiles;
    PosixIpcTransport ipc(ipcDirectory());
    LinuxLayoutPlatform layouts;
    GtkWindowHost window;
    GioFolderWatcher watcher;
    PlatformServices services { window, window.renderBackend(), profiles, ipc, layouts, userProfilePath() };
    AircraftChoice const aircraft = chooseAircraft(line.aircraftPath, true, profiles, services.userProfilePath, kProfileSection);
    if (!aircraft.notice.empty())
        std::cerr << aircraft.notice << '\n';
    return runApplication(services, makeDisplay, LayoutChoice { line.layoutPath, &watcher }, aircraft.sources);
}

} // namespace

int runTarnexProgram(int argc, char** argv, DisplayFactory const& makeDisplay)
{
    std::vector<std::string_view> const arguments(argv + 1, argv + argc);
    CommandLineResult const parsed = parseCommandLine(arguments);
    if (!parsed.ok) {
        std::cerr << parsed.errorText << '\n';
        return 2;
    }
    switch (parsed.commandLine.mode) {
    case CommandLine::Mode::Help:
        std::cout << usageText();
        return 0;
    case CommandLine::Mode::Version:
        std::cout << kVersionText << '\n';
        return 0;
    case CommandLine::Mode::Snapshot:
        return runSnapshotMode(parsed.commandLine.snapshot, makeDisplay);
    case CommandLine::Mode::Window:
        break;
    }
    return runWindowMode(argc, argv, parsed.commandLine, makeDisplay);
}
