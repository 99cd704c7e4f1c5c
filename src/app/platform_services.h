#pragma once

#include <string>

class WindowHost;
class RenderBackend;
class ProfileStore;
class IpcTransport;
class LayoutPlatform;

// The ports a platform hands to the portable core.
struct PlatformServices {
    WindowHost& window;
    RenderBackend& render;
    ProfileStore& profiles;
    IpcTransport& ipc;
    LayoutPlatform& layouts;
    // Where the user profile "QuorvelEFIS.cfg" lives: the bare name on
    // Windows (the profile API resolves it), a per-user path elsewhere.
    std::string userProfilePath;
};
