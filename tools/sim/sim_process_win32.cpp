#include "sim_process.h"

#include <windows.h>

namespace {

constexpr DWORD kPollStep = 5;

HANDLE handleOf(std::intptr_t process)
{
    return reinterpret_cast<HANDLE>(process);
}

// The server window of class windowClass that belongs to process id, if any.
HWND serverWindowOf(DWORD processId, std::string const& windowClass)
{
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, windowClass.c_str(), nullptr))) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId)
            return window;
    }
    return nullptr;
}

BOOL CALLBACK closeWindowOfProcess(HWND window, LPARAM processId)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == static_cast<DWORD>(processId))
        PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

std::string quoted(std::string const& argument)
{
    if (argument.find_first_of(" \t\"") == std::string::npos)
        return argument;
    std::string result(1, '"');
    result.append(argument).push_back('"');
    return result;
}

} // namespace

SimProcess::~SimProcess()
{
    stop();
    if (process)
        CloseHandle(handleOf(process));
}

// A Unix build path (a Wine run of a cross build) is reached through drive Z:.
std::string SimProcess::programIn(std::string const& buildDirectory)
{
    std::string path = buildDirectory.starts_with("/") ? std::string("Z:") : std::string();
    return path.append(buildDirectory).append("/tools/sim/tarnex-sim.exe");
}

bool SimProcess::start(std::string const& program, std::vector<std::string> const& arguments, std::string const&,
    std::string const& windowClass, std::string& error)
{
    std::string commandLine = quoted(program);
    for (std::string const& argument : arguments)
        commandLine.append(" ").append(quoted(argument));
    STARTUPINFOA startup {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created {};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
            &created)) {
        error = "Cannot start " + program + " (error " + std::to_string(GetLastError()) + ").";
        return false;
    }
    CloseHandle(created.hThread);
    if (process)
        CloseHandle(handleOf(process));
    process = reinterpret_cast<std::intptr_t>(created.hProcess);
    exited = false;
    for (DWORD waited = 0; waited < 20000; waited += kPollStep) {
        if (serverWindowOf(created.dwProcessId, windowClass))
            return true;
        if (waitForExit(std::chrono::milliseconds(0)) >= 0) {
            error = program + " exited with status " + std::to_string(exitStatus) + " before serving.";
            return false;
        }
        Sleep(kPollStep);
    }
    error = program + " did not start serving within 20 seconds.";
    stop();
    return false;
}

int SimProcess::waitForExit(std::chrono::milliseconds timeout)
{
    if (!process || exited)
        return exitStatus;
    if (WaitForSingleObject(handleOf(process), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
        return -1;
    DWORD status = 0;
    GetExitCodeProcess(handleOf(process), &status);
    exited = true;
    exitStatus = static_cast<int>(status);
    return exitStatus;
}

// A hung server cannot take WM_CLOSE; it is terminated after a short wait.
void SimProcess::stop()
{
    if (!process || exited)
        return;
    EnumWindows(closeWindowOfProcess, static_cast<LPARAM>(GetProcessId(handleOf(process))));
    if (waitForExit(std::chrono::seconds(2)) < 0) {
        TerminateProcess(handleOf(process), 1);
        waitForExit(std::chrono::seconds(5));
    }
}
