#include "platform/win32/console_output.h"

#include <windows.h>

namespace {

bool usable(HANDLE handle)
{
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

HANDLE standardHandle(DWORD which)
{
    HANDLE handle = GetStdHandle(which);
    if (usable(handle))
        return handle;
    // A GUI program started from a console gets no handles of its own.
    static bool const attached = AttachConsole(ATTACH_PARENT_PROCESS) != 0;
    if (!attached)
        return nullptr;
    handle = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (!usable(handle))
        return nullptr;
    SetStdHandle(which, handle);
    return handle;
}

void writeAll(DWORD which, std::string_view text)
{
    HANDLE const handle = standardHandle(which);
    while (handle != nullptr && !text.empty()) {
        DWORD written = 0;
        if (!WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) || written == 0)
            return;
        text.remove_prefix(written);
    }
}

} // namespace

void writeStandardOutput(std::string_view text)
{
    writeAll(STD_OUTPUT_HANDLE, text);
}

void writeStandardError(std::string_view text)
{
    writeAll(STD_ERROR_HANDLE, text);
}
