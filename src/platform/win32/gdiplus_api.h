#pragma once

// The GDI+ flat interface as this layer uses it: the Win32 headers it needs
// first, then GDI+ itself, with its flat functions brought into reach.
#include <windows.h>

#include <objidl.h> // left out by WIN32_LEAN_AND_MEAN, needed by GDI+

#include <gdiplus.h>

namespace gdip {
using namespace Gdiplus;
using namespace Gdiplus::DllExports;
}
