#include "config/regular_file.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <windows.h>

namespace {

class Handle {
public:
    explicit Handle(HANDLE handle)
        : m_handle(handle)
    {
    }
    ~Handle()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            CloseHandle(m_handle);
    }
    Handle(Handle const&) = delete;
    Handle& operator=(Handle const&) = delete;
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};

}

RegularFileRead readRegularFile(std::string const& path, std::size_t limit, std::string& bytes)
{
    // Full sharing: an editor that writes a new file and renames it over this
    // one must not fail because it is being read.
    Handle const file(CreateFileW(std::filesystem::path(path).c_str(), GENERIC_READ,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        DWORD const error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? RegularFileRead::Missing
                                                                              : RegularFileRead::Failed;
    }
    if (GetFileType(file.get()) != FILE_TYPE_DISK)
        return RegularFileRead::NotRegular;
    bytes.clear();
    std::array<char, 16384> chunk;
    for (;;) {
        DWORD count = 0;
        if (!ReadFile(file.get(), chunk.data(), static_cast<DWORD>(chunk.size()), &count, nullptr))
            return RegularFileRead::Failed;
        if (count == 0)
            return RegularFileRead::Read;
        std::size_t const kept = std::min<std::size_t>(count, limit - bytes.size());
        bytes.append(chunk.data(), kept);
        if (kept < count)
            return RegularFileRead::TooLarge;
    }
}
