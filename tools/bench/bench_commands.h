#pragma once

#include <span>

// One tarnex-bench subcommand: its arguments after the subcommand's name;
// returns the exit status. Each lives in its own file.
using BenchCommand = int (*)(std::span<char const* const> args);

// tarnex-bench ipc [--requests N]: round trips of the display's frame batch
// against a tarnex-sim it starts itself.
int runIpcBench(std::span<char const* const> args);

// tarnex-bench frame [--size WxH] [--frames N] [--pause MS]: whole frames of
// the default layout into an off-screen buffer, against a tarnex-sim it
// starts itself.
int runFrameBench(std::span<char const* const> args);

// tarnex-bench blocking [--seconds S] [--period MS] [--size WxH]: the CPU the
// real tarnex window uses in its blocking loop, on a private Xvfb.
int runBlockingBench(std::span<char const* const> args);
