// Whole frames of the default layout through the real E/WD display, as the
// polling loop runs them back to back: acquire from a live tarnex-sim, draw
// with Cairo, present into an off-screen buffer. Prints the time per frame,
// what the frames keep allocating once the first is drawn, and the peak
// resident size. With --aircraft FILE a second display reads the named
// values where FILE says, and with --layout FILE it draws that layout (both
// options: one second display with both); the two take turns frame by
// frame, so both see the same machine, and the run ends with the ratio of
// their medians.

#include "allocation_count.h"
#include "bench_commands.h"
#include "bench_figures.h"
#include "bench_folder.h"
#include "bench_options.h"
#include "front_buffer_backend.h"

#include "app/application.h"
#include "app/headless_window_host.h"
#include "app/menu_commands.h"
#include "config/ini_profile_store.h"
#include "ewd/ewd_display.h"
#include "sim/aircraft_file.h"
#include "platform/linux/linux_layout_platform.h"
#include "platform/linux/posix_ipc_transport.h"
#include "platform/linux/user_profile_location.h"
#include "sim_process.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ctime>
#include <iostream>
#include <memory>
#include <optional>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct FrameOptions {
    int width = 1000;
    int height = 1000;
    long frames = 2000;
    // Idle time before each frame, as the blocking loop waits between ticks:
    // frames then start with cold caches.
    long pauseMs = 0;
    std::string aircraftPath; // empty: standard offsets
    std::string layoutPath; // empty: the built-in layout
    bool compared() const { return !aircraftPath.empty() || !layoutPath.empty(); }
};

// The demo flight at sixty times real time: a run of a few seconds passes
// through most of its phases, so the frames see engines start, flaps move
// and messages come and go.
constexpr char const* kTimeScale = "60";

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double threadCpuMilliseconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The E/WD display with the two parts of its frame that are its own timed.
class TimedEwdDisplay final : public EwdDisplay {
public:
    using EwdDisplay::EwdDisplay;

    double lastAcquireMs = 0;
    double lastDrawMs = 0;

protected:
    void acquireData() override
    {
        Clock::time_point const start = Clock::now();
        EwdDisplay::acquireData();
        lastAcquireMs = millisecondsSince(start);
    }

    void draw() override
    {
        Clock::time_point const start = Clock::now();
        EwdDisplay::draw();
        lastDrawMs = millisecondsSince(start);
    }
};

bool parseFrameOptions(std::span<char const* const> args, FrameOptions& options)
{
    return readOptionPairs(args, [&](std::string_view name, std::string_view value) {
        if (name == "--size")
            return parseSize(value, options.width, options.height);
        if (name == "--frames")
            return parseBounded(value, 1, 10'000'000, options.frames);
        if (name == "--pause")
            return parseBounded(value, 0, 10'000, options.pauseMs);
        if (name == "--aircraft") {
            options.aircraftPath = value;
            return !value.empty();
        }
        if (name == "--layout") {
            options.layoutPath = value;
            return !value.empty();
        }
        return false;
    });
}

// Profile, unpacked layout and current directory all inside the private
// folder: the run reads the embedded default layout and the default window
// settings, whatever the user has.
bool enterPrivateFolder(std::string const& folder)
{
    return setenv("XDG_CONFIG_HOME", (folder + "/config").c_str(), 1) == 0
        && setenv("XDG_DATA_HOME", (folder + "/data").c_str(), 1) == 0 && chdir(folder.c_str()) == 0;
}

struct FrameSamples {
    std::vector<double> wallMs, cpuMs, acquireMs, drawMs, presentMs;

    explicit FrameSamples(std::size_t frames)
    {
        for (std::vector<double>* series : { &wallMs, &cpuMs, &acquireMs, &drawMs, &presentMs })
            series->reserve(frames);
    }
};

double peakResidentMiB()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kibibytes on Linux
}

void printFigures(FrameOptions const& options, std::string_view title, FrameSamples const& samples, double runSeconds,
    AllocationCount allocations)
{
    Spread const wall = spreadOf(samples.wallMs);
    Spread const cpu = spreadOf(samples.cpuMs);
    double const frames = static_cast<double>(options.frames);
    std::printf("frame %dx%d: %ld frames after the first, %s, tarnex-sim flying the demo at %sx",
        options.width, options.height, options.frames, std::string(title).c_str(), kTimeScale);
    if (options.pauseMs > 0)
        std::printf(", %ld ms idle before each", options.pauseMs);
    std::printf("\n");
    std::printf("  wall per frame:    median %.3f ms, 99th percentile %.3f ms\n", wall.median, wall.p99);
    std::printf("  frames per second: %.0f at the median, %.0f over the run (%.2f s, pauses included)\n",
        1000.0 / wall.median, frames / runSeconds, runSeconds);
    std::printf("  CPU per frame:     median %.3f ms, 99th percentile %.3f ms (this thread)\n", cpu.median, cpu.p99);
    std::printf("  parts, median:     acquire %.3f ms, draw %.3f ms, present %.3f ms\n", spreadOf(samples.acquireMs).median,
        spreadOf(samples.drawMs).median, spreadOf(samples.presentMs).median);
    std::printf("  allocations:       operator new %zu (%.2f a frame), malloc %zu (%.2f a frame)\n", allocations.operatorNew,
        static_cast<double>(allocations.operatorNew) / frames, allocations.malloc, static_cast<double>(allocations.malloc) / frames);
}

