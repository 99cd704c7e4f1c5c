#pragma once

#include <optional>
#include <string>
#include <vector>

#include <windows.h>

// A program started by a test, optionally on a desktop of its own, ended
// (terminated if need be) when this object goes.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(ChildProcess const&) = delete;
    ChildProcess& operator=(ChildProcess const&) = delete;

    // program and arguments are quoted as needed; an empty desktop or
    // directory means the test's own.
    bool start(std::string const& program, std::vector<std::string> const& arguments, std::string const& desktop = {},
        std::string const& directory = {});

    DWORD id() const { return m_id; }
    // The exit code, or nothing when the program still runs after timeoutMs.
    std::optional<DWORD> waitForExit(DWORD timeoutMs);
    void terminate();

private:
    HANDLE m_process = nullptr;
    DWORD m_id = 0;
};

std::string commandLineOf(std::string const& program, std::vector<std::string> const& arguments);
