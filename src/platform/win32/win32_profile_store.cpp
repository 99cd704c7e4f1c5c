#include "platform/win32/win32_profile_store.h"

#include "config/ini_text.h"
#include "config/profile_write_rules.h"

#include <algorithm>
#include <limits>
#include <vector>
#include <windows.h>

std::string Win32ProfileStore::read(std::string const& file, std::string_view section, std::string_view key,
    std::string_view defaultText, std::size_t bufferSize)
{
    bufferSize = std::min<std::size_t>(bufferSize, std::numeric_limits<DWORD>::max());
    if (bufferSize == 0)
        return {};
    // No file at all (the user's folders unknown): the API would take the
    // empty name for a file in the Windows directory.
    if (file.empty())
        return profileResult(defaultText.substr(0, defaultText.find_last_not_of(' ') + 1), bufferSize);
    std::vector<char> buffer(bufferSize, '\0');
    GetPrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(), std::string(defaultText).c_str(),
        buffer.data(), static_cast<DWORD>(bufferSize), file.c_str());
    buffer.back() = '\0';
    return buffer.data();
}

bool Win32ProfileStore::write(std::string const& file, std::string_view section, std::string_view key, std::string_view value)
{
    if (!isWritableProfileEntry(file, section, key, value))
        return false;
    return WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(), std::string(value).c_str(),
               file.c_str())
        != FALSE;
}
