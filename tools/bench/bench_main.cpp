#include "bench_commands.h"

#include <cstring>
#include <iostream>

namespace {

struct Subcommand {
    char const* name;
    BenchCommand run;
    char const* usage;
};

constexpr Subcommand kSubcommands[] = {
    { "ipc", runIpcBench, "ipc [--requests N]   round trip of the 40-request frame batch against tarnex-sim" },
    { "frame", runFrameBench, "frame [--size WxH] [--frames N] [--pause MS] [--aircraft FILE] [--layout FILE]   whole frames of the built-in layout, off screen; with an option, beside a display that uses it" },
    { "blocking", runBlockingBench, "blocking [--seconds S] [--period MS] [--size WxH] [--at S]   CPU of the tarnex window's timer loop" },
};

int usage(std::ostream& out, int status)
{
    out << "Usage: tarnex-bench SUBCOMMAND [OPTION]...\n";
    for (Subcommand const& subcommand : kSubcommands)
        out << "  tarnex-bench " << subcommand.usage << "\n";
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage(std::cerr, 2);
    if (std::strcmp(argv[1], "--help") == 0)
        return usage(std::cout, 0);
    for (Subcommand const& subcommand : kSubcommands) {
        if (std::strcmp(argv[1], subcommand.name) == 0)
            return subcommand.run(std::span<char const* const>(argv + 2, argc - 2));
    }
    std::cerr << "Unknown subcommand " << argv[1] << "; see tarnex-bench --help.\n";
    return 2;
}
