// Round trips of the display's frame batch (two engines: 40 reads) over the
// Linux transport, against a tarnex-sim flying the demo in real time.

#include "bench_commands.h"
#include "platform/linux/posix_ipc_transport.h"
#include "sim/data_acquisition.h"
#include "sim_process.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <string_view>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr long kWarmUp = 1000;

bool parseRequests(std::span<char const* const> args, long& requests)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (std::string_view(args[i]) != "--requests" || i + 1 == args.size())
            return false;
        char* end = nullptr;
        requests = std::strtol(args[++i], &end, 10);
        if (*end != '\0' || requests < 1)
            return false;
    }
    return true;
}

// tarnex-sim sits beside tarnex-bench in the build tree.
std::string simProgram()
{
    std::filesystem::path const self = std::filesystem::canonical("/proc/self/exe");
    return (self.parent_path().parent_path() / "sim" / "tarnex-sim").string();
}

double microseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::micro>(duration).count();
}

} // namespace

int runIpcBench(std::span<char const* const> args)
{
    long requests = 20000;
    if (!parseRequests(args, requests)) {
        std::cerr << "Write the ipc benchmark as: tarnex-bench ipc [--requests N], N at least 1.\n";
        return 2;
    }
    char pattern[] = "/tmp/tarnex-bench-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::cerr << "Cannot make a private directory in /tmp for the benchmark.\n";
        return 1;
    }
    std::string const directory = pattern;
    int status = 1;
    {
        SimProcess sim;
        std::string error;
        if (sim.start(simProgram(), {}, directory, "UIPCMAIN", error)) {
            PosixIpcTransport transport(directory);
            FsuipcLink link(transport);
            SimData data;
            DataAcquisition acquisition(link, data);
            LinkState state;
            // The first frame connects and reads the engine count; every
            // later frame is the 40-request batch.
            for (long i = 0; i < kWarmUp; ++i)
                acquisition.acquire(state);
            if (!state.connected || data.engineCount != 2) {
                std::cerr << "The benchmark could not read the demo flight from tarnex-sim: " << state.linkErrorText
                          << ".\n";
            } else {
                std::vector<double> trips(static_cast<std::size_t>(requests));
                for (double& trip : trips) {
                    Clock::time_point const start = Clock::now();
                    acquisition.readCycle(state);
                    trip = microseconds(Clock::now() - start);
                }
                std::sort(trips.begin(), trips.end());
                std::size_t const p99 = std::min(trips.size() - 1, trips.size() * 99 / 100);
                std::cout << std::fixed << std::setprecision(1) << "ipc: " << requests
                          << " round trips of the 40-request frame batch: median " << trips[trips.size() / 2]
                          << " us, 99th percentile " << trips[p99] << " us\n";
                status = 0;
            }
        } else {
            std::cerr << error << "\n";
        }
    }
    std::filesystem::remove_all(directory);
    return status;
}
