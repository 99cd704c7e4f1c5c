#pragma once

#include "app/window_host.h"

#include <span>

// Brings a window geometry read from the user profile onto the screens that
// exist now: the profile is edited by hand and by other programs, and
// monitors come and go between runs.
//
// workAreas holds each monitor's work area, the primary monitor first. A
// width or height larger than the area all monitors span is cut to it. A
// window that would not show a usable part (kUsableWidth x kUsableHeight, or
// all of a smaller window) on any one monitor comes up at the primary
// monitor's top-left corner. "Use default" values stay as they are; with no
// monitors known the geometry is returned unchanged.
inline constexpr int kUsableWidth = 64;
inline constexpr int kUsableHeight = 32;

WindowGeometry placeOnScreens(WindowGeometry const& saved, std::span<WindowRect const> workAreas);
