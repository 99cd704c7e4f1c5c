// run_on_private_desktop --server CLASS SERVER [ARGS...] -- PROGRAM [ARGS...]
//
// Starts SERVER on a desktop of its own, waits until its window of class
// CLASS is up, runs PROGRAM on the same desktop and waits for it, then stops
// the server. Exits with PROGRAM's exit code. A simulator stand-in started
// this way is seen only by the program run beside it, so script tests under
// Wine do not meet each other's servers.

#include "child_process.h"
#include "private_desktop.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr DWORD kServerStartMs = 20000;
constexpr DWORD kProgramMs = 120000;
constexpr int kUsageError = 2;

int fail(char const* sentence)
{
    std::fprintf(stderr, "%s\n", sentence);
    return kUsageError;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> const arguments(argv + 1, argv + argc);
    std::size_t separator = 0;
    while (separator < arguments.size() && arguments[separator] != "--")
        ++separator;
    if (arguments.size() < 3 || arguments[0] != "--server" || separator < 3 || separator + 1 >= arguments.size())
        return fail("Usage: run_on_private_desktop --server CLASS SERVER [ARGS...] -- PROGRAM [ARGS...]");

    std::string const& windowClass = arguments[1];
    std::vector<std::string> const serverArguments(arguments.begin() + 3, arguments.begin() + static_cast<long>(separator));
    std::vector<std::string> const programArguments(arguments.begin() + static_cast<long>(separator) + 2, arguments.end());

    PrivateDesktop const desktop;
    if (!desktop.created())
        return fail("Cannot create a private desktop.");
    ChildProcess server;
    if (!server.start(arguments[2], serverArguments, desktop.name()))
        return fail("Cannot start the server program.");
    if (!desktop.waitForWindowOfClass(windowClass, server.id(), kServerStartMs))
        return fail("The server did not open its window in time.");

    ChildProcess program;
    if (!program.start(arguments[separator + 1], programArguments, desktop.name()))
        return fail("Cannot start the program.");
    std::optional<DWORD> const exitCode = program.waitForExit(kProgramMs);
    if (!exitCode)
        return fail("The program did not finish in time.");
    return static_cast<int>(*exitCode);
}
