#include "private_desktop.h"

namespace {

struct ClassSearch {
    std::string const& className;
    DWORD processId;
    bool found = false;
};

BOOL CALLBACK matchClass(HWND window, LPARAM parameter)
{
    auto& search = *reinterpret_cast<ClassSearch*>(parameter);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    search.found = owner == search.processId && search.className == className;
    return !search.found;
}

} // namespace

PrivateDesktop::PrivateDesktop()
{
    static LONG counter = 0;
    m_name = "tarnex-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(InterlockedIncrement(&counter));
    m_desktop = CreateDesktopA(m_name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
}

PrivateDesktop::~PrivateDesktop()
{
    if (m_desktop != nullptr)
        CloseDesktop(m_desktop);
}

bool PrivateDesktop::waitForWindowOfClass(std::string const& className, DWORD processId, DWORD timeoutMs) const
{
    DWORD const start = GetTickCount();
    for (;;) {
        ClassSearch search { className, processId };
        EnumDesktopWindows(m_desktop, matchClass, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(10);
    }
}
