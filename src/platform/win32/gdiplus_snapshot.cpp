#include "platform/win32/gdiplus_snapshot.h"

#include "app/snapshot.h"
#include "platform/win32/display_factory.h"
#include "platform/win32/console_output.h"
#include "platform/win32/gdiplus_bitmap_buffer.h"
#include "platform/win32/gdiplus_fonts.h"
#include "platform/win32/gdiplus_session.h"
#include "platform/win32/user_profile_location.h"
#include "platform/win32/win32_ipc_transport.h"
#include "platform/win32/win32_layout_platform.h"
#include "platform/win32/win32_profile_store.h"

#include <sstream>

int runWin32Snapshot(HINSTANCE instance, SnapshotOptions const& options)
{
    std::ostringstream errors;
    int exitCode = 0;
    {
        GdiplusSession const gdiplus;
        GdiplusFontFactory fonts;
        GdiplusBitmapBuffer bitmap(fonts);
        Win32ProfileStore profiles;
        Win32IpcTransport ipc;
        Win32LayoutPlatform layouts(instance);
        SnapshotPorts const ports { profiles, ipc, layouts, bitmap, userProfilePath() };
        exitCode = runSnapshot(options, ports, makeEwdDisplay, errors);
    }
    writeStandardError(errors.str());
    return exitCode;
}
