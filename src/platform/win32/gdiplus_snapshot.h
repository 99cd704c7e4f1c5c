#pragma once

#include "app/command_line.h"

#include <windows.h>

// tarnex.exe --snapshot: the display drawn by GDI+ into an off-screen bitmap,
// with the program's own resources, profile API and simulator link. Problems
// go to standard error; returns the process exit code.
int runWin32Snapshot(HINSTANCE instance, SnapshotOptions const&);
