// The cost of the blocking loop: the real tarnex program, its window on a
// private Xvfb, redrawing on its timer while a tarnex-sim flies the demo.
// Its CPU time is read from /proc over the measured seconds, and the frames
// that reached the screen are counted through the X DAMAGE extension.

#include "bench_commands.h"
#include "bench_folder.h"
#include "bench_options.h"
#include "screen_updates.h"
#include "spawned_program.h"

#include "sim_process.h"

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <poll.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

struct BlockingOptions {
    long seconds = 30;
    long periodMs = 100;
    int width = 1000;
    int height = 1000;
    // Where in the demo flight the run starts, in seconds; by default the
    // take-off roll: engines at power, needles and flaps moving.
    long atSecond = 256;
};

// Time for the window to come up, connect and settle before measuring.
constexpr auto kWarmUp = std::chrono::seconds(3);

bool parseBlockingOptions(std::span<char const* const> args, BlockingOptions& options)
{
    return readOptionPairs(args, [&](std::string_view name, std::string_view value) {
        if (name == "--seconds")
            return parseBounded(value, 1, 3600, options.seconds);
        if (name == "--period")
            return parseBounded(value, 1, 10'000, options.periodMs);
        if (name == "--size")
            return parseSize(value, options.width, options.height);
        if (name == "--at")
            return parseBounded(value, 0, 100'000, options.atSecond);
        return false;
    });
}

// The saved settings the program starts from: the period, the window filling
// WxH at the screen's corner, no menu bar (a cockpit display shows none).
bool writeUserProfile(std::string const& folder, BlockingOptions const& options)
{
    std::filesystem::path const profileFolder = std::filesystem::path(folder) / "config" / "tarnex";
    std::error_code error;
    std::filesystem::create_directories(profileFolder, error);
    std::ofstream out(profileFolder / "QuorvelEFIS.cfg");
    out << "[ExternalEWD]\nTimerPeriod=" << options.periodMs << "\nWindowPosX=0\nWindowPosY=0\nWindowWidth=" << options.width
        << "\nWindowHeight=" << options.height << "\nMenuVisible=0\n";
    return static_cast<bool>(out);
}

// Starts Xvfb on a display number it picks itself; returns ":N", or empty.
std::string startXvfb(SpawnedProgram& xvfb, BlockingOptions const& options, std::string& error)
{
    int channel[2];
    if (pipe2(channel, O_CLOEXEC) != 0) {
        error = "Cannot make a pipe for Xvfb.";
        return {};
    }
    std::string const screen = std::to_string(std::max(options.width, 1280)) + "x" + std::to_string(std::max(options.height, 1024)) + "x24";
    SpawnedProgram::Options spawn;
    spawn.arguments = { "-displayfd", "3", "-screen", "0", screen, "-nolisten", "tcp" };
    spawn.descriptor3 = channel[1];
    bool const started = xvfb.start("Xvfb", spawn, error);
    close(channel[1]);
    std::string number;
    pollfd readable { channel[0], POLLIN, 0 };
    while (started && poll(&readable, 1, 10'000) > 0) {
        char c = 0;
        if (read(channel[0], &c, 1) != 1 || c == '\n')
            break;
        number += c;
    }
    close(channel[0]);
    if (started && number.empty())
        error = "Xvfb did not tell its display number within 10 seconds.";
    return number.empty() ? std::string() : ":" + number;
}

struct Measurement {
    double seconds = 0;
    double tarnexCpu = 0;
    double xvfbCpu = 0;
    long frames = 0;
    long tarnexPeakKiB = 0;
};

void printMeasurement(BlockingOptions const& options, Measurement const& m)
{
    double const percent = 100.0 * m.tarnexCpu / m.seconds;
    std::printf("blocking: tarnex in a %dx%d window without menu on a private Xvfb, TimerPeriod %ld ms, "
                "tarnex-sim flying the demo from %ld s\n",
        options.width, options.height, options.periodMs, options.atSecond);
    std::printf("  measured:          %.1f s after %lld s of warm-up\n", m.seconds,
        static_cast<long long>(std::chrono::duration_cast<std::chrono::seconds>(kWarmUp).count()));
    std::printf("  tarnex CPU:        %.2f %% of one core (%.2f s user+system, /proc/PID/stat)\n", percent, m.tarnexCpu);
    double const ticks = m.seconds * 1000.0 / static_cast<double>(options.periodMs);
    std::printf("  frames shown:      %ld (%.1f a second, of the %.1f ticks a second of the period: a tick that "
                "changes nothing on the page sends nothing)\n",
        m.frames, static_cast<double>(m.frames) / m.seconds, 1000.0 / static_cast<double>(options.periodMs));
    std::printf("  tarnex CPU/tick:   %.3f ms\n", 1000.0 * m.tarnexCpu / ticks);
    std::printf("  Xvfb CPU:          %.2f %% of one core (the X server putting the frames on its screen)\n",
        100.0 * m.xvfbCpu / m.seconds);
    std::printf("  tarnex peak RSS:   %.1f MiB (VmHWM)\n", static_cast<double>(m.tarnexPeakKiB) / 1024.0);
}

int runBlocking(BlockingOptions const& options, std::string const& folder)
{
    std::string error;
    if (!writeUserProfile(folder, options)) {
        std::cerr << "Cannot write the benchmark's user profile in " << folder << ".\n";
        return 1;
    }
    SpawnedProgram xvfb;
    std::string const display = startXvfb(xvfb, options, error);
    if (display.empty()) {
        std::cerr << error << " The blocking benchmark needs Xvfb.\n";
        return 1;
    }
    SimProcess sim;
    if (!sim.start(buildTreeProgram("tools/sim/tarnex-sim"), { "--scenario", "demo", "--at", std::to_string(options.atSecond) }, folder, "UIPCMAIN", error)) {
        std::cerr << error << "\n";
        return 1;
    }
    ScreenUpdates updates;
    if (!updates.open(display, error)) {
        std::cerr << error << "\n";
        return 1;
    }
    SpawnedProgram tarnex;
    SpawnedProgram::Options spawn;
    spawn.environment = { "DISPLAY=" + display, "FSUIPC_IPC_DIR=" + folder, "XDG_CONFIG_HOME=" + folder + "/config",
        "XDG_DATA_HOME=" + folder + "/data", "NO_AT_BRIDGE=1" };
    spawn.directory = folder;
    spawn.outputFile = folder + "/tarnex.log";
    if (!tarnex.start(buildTreeProgram("src/platform/linux/tarnex"), spawn, error)) {
        std::cerr << error << "\n";
        return 1;
    }

    auto const gap = std::chrono::milliseconds(std::max(1L, std::min(20L, options.periodMs / 2)));
    if (updates.countUntil(Clock::now() + kWarmUp, gap) == 0 || !tarnex.running()) {
        std::cerr << "tarnex showed nothing on the screen within the warm-up; its output was:\n"
                  << std::ifstream(spawn.outputFile).rdbuf() << "\n";
        return 1;
    }
    Measurement m;
    double const tarnexStart = processCpuSeconds(tarnex.pid());
    double const xvfbStart = processCpuSeconds(xvfb.pid());
    Clock::time_point const start = Clock::now();
    m.frames = updates.countUntil(start + std::chrono::seconds(options.seconds), gap);
    m.tarnexCpu = processCpuSeconds(tarnex.pid()) - tarnexStart;
    m.xvfbCpu = processCpuSeconds(xvfb.pid()) - xvfbStart;
    m.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    m.tarnexPeakKiB = peakResidentKiB(tarnex.pid());
    if (!tarnex.running()) {
        std::cerr << "tarnex ended during the measurement.\n";
        return 1;
    }
    printMeasurement(options, m);
    return 0;
}

} // namespace

int runBlockingBench(std::span<char const* const> args)
{
    BlockingOptions options;
    if (!parseBlockingOptions(args, options)) {
        std::cerr << "Write the blocking benchmark as: tarnex-bench blocking [--seconds S] [--period MS] [--size WxH] [--at S], "
                     "--seconds from 1 to 3600, MS from 1 to 10000, --at from 0 to 100000.\n";
        return 2;
    }
    BenchFolder folder;
    if (folder.path().empty()) {
        std::cerr << "Cannot make a private folder in /tmp for the benchmark.\n";
        return 1;
    }
    return runBlocking(options, folder.path());
}
