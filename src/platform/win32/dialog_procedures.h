#pragma once

#include <optional>

#include <windows.h>

// The modal Refresh Rate dialog (resource 131): a slider from 0 ("Fast") to
// 500 ms ("Slow") with a tick at 100, starting at position. Returns the
// slider position on OK, nothing on Cancel.
std::optional<int> runRefreshRateDialogBox(HINSTANCE instance, HWND owner, int position);

// The modal About box (resource 103).
void runAboutDialogBox(HINSTANCE instance, HWND owner);
