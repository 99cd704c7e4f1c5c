#include "app/snapshot.h"

#include "app/aircraft_choice.h"
#include "app/headless_window_host.h"
#include "app/menu_commands.h"
#include "config/layout_file.h"
#include "render/draw_log.h"
#include "render/offscreen_backend.h"
#include "render/recording_backend.h"

#include <fstream>

namespace {

bool writeDrawLogFile(std::string const& path, RecordingGraphics const& recording)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    writeDrawLog(out, recording.commands());
    out.close();
    return static_cast<bool>(out);
}

// A snapshot taken with no simulator is a true picture of the page as it
// stands, and tests take it on purpose; but a script that meant to capture
// live data should learn that it did not, and why. Empty while connected.
std::string notConnectedNote(LinkState const& link)
{
    if (link.connected)
        return {};
    std::string note = "tarnex: no simulator data: " + link.linkErrorText;
    if (!link.noServerHelp.empty())
        note += " (" + link.noServerHelp + ')';
    return note + "; the snapshot shows the not-connected page.\n";
}

} // namespace

int runSnapshot(SnapshotOptions const& options, SnapshotPorts const& ports, DisplayFactory const& makeDisplay, std::ostream& errors)
{
    if (!options.layoutPath.empty()) {
        if (LayoutFileText const layout = readLayoutFile(options.layoutPath); !layout.text) {
            errors << "Cannot use the layout " << options.layoutPath << ": " << layout.problem << ".\n";
            return 1;
        }
    }
    HeadlessWindowHost window({ options.width, options.height }, errors);
    RecordingBackend recorder(ports.offscreen);
    PlatformServices services { window, recorder, ports.profiles, ports.ipc, ports.layouts, ports.userProfilePath };

    std::unique_ptr<AppWindow> display = makeDisplay(services, ports.userProfilePath, std::string(kProfileSection));
    AircraftChoice const aircraft = chooseAircraft(options.aircraftPath, false, ports.profiles, ports.userProfilePath, kProfileSection);
    if (!aircraft.notice.empty())
        errors << aircraft.notice << '\n';
    display->useAircraftSources(aircraft.sources);
    if (!options.layoutPath.empty())
        display->useLayoutFile(options.layoutPath);
    if (!display->createWindow(kWindowTitle, MenuCommand::AlwaysOnTop)) {
        errors << "The display could not be created.\n";
        return 1;
    }
    RecordingGraphics& recording = recorder.recording();
    recording.setRecording(false);
    for (int frame = 1; frame <= options.frames; ++frame) {
        if (frame == options.frames) {
            recording.clearCommands();
            recording.setRecording(true);
        }
        display->paint();
    }
    std::string const note = notConnectedNote(display->linkState());
    display.reset();

    if (!ports.offscreen.writePng(options.pngPath)) {
        errors << "Cannot write the snapshot " << options.pngPath << "; check that its folder exists and is writable.\n";
        return 1;
    }
    if (!options.drawLogPath.empty() && !writeDrawLogFile(options.drawLogPath, recording)) {
        errors << "Cannot write the draw log " << options.drawLogPath << "; check that its folder exists and is writable.\n";
        return 1;
    }
    errors << note;
    return 0;
}
