#pragma once

#include "app/application.h"
#include "app/command_line.h"

#include <ostream>

class OffscreenBackend;

// What the snapshot takes from the platform besides an off-screen buffer.
struct SnapshotPorts {
    ProfileStore& profiles;
    IpcTransport& ipc;
    LayoutPlatform& layouts;
    OffscreenBackend& offscreen;
    std::string userProfilePath;
};

// The display's real pipeline without a window: the layout is loaded, then
// each of the frames connects, acquires and draws into the off-screen buffer.
// The last frame is written as PNG and, when asked, its drawing calls as a
// draw log. The user profile is read, never written. Problems go to errors as
// one sentence each, and so does a last frame with no simulator data (the
// not-connected page), which still succeeds; returns the process exit code.
int runSnapshot(SnapshotOptions const&, SnapshotPorts const&, DisplayFactory const&, std::ostream& errors);
