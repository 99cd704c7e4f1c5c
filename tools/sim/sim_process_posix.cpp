#include "sim_process.h"

#include "platform/linux/unix_socket.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

constexpr auto kPollStep = std::chrono::milliseconds(5);

bool serverReachable(std::string const& socketPath)
{
    int error = 0;
    int const probe = connectUnixSocket(socketPath, false, error);
    if (probe >= 0)
        close(probe);
    return probe >= 0;
}

} // namespace

SimProcess::~SimProcess()
{
    stop();
}

std::string SimProcess::programIn(std::string const& buildDirectory)
{
    return buildDirectory + "/tools/sim/tarnex-sim";
}

bool SimProcess::start(std::string const& program, std::vector<std::string> const& arguments,
    std::string const& ipcDirectory, std::string const& windowClass, std::string& error)
{
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        if (std::strncmp(*entry, "FSUIPC_IPC_DIR=", 15) != 0)
            environment.emplace_back(*entry);
    }
    environment.push_back("FSUIPC_IPC_DIR=" + ipcDirectory);
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::vector<std::string> argumentCopies { program };
    argumentCopies.insert(argumentCopies.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : argumentCopies)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    if (int const failed = posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), envp.data())) {
        error = "Cannot start " + program + ": " + std::strerror(failed) + ".";
        return false;
    }
    process = pid;
    exited = false;
    std::string const socketPath = ipcDirectory + "/" + windowClass;
    for (auto waited = std::chrono::milliseconds(0); waited < std::chrono::seconds(10); waited += kPollStep) {
        if (serverReachable(socketPath))
            return true;
        if (waitForExit(std::chrono::milliseconds(0)) >= 0) {
            error = program + " exited with status " + std::to_string(exitStatus) + " before serving.";
            return false;
        }
        std::this_thread::sleep_for(kPollStep);
    }
    error = program + " did not start serving within 10 seconds.";
    stop();
    return false;
}

int SimProcess::waitForExit(std::chrono::milliseconds timeout)
{
    if (!process || exited)
        return exitStatus;
    auto const deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        int status = 0;
        if (waitpid(static_cast<pid_t>(process), &status, WNOHANG) == static_cast<pid_t>(process)) {
            exited = true;
            exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            return exitStatus;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void SimProcess::stop()
{
    if (!process || exited)
        return;
    kill(static_cast<pid_t>(process), SIGTERM);
    if (waitForExit(std::chrono::seconds(3)) < 0) {
        kill(static_cast<pid_t>(process), SIGKILL);
        waitForExit(std::chrono::seconds(3));
    }
}
