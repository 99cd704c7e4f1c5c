#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// A program a benchmark starts and watches: Xvfb, tarnex. It is ended
// (SIGTERM, then SIGKILL if it lingers) when the object goes.
class SpawnedProgram {
public:
    struct Options {
        std::vector<std::string> arguments;
        // NAME=VALUE entries added to this process's environment, replacing
        // entries of the same name.
        std::vector<std::string> environment;
        std::string directory; // working directory; empty keeps ours
        std::string outputFile; // standard output and error; empty is /dev/null
        int descriptor3 = -1; // handed to the program as its descriptor 3
    };

    SpawnedProgram() = default;
    ~SpawnedProgram();
    SpawnedProgram(SpawnedProgram const&) = delete;
    SpawnedProgram& operator=(SpawnedProgram const&) = delete;

    // False, with error set to one sentence, when it cannot be started.
    bool start(std::string const& program, Options const& options, std::string& error);
    pid_t pid() const { return m_pid; }
    bool running();
    void stop();

private:
    pid_t m_pid = -1;
};

// User plus system CPU time of a process and all its threads, in seconds;
// negative when the process is gone.
double processCpuSeconds(pid_t pid);

// The peak resident size of a process (VmHWM) in KiB; 0 when unknown.
long peakResidentKiB(pid_t pid);
