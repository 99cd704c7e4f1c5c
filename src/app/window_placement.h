#pragma once

#include "app/window_host.h"

#include <span>

// Brings a window geometry read from the user profile onto the screens that
// exist now: the profile is edited by hand and by other programs, and
// monitors come and go between runs. Every host takes the result as it is.
//
// workAreas holds each monitor's work area, the primary monitor first. A
// window that would not show a usable part (kUsableWidth x kUsableHeight, or
// all of a smaller window) on any one monitor comes up at the primary
// monitor's top-left corner. It is judged at its saved size, and only then is
// its size held to at least kUsableWidth x kUsableHeight and at most the area
// all monitors span (kMaxWindowSide with no monitors known), so that a small
// window at a screen's right or bottom edge stays where it was. "Use default"
// values stay as they are; with no monitors known the position does too.
inline constexpr int kUsableWidth = 64;
inline constexpr int kUsableHeight = 32;
inline constexpr int kMaxWindowSide = 16384;

WindowGeometry placeOnScreens(WindowGeometry const& saved, std::span<WindowRect const> workAreas);
