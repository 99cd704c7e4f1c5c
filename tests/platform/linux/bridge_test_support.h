#pragma once

// A tarnex-sim bridging a fake simulator on loopback, read through the
// display's own link and transport.

#include "platform/linux/posix_ipc_transport.h"
#include "sim/aircraft_file.h"
#include "sim/data_acquisition.h"
#include "sim/fsuipc_link.h"
#include "sim_process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdlib.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace bridge_test {

using namespace std::chrono_literals;

inline std::string buildDirectory()
{
    char const* fromEnvironment = std::getenv("TARNEX_BUILD_DIR");
    return fromEnvironment && *fromEnvironment ? fromEnvironment : TARNEX_BUILD_DIR;
}

inline std::string sourceDirectory()
{
    char const* fromEnvironment = std::getenv("TARNEX_SOURCE_DIR");
    return fromEnvironment && *fromEnvironment ? fromEnvironment : TARNEX_SOURCE_DIR;
}

inline std::string freshDirectory()
{
    char pattern[] = "/tmp/tarnex-bridge-XXXXXX";
    char const* made = mkdtemp(pattern);
    return made ? made : "";
}

// A shipped aircraft file, as the display reads it.
inline AircraftSources shippedAircraft(std::string const& name)
{
    LoadedAircraftFile loaded = loadAircraftFile(sourceDirectory() + "/aircraft/" + name);
    EXPECT_TRUE(loaded.sources) << loaded.problems.front();
    return loaded.sources.value_or(standardAircraftSources());
}

// Polls condition until it holds or timeout passes.
inline bool eventually(std::function<bool()> const& condition, std::chrono::milliseconds timeout = 30s)
{
    auto const deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

inline int occurrences(std::string const& text, std::string const& part)
{
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

// The display's side: a link to the bridge, and the bridge process with its
// stderr kept in a file.
class BridgeRun {
public:
    BridgeRun() = default;
    ~BridgeRun()
    {
        link.close();
        frameLink.close();
        sim.stop();
        std::filesystem::remove_all(directory);
    }

    // Starts tarnex-sim with arguments; false when it does not come up.
    bool start(std::vector<std::string> const& arguments, std::string& error)
    {
        // The child inherits stderr as it is at the moment it starts.
        std::fflush(stderr);
        int const saved = dup(STDERR_FILENO);
        int const file = open(stderrPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        dup2(file, STDERR_FILENO);
        close(file);
        bool const started
            = sim.start(SimProcess::programIn(buildDirectory()), arguments, directory, "UIPCMAIN", error);
        dup2(saved, STDERR_FILENO);
        close(saved);
        return started;
    }

    void stop() { sim.stop(); }

    // The value at offset, through a link opened when needed; 0 while the
    // bridge does not serve (it waits for its simulator), and the link is
    // opened again on the next read.
    template <typename T>
    T read(std::uint32_t offset)
    {
        T value {};
        FsuipcResult result = FsuipcResult::Okay;
        if (!link.isOpen() && !link.open(0, result))
            return T {};
        if (!link.read(offset, sizeof value, &value, result) || !link.process(result)) {
            link.close();
            return T {};
        }
        return value;
    }

    // One frame of a display that keeps its link up by itself, trying again
    // every few milliseconds: no key press, no restart.
    LinkState const& frame()
    {
        frames.acquire(frameState);
        return frameState;
    }
    SimData const& frameData() const { return framedData; }

    // Two frames of the display's acquisition, the second with engine values;
    // the named values where sources say, as with tarnex --aircraft.
    SimData acquire(AircraftSources const& sources = standardAircraftSources())
    {
        SimData data;
        DataAcquisition acquisition(link, data);
        acquisition.setAircraftSources(sources);
        LinkState state;
        state.connected = link.isOpen();
        acquisition.acquire(state);
        acquisition.acquire(state);
        return data;
    }

    // The draw log of the real display's snapshot of what the bridge serves,
    // taken with the display's arguments; empty when it fails.
    std::string drawnPage(std::vector<std::string> const& arguments) const
    {
        std::string command = "FSUIPC_IPC_DIR='" + directory + "' XDG_CONFIG_HOME='" + directory + "/config' '" + buildDirectory()
            + "/src/platform/linux/tarnex' --snapshot '" + file("page.png") + "' --draw-log '" + file("page.log") + "'";
        for (std::string const& argument : arguments)
            command += " '" + argument + "'";
        if (std::system((command + " 2>/dev/null").c_str()) != 0)
            return {};
        std::ifstream log(file("page.log"));
        std::ostringstream text;
        text << log.rdbuf();
        return text.str();
    }

    std::string errors() const
    {
        std::ifstream file(stderrPath());
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

    std::string file(std::string const& name) const { return directory + "/" + name; }

private:
    std::string stderrPath() const { return directory + "/stderr.txt"; }

    std::string directory = freshDirectory();
    PosixIpcTransport transport { directory };
    FsuipcLink link { transport, FsuipcTiming { 2000ms, 9, 5ms, 1ms } };
    FsuipcLink frameLink { transport, FsuipcTiming { 2000ms, 9, 5ms, 1ms } };
    SimData framedData;
    LinkState frameState;
    DataAcquisition frames { frameLink, framedData, ConnectionTiming { 10ms, 10ms } };
    SimProcess sim;
};

} // namespace bridge_test
