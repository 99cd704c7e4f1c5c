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
    // Where the user profile "QuorvelEFIS.cfg" lives: a path in the user's
    // own folders on every system.
    std::string userProfilePath;
};
