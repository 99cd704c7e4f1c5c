#include "platform/linux/user_profile_location.h"

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

namespace {

std::string configHome()
{
    char const* const configured = std::getenv("XDG_CONFIG_HOME");
    if (configured && configured[0] == '/')
        return configured;
    char const* const home = std::getenv("HOME");
    return home && home[0] ? std::string(home) + "/.config" : std::string("/tmp");
}

} // namespace

std::string userProfileFolder()
{
    return configHome() + "/tarnex";
}

std::string userProfilePath()
{
    return userProfileFolder() + "/QuorvelEFIS.cfg";
}

bool makeUserProfileFolder()
{
    std::string const folder = userProfileFolder();
    std::error_code error;
    if (std::filesystem::is_directory(folder, error))
        return true;
    std::filesystem::create_directories(configHome(), error);
    return ::mkdir(folder.c_str(), 0700) == 0 || std::filesystem::is_directory(folder, error);
}
