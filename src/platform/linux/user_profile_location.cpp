#include "platform/linux/user_profile_location.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// $HOME, else the home directory the password database gives the user
// (a service or a cron job may run without HOME); empty when neither is known.
std::string homeFolder()
{
    char const* const home = std::getenv("HOME");
    if (home && home[0] == '/')
        return home;
    if (passwd const* const entry = getpwuid(getuid()); entry && entry->pw_dir && entry->pw_dir[0] == '/')
        return entry->pw_dir;
    return {};
}

std::string configHome()
{
    char const* const configured = std::getenv("XDG_CONFIG_HOME");
    if (configured && configured[0] == '/')
        return configured;
    std::string const home = homeFolder();
    return home.empty() ? std::string() : home + "/.config";
}

} // namespace

std::string userProfileFolder()
{
    std::string const config = configHome();
    return config.empty() ? std::string() : config + "/tarnex";
}

std::string userProfilePath()
{
    std::string const folder = userProfileFolder();
    return folder.empty() ? std::string() : folder + "/QuorvelEFIS.cfg";
}

bool makeUserProfileFolder()
{
    std::string const folder = userProfileFolder();
    if (folder.empty())
        return false;
    std::error_code error;
    if (std::filesystem::is_directory(folder, error))
        return true;
    std::filesystem::create_directories(configHome(), error);
    return ::mkdir(folder.c_str(), 0700) == 0 || std::filesystem::is_directory(folder, error);
}