// One display and what its frames measured.
struct BenchedDisplay {
    HeadlessWindowHost window;
    FrontBufferBackend backend;
    PlatformServices services;
    TimedEwdDisplay display;
    FrameSamples samples;
    AllocationCount allocations {};
    double seconds = 0;

    BenchedDisplay(FrameOptions const& options, ProfileStore& profiles, IpcTransport& ipc, LayoutPlatform& layouts)
        : window({ options.width, options.height }, std::cerr)
        , services { window, backend, profiles, ipc, layouts, userProfilePath() }
        , display(services, services.userProfilePath, std::string(kProfileSection))
        , samples(static_cast<std::size_t>(options.frames))
    {
    }

    void frame(FrameOptions const& options)
    {
        if (options.pauseMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(options.pauseMs));
        AllocationCount const allocationsBefore = allocationsSoFar();
        double const cpuStart = threadCpuMilliseconds();
        Clock::time_point const start = Clock::now();
        display.paint();
        double const wallMs = millisecondsSince(start);
        samples.wallMs.push_back(wallMs);
        samples.cpuMs.push_back(threadCpuMilliseconds() - cpuStart);
        AllocationCount const made = allocationsSoFar() - allocationsBefore;
        allocations.operatorNew += made.operatorNew;
        allocations.malloc += made.malloc;
        seconds += wallMs / 1000.0 + static_cast<double>(options.pauseMs) / 1000.0;
        samples.acquireMs.push_back(display.lastAcquireMs);
        samples.drawMs.push_back(display.lastDrawMs);
        samples.presentMs.push_back(backend.lastPresentMs());
    }
};

// The first frame connects, reads the engine count and lays the page out.
bool startDisplay(BenchedDisplay& benched)
{
    if (!benched.display.createWindow(kWindowTitle, MenuCommand::AlwaysOnTop)) {
        std::cerr << "The display could not be created.\n";
        return false;
    }
    benched.display.paint();
    if (!benched.display.linkState().connected || benched.display.simulatorData().engineCount != 2) {
        std::cerr << "The display could not read the demo flight from tarnex-sim: " << benched.display.linkState().linkErrorText << ".\n";
        return false;
    }
    return true;
}

int runFrames(FrameOptions const& options, std::string const& folder)
{
    std::optional<AircraftSources> aircraft;
    if (!options.aircraftPath.empty()) {
        LoadedAircraftFile const loaded = loadAircraftFile(options.aircraftPath);
        if (!loaded.sources) {
            std::cerr << loaded.problems.front() << "\n";
            return 1;
        }
        aircraft = loaded.sources;
    }
    SimProcess sim;
    std::string error;
    if (!sim.start(buildTreeProgram("tools/sim/tarnex-sim"), { "--scenario", "demo", "--time-scale", kTimeScale }, folder,
            "UIPCMAIN", error)) {
        std::cerr << error << "\n";
        return 1;
    }
    IniProfileStore profiles;
    PosixIpcTransport ipc(folder);
    LinuxLayoutPlatform layouts;
    std::vector<std::unique_ptr<BenchedDisplay>> displays;
    displays.push_back(std::make_unique<BenchedDisplay>(options, profiles, ipc, layouts));
    if (options.compared()) {
        displays.push_back(std::make_unique<BenchedDisplay>(options, profiles, ipc, layouts));
        if (aircraft)
            displays.back()->display.useAircraftSources(*aircraft);
        if (!options.layoutPath.empty())
            displays.back()->display.useLayoutFile(options.layoutPath);
    }
    for (auto& benched : displays) {
        if (!startDisplay(*benched))
            return 1;
    }
    for (long frame = 0; frame < options.frames; ++frame) {
        for (auto& benched : displays)
            benched->frame(options);
    }
    for (auto& benched : displays) {
        if (!benched->display.linkState().connected) {
            std::cerr << "The link to tarnex-sim failed during the run: " << benched->display.linkState().linkErrorText << ".\n";
            return 1;
        }
    }
    printFigures(options, "built-in layout, standard offsets", displays[0]->samples, displays[0]->seconds, displays[0]->allocations);
    if (options.compared()) {
        std::string const title = (options.layoutPath.empty() ? std::string("built-in layout") : "layout " + options.layoutPath)
            + (options.aircraftPath.empty() ? std::string(", standard offsets") : ", aircraft file " + options.aircraftPath);
        printFigures(options, title, displays[1]->samples, displays[1]->seconds, displays[1]->allocations);
        std::printf("  compared: %.3f x the built-in frame median\n",
            spreadOf(displays[1]->samples.wallMs).median / spreadOf(displays[0]->samples.wallMs).median);
    }
    std::printf("  peak RSS:          %.1f MiB\n", peakResidentMiB());
    return 0;
}

} // namespace

int runFrameBench(std::span<char const* const> args)
{
    FrameOptions options;
    if (!parseFrameOptions(args, options)) {
        std::cerr << "Write the frame benchmark as: tarnex-bench frame [--size WxH] [--frames N] [--pause MS] [--aircraft FILE] [--layout FILE], "
                     "each side from 1 to 16384, N at least 1, MS from 0 to 10000.\n";
        return 2;
    }
    // Read from where the command was given, before the run moves away.
    for (std::string* path : { &options.aircraftPath, &options.layoutPath }) {
        if (!path->empty())
            *path = std::filesystem::absolute(*path).string();
    }
    BenchFolder folder;
    if (folder.path().empty() || !enterPrivateFolder(folder.path())) {
        std::cerr << "Cannot make a private folder in /tmp for the benchmark.\n";
        return 1;
    }
    return runFrames(options, folder.path());
}
