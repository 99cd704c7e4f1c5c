#include "platform/win32/user_profile_location.h"

#include <array>

#include <shlobj.h>
#include <windows.h>

namespace {

constexpr char const* kProfileName = "QuorvelEFIS.cfg";
constexpr char const* kProfileFolder = "Tarnex";

std::string shellFolder(int folderId)
{
    char path[MAX_PATH] = {};
    if (SHGetFolderPathA(nullptr, folderId, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK)
        return {};
    return path;
}

std::string profileFolder()
{
    std::string const appData = shellFolder(CSIDL_APPDATA);
    return appData.empty() ? std::string() : appData + "\\" + kProfileFolder;
}

bool fileExists(std::string const& path)
{
    DWORD const attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Where earlier versions' profile is, most recent first. Windows redirected
// the writes of a 32-bit program without a manifest into the user's
// VirtualStore, and served reads from there when the copy existed.
std::array<std::string, 2> oldProfilePaths()
{
    char windows[MAX_PATH] = {};
    UINT const length = GetWindowsDirectoryA(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    std::string const windowsFolder = windows;
    std::string const localAppData = shellFolder(CSIDL_LOCAL_APPDATA);
    // "C:\Windows" is mirrored as "<LocalAppData>\VirtualStore\Windows".
    std::string const withoutDrive = windowsFolder.size() > 2 && windowsFolder[1] == ':' ? windowsFolder.substr(2) : windowsFolder;
    std::string virtualStore;
    if (!localAppData.empty())
        virtualStore = localAppData + "\\VirtualStore" + withoutDrive + "\\" + kProfileName;
    return { virtualStore, windowsFolder + "\\" + kProfileName };
}

} // namespace

std::string userProfilePath()
{
    std::string const folder = profileFolder();
    return folder.empty() ? std::string() : folder + "\\" + kProfileName;
}

void prepareUserProfile()
{
    std::string const folder = profileFolder();
    if (folder.empty())
        return;
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string const profile = userProfilePath();
    if (fileExists(profile))
        return;
    for (std::string const& old : oldProfilePaths()) {
        if (!old.empty() && fileExists(old)) {
            // Never overwrites: a profile made meanwhile wins.
            CopyFileA(old.c_str(), profile.c_str(), TRUE);
            return;
        }
    }
}
