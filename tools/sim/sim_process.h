#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

// A tarnex-sim process started by a test or a benchmark; it is stopped when
// this object goes.
class SimProcess {
public:
    SimProcess() = default;
    ~SimProcess();
    SimProcess(SimProcess const&) = delete;
    SimProcess& operator=(SimProcess const&) = delete;

    // The tarnex-sim of the build tree buildDirectory.
    static std::string programIn(std::string const& buildDirectory);

    // Starts program with arguments, serving in ipcDirectory (where the Linux
    // transport meets; unused on Windows), and waits until its server of
    // windowClass can be reached. False, with error set, when it exits or
    // does not come up within a few seconds.
    bool start(std::string const& program, std::vector<std::string> const& arguments,
        std::string const& ipcDirectory, std::string const& windowClass, std::string& error);

    // Asks the server to stop and waits for it; kills it if it will not.
    void stop();

    // Waits up to timeout for the process to end by itself: its exit status,
    // or -1 if it is still running.
    int waitForExit(std::chrono::milliseconds timeout);

private:
    std::intptr_t process = 0; // a process id on Linux, a process handle on Windows
    bool exited = false;
    int exitStatus = -1;
};
