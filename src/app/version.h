#pragma once

#include <string_view>

// What every Tarnex program answers to --version; TARNEX_VERSION is the
// project version, set by the build.
constexpr std::string_view kVersionText = "Tarnex Version " TARNEX_VERSION;
