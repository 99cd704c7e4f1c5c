#include "child_process.h"

namespace {

std::string quoted(std::string const& argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos)
        return argument;
    std::string result = "\"";
    for (char const c : argument) {
        if (c == '"')
            result += '\\';
        result += c;
    }
    return result + "\"";
}

} // namespace

std::string commandLineOf(std::string const& program, std::vector<std::string> const& arguments)
{
    std::string line = quoted(program);
    for (std::string const& argument : arguments)
        line += " " + quoted(argument);
    return line;
}

ChildProcess::~ChildProcess()
{
    terminate();
}

bool ChildProcess::start(std::string const& program, std::vector<std::string> const& arguments, std::string const& desktop,
    std::string const& directory)
{
    std::string commandLine = commandLineOf(program, arguments);
    std::string desktopName = desktop;
    STARTUPINFOA startup {};
    startup.cb = sizeof startup;
    startup.lpDesktop = desktopName.empty() ? nullptr : desktopName.data();
    PROCESS_INFORMATION created {};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
            directory.empty() ? nullptr : directory.c_str(), &startup, &created))
        return false;
    CloseHandle(created.hThread);
    m_process = created.hProcess;
    m_id = created.dwProcessId;
    return true;
}

std::optional<DWORD> ChildProcess::waitForExit(DWORD timeoutMs)
{
    if (m_process == nullptr || WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(m_process, &code);
    return code;
}

void ChildProcess::terminate()
{
    if (m_process == nullptr)
        return;
    if (WaitForSingleObject(m_process, 0) != WAIT_OBJECT_0) {
        TerminateProcess(m_process, 1);
        WaitForSingleObject(m_process, 5000);
    }
    CloseHandle(m_process);
    m_process = nullptr;
}
