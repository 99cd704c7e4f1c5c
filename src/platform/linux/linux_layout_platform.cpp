#include "platform/linux/linux_layout_platform.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

// Generated at build time from the packed layouts/a320cfm.ini.
extern unsigned char const kEmbeddedLayout[];
extern std::size_t const kEmbeddedLayoutSize;

namespace {

// XDG: a relative $XDG_DATA_HOME is invalid and ignored.
std::string dataHome()
{
    if (char const* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0] == '/')
        return xdg;
    char const* home = std::getenv("HOME");
    if (!home || !*home) {
        passwd const* user = getpwuid(getuid());
        home = user ? user->pw_dir : nullptr;
    }
    return home && *home ? std::string(home) + "/.local/share" : std::string();
}

// mkdir -p with mode 0700 for every folder it makes.
bool makeFolders(std::string const& path)
{
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        std::string const prefix = path.substr(0, slash);
        if (mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            return true;
    }
}

// The unpacked layout is written here and read back, so nobody else may be
// able to put a file there.
bool isPrivateFolder(std::string const& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid()
        && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

}

LayoutPlatform::ResourceStatus LinuxLayoutPlatform::embeddedLayout(std::span<std::uint8_t const>& bytes)
{
    if (kEmbeddedLayoutSize == 0)
        return ResourceStatus::SizeZero;
    bytes = std::span<std::uint8_t const>(kEmbeddedLayout, kEmbeddedLayoutSize);
    return ResourceStatus::Ok;
}

std::string LinuxLayoutPlatform::appDataFolder()
{
    std::string const home = dataHome();
    if (home.empty())
        return {};
    std::string const folder = home + "/tarnex";
    if (!makeFolders(folder) || !isPrivateFolder(folder))
        return {};
    return folder;
}
