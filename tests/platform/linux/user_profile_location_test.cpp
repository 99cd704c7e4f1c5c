#include "platform/linux/user_profile_location.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(UserProfileLocation, LivesInTheXdgConfigFolderElseUnderHome)
{
    TempFolder folder;
    setenv("XDG_CONFIG_HOME", folder.file("config").c_str(), 1);
    EXPECT_EQ(userProfilePath(), folder.file("config") + "/tarnex/QuorvelEFIS.cfg");
    // A relative folder is not a valid XDG setting.
    setenv("XDG_CONFIG_HOME", "relative", 1);
    setenv("HOME", folder.path().c_str(), 1);
    EXPECT_EQ(userProfilePath(), folder.path() + "/.config/tarnex/QuorvelEFIS.cfg");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(userProfileFolder(), folder.path() + "/.config/tarnex");
}

TEST(UserProfileLocation, WithoutHomeTheHomeFolderComesFromThePasswordDatabase)
{
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("HOME");
    passwd const* const entry = getpwuid(getuid());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(userProfilePath(), std::string(entry->pw_dir) + "/.config/tarnex/QuorvelEFIS.cfg");
    setenv("HOME", "", 1);
    EXPECT_EQ(userProfileFolder(), std::string(entry->pw_dir) + "/.config/tarnex");
}

TEST(UserProfileLocation, TheFolderIsMadePrivateWhenMissing)
{
    TempFolder folder;
    setenv("XDG_CONFIG_HOME", folder.file("a/b").c_str(), 1);
    ASSERT_TRUE(makeUserProfileFolder());
    struct stat info {};
    ASSERT_EQ(stat(userProfileFolder().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_TRUE(makeUserProfileFolder());
}

} // namespace
