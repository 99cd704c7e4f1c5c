#pragma once

#include <string>

#include <windows.h>

// A desktop of the test's own. Top-level windows are found per desktop, so a
// simulator stand-in started here is seen only by programs started here, not
// by tests running beside this one.
class PrivateDesktop {
public:
    PrivateDesktop();
    ~PrivateDesktop();
    PrivateDesktop(PrivateDesktop const&) = delete;
    PrivateDesktop& operator=(PrivateDesktop const&) = delete;

    bool created() const { return m_desktop != nullptr; }
    std::string const& name() const { return m_name; }

    // Waits up to timeoutMs for a window of className owned by processId.
    bool waitForWindowOfClass(std::string const& className, DWORD processId, DWORD timeoutMs) const;

private:
    std::string m_name;
    HDESK m_desktop = nullptr;
};
