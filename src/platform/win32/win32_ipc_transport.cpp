#include "platform/win32/win32_ipc_transport.h"

#include <windows.h>

IpcTransport::ServerHandle Win32IpcTransport::findServer(char const* windowClass)
{
    return reinterpret_cast<ServerHandle>(FindWindowExA(nullptr, nullptr, windowClass, nullptr));
}

// A window handle holds nothing of ours.
void Win32IpcTransport::releaseServer(ServerHandle)
{
}

std::uint32_t Win32IpcTransport::registerMessage(char const* name)
{
    return RegisterWindowMessageA(name);
}

std::uint16_t Win32IpcTransport::addAtom(char const* name)
{
    return GlobalAddAtomA(name);
}

void Win32IpcTransport::deleteAtom(std::uint16_t atom)
{
    GlobalDeleteAtom(atom);
}

IpcTransport::MappingHandle Win32IpcTransport::createMapping(char const* name, std::size_t size)
{
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
        static_cast<DWORD>(size), name);
    // An existing mapping of that name would be shared with its owner: refuse it.
    if (mapping && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mapping);
        mapping = nullptr;
    }
    return reinterpret_cast<MappingHandle>(mapping);
}

std::byte* Win32IpcTransport::mapView(MappingHandle mapping, std::size_t size)
{
    return static_cast<std::byte*>(MapViewOfFile(reinterpret_cast<HANDLE>(mapping), FILE_MAP_WRITE, 0, 0, size));
}

void Win32IpcTransport::unmapView(std::byte* view, std::size_t)
{
    UnmapViewOfFile(view);
}

void Win32IpcTransport::closeMapping(MappingHandle mapping)
{
    CloseHandle(reinterpret_cast<HANDLE>(mapping));
}

IpcTransport::SendOutcome Win32IpcTransport::send(ServerHandle server, std::uint32_t message, std::uint16_t atom,
    std::chrono::milliseconds timeout)
{
    DWORD_PTR reply = 0;
    SetLastError(0);
    LRESULT const sent = SendMessageTimeoutA(reinterpret_cast<HWND>(server), message, atom, 0, SMTO_BLOCK,
        static_cast<UINT>(timeout.count()), &reply);
    if (sent)
        return { true, static_cast<std::uint32_t>(reply), 0 };
    DWORD const error = GetLastError();
    // Current Windows reports a timeout as ERROR_TIMEOUT; the link tells a
    // timeout from a failed send by a zero error.
    return { false, 0, error == ERROR_TIMEOUT ? 0u : static_cast<std::uint32_t>(error) };
}

void Win32IpcTransport::sleep(std::chrono::milliseconds duration)
{
    Sleep(static_cast<DWORD>(duration.count()));
}

std::uint32_t Win32IpcTransport::processId()
{
    return GetCurrentProcessId();
}
