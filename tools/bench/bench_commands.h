#pragma once

#include <span>

// One tarnex-bench subcommand: its arguments after the subcommand's name;
// returns the exit status. Each lives in its own file.
using BenchCommand = int (*)(std::span<char const* const> args);

// tarnex-bench ipc [--requests N]: round trips of the display's frame batch
// against a tarnex-sim it starts itself.
int runIpcBench(std::span<char const* const> args);
