// The Windows front end: a hidden top-level window of the server class that
// answers the registered message by opening the mapping named by the atom.

#include "sim_front_end.h"

#include "sim/fsuipc_link.h"

#include <atomic>
#include <chrono>
#include <iostream>
#include <windows.h>

namespace {

constexpr std::size_t kBlockSize = FsuipcLink::kBlockSize;
constexpr UINT_PTR kDurationTimer = 1;
constexpr UINT_PTR kTickTimer = 2;

SimServer* activeServer = nullptr;
UINT ipcMessage = 0;
HWND serverWindow = nullptr;
std::atomic<bool> stopRequested = false;
std::chrono::steady_clock::time_point stopTime = std::chrono::steady_clock::time_point::max();

// Holding on to the message is how a hung server looks to its clients; the
// wait ends when the process is told to stop.
void stayHung()
{
    while (!stopRequested && std::chrono::steady_clock::now() < stopTime)
        Sleep(20);
}

LRESULT answerRequest(ATOM atom)
{
    char name[256];
    if (!GlobalGetAtomNameA(atom, name, sizeof name))
        return SimServer::kNotProcessed;
    HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, name);
    if (!mapping)
        return SimServer::kNotProcessed;
    // Mapping a whole block fails when the client's object is smaller.
    void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, kBlockSize);
    std::optional<std::uint32_t> reply = SimServer::kNotProcessed;
    if (view) {
        reply = activeServer->answer(std::span(static_cast<std::byte*>(view), kBlockSize));
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
    if (!reply)
        stayHung();
    return reply.value_or(SimServer::kNotProcessed);
}

LRESULT CALLBACK serverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == ipcMessage && ipcMessage != 0)
        return answerRequest(static_cast<ATOM>(wParam));
    switch (message) {
    case WM_TIMER:
        if (wParam == kTickTimer) {
            activeServer->tick(std::chrono::steady_clock::now());
            return 0;
        }
        DestroyWindow(window);
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

BOOL WINAPI onConsoleStop(DWORD)
{
    stopRequested = true;
    PostMessageA(serverWindow, WM_CLOSE, 0, 0);
    return TRUE;
}

int fail(char const* sentence)
{
    std::cerr << sentence << "\n";
    return 1;
}

} // namespace

int serveRequests(SimOptions const& options, SimServer& server)
{
    activeServer = &server;
    HINSTANCE const instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass {};
    windowClass.lpfnWndProc = serverWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = options.windowClass.c_str();
    if (!RegisterClassA(&windowClass))
        return fail("Cannot register the server window class.");
    ipcMessage = RegisterWindowMessageA("FsasmLib:IPC");
    if (!ipcMessage)
        return fail("Cannot register the FsasmLib:IPC message.");
    // Top-level but never shown: clients find it with FindWindowEx.
    serverWindow = CreateWindowExA(0, options.windowClass.c_str(), "tarnex-sim", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
        nullptr, nullptr, instance, nullptr);
    if (!serverWindow)
        return fail("Cannot create the server window.");
    SetConsoleCtrlHandler(onConsoleStop, TRUE);
    if (options.durationSeconds) {
        auto const milliseconds = static_cast<UINT>(*options.durationSeconds * 1000);
        stopTime = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        SetTimer(serverWindow, kDurationTimer, milliseconds, nullptr);
    }
    if (std::optional<std::chrono::milliseconds> const period = server.tickPeriod())
        SetTimer(serverWindow, kTickTimer, static_cast<UINT>(period->count()), nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
