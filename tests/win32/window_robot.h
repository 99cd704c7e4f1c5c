#pragma once

#include <functional>
#include <string>
#include <thread>

#include <windows.h>

// Finds this process's or another process's windows and works them from a
// second thread while the test's thread sits in a modal loop.

// The first visible top-level window with this caption (and class, when
// given) that belongs to process processId; waits up to timeoutMs.
HWND waitForWindow(DWORD processId, std::string const& caption, char const* className, DWORD timeoutMs = 10000);

// The text of a window, through WM_GETTEXT (so also across processes).
std::string windowText(HWND window);

// Keeps pumping this thread's messages until condition holds or timeoutMs
// passes; returns whether it held.
bool pumpUntil(std::function<bool()> const& condition, DWORD timeoutMs);
void pumpFor(DWORD milliseconds);

// Runs work on its own thread; joined when the robot goes.
class WindowRobot {
public:
    explicit WindowRobot(std::function<void()> work)
        : m_thread(std::move(work))
    {
    }
    ~WindowRobot() { m_thread.join(); }
    WindowRobot(WindowRobot const&) = delete;
    WindowRobot& operator=(WindowRobot const&) = delete;

private:
    std::thread m_thread;
};
