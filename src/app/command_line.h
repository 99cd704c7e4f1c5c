#pragma once

#include <span>
#include <string>
#include <string_view>

#include "app/version.h"

// What `tarnex --snapshot` is to produce.
struct SnapshotOptions {
    static constexpr int kMaxSide = 8192;
    static constexpr int kMaxFrames = 100000;

    std::string pngPath;
    int width = 1000;
    int height = 1000;
    int frames = 3;
    std::string drawLogPath; // empty: no draw log
    std::string layoutPath; // empty: the usual layout
    std::string aircraftPath; // empty: the remembered aircraft file, if any
};

struct CommandLine {
    enum class Mode { Window, Snapshot, Help, Version };
    Mode mode = Mode::Window;
    // A layout file, plain or packed, read instead of the usual one; the
    // window reads it again whenever it is saved. Empty: none.
    std::string layoutPath;
    // An aircraft file whose sources the display reads, remembered for the
    // next start; "none" forgets it. Empty: the remembered one, if any.
    std::string aircraftPath;
    SnapshotOptions snapshot;
};

struct CommandLineResult {
    bool ok = false;
    CommandLine commandLine;
    std::string errorText; // one sentence, when not ok
};

// The arguments after the program name.
CommandLineResult parseCommandLine(std::span<std::string_view const> arguments);

// The text of --help.
std::string_view usageText();
