#include "window_robot.h"

namespace {

struct Search {
    DWORD processId;
    std::string const& caption;
    char const* className;
    HWND found = nullptr;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM parameter)
{
    auto& search = *reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window) || windowText(window) != search.caption)
        return TRUE;
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (search.className != nullptr && lstrcmpiA(className, search.className) != 0)
        return TRUE;
    search.found = window;
    return FALSE;
}

} // namespace

HWND waitForWindow(DWORD processId, std::string const& caption, char const* className, DWORD timeoutMs)
{
    DWORD const start = GetTickCount();
    for (;;) {
        Search search { processId, caption, className };
        EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr || GetTickCount() - start > timeoutMs)
            return search.found;
        Sleep(20);
    }
}

std::string windowText(HWND window)
{
    char text[512] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 2000, &length);
    return text;
}

bool pumpUntil(std::function<bool()> const& condition, DWORD timeoutMs)
{
    DWORD const start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    }
    return true;
}

void pumpFor(DWORD milliseconds)
{
    DWORD const start = GetTickCount();
    pumpUntil([&] { return GetTickCount() - start >= milliseconds; }, milliseconds + 1000);
}
