#include "platform/win32/win32_folder_watcher.h"

#include <atomic>
#include <windows.h>

namespace {

constexpr char const* kWindowClass = "TarnexFolderWatch";
constexpr UINT kFolderChanged = WM_APP + 1;
// Names (create, delete, rename) for both ways of saving, the last write and
// the size for a file written in place.
constexpr DWORD kChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE;
// One save is a burst of notifications: a new file written, then renamed
// over the layout. The burst is told once the folder has been quiet this
// long: read between the two, the layout would be held open just as the
// rename comes, and Windows refuses to replace a file anyone has open. A
// folder that never quiets is still told every kMostQuietWaits periods.
constexpr DWORD kQuietMs = 50;
constexpr int kMostQuietWaits = 10;

class Win32FolderWatch final : public FolderWatch {
public:
    Win32FolderWatch(HANDLE change, HWND window, std::function<void()> onChange)
        : m_change(change)
        , m_window(window)
        , m_stop(CreateEventA(nullptr, TRUE, FALSE, nullptr))
        , m_onChange(std::move(onChange))
    {
        SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        if (m_stop)
            m_thread = CreateThread(nullptr, 0, &Win32FolderWatch::waitForChanges, this, 0, nullptr);
    }

    ~Win32FolderWatch() override
    {
        if (m_thread) {
            SetEvent(m_stop);
            WaitForSingleObject(m_thread, INFINITE);
            CloseHandle(m_thread);
        }
        if (m_stop)
            CloseHandle(m_stop);
        FindCloseChangeNotification(m_change);
        // Messages still queued for the window go with it.
        DestroyWindow(m_window);
    }

    Win32FolderWatch(Win32FolderWatch const&) = delete;
    Win32FolderWatch& operator=(Win32FolderWatch const&) = delete;

    bool isRunning() const { return m_thread != nullptr; }

    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == kFolderChanged) {
            if (auto* watch = reinterpret_cast<Win32FolderWatch*>(GetWindowLongPtrA(window, GWLP_USERDATA))) {
                // Cleared first: a change during the callback is told again.
                watch->m_posted = false;
                watch->m_onChange();
            }
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

private:
    static DWORD WINAPI waitForChanges(LPVOID self)
    {
        auto* watch = static_cast<Win32FolderWatch*>(self);
        HANDLE const handles[] = { watch->m_stop, watch->m_change };
        while (WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
            if (!watch->waitForQuiet())
                break;
            // One message waits at most: the callback looks at the folder as
            // it is then, which covers every change made before.
            if (!watch->m_posted.exchange(true) && !PostMessageA(watch->m_window, kFolderChanged, 0, 0))
                watch->m_posted = false;
        }
        return 0;
    }

    // After a notification: waits until none has come for kQuietMs, or for
    // kMostQuietWaits such periods. False when the watch stops or fails.
    bool waitForQuiet()
    {
        HANDLE const handles[] = { m_stop, m_change };
        for (int wait = 0; wait < kMostQuietWaits; ++wait) {
            // Changes since the last notification were kept by the system:
            // they satisfy the wait at once.
            if (!FindNextChangeNotification(m_change))
                return false;
            DWORD const woken = WaitForMultipleObjects(2, handles, FALSE, kQuietMs);
            if (woken == WAIT_TIMEOUT)
                return true;
            if (woken != WAIT_OBJECT_0 + 1)
                return false;
        }
        return true;
    }

    HANDLE m_change;
    HWND m_window;
    HANDLE m_stop;
    HANDLE m_thread = nullptr;
    std::atomic<bool> m_posted = false;
    std::function<void()> m_onChange;
};

bool registerWindowClass(HINSTANCE instance)
{
    WNDCLASSA windowClass {};
    if (GetClassInfoA(instance, kWindowClass, &windowClass))
        return true;
    windowClass.lpfnWndProc = &Win32FolderWatch::windowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassA(&windowClass) != 0;
}

} // namespace

std::unique_ptr<FolderWatch> Win32FolderWatcher::watchFolder(std::string const& folder, std::function<void()> onChange)
{
    HINSTANCE const instance = GetModuleHandleA(nullptr);
    if (!registerWindowClass(instance))
        return nullptr;
    HANDLE const change = FindFirstChangeNotificationA(folder.c_str(), FALSE, kChanges);
    if (change == INVALID_HANDLE_VALUE)
        return nullptr;
    HWND const window = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    if (!window) {
        FindCloseChangeNotification(change);
        return nullptr;
    }
    auto watch = std::make_unique<Win32FolderWatch>(change, window, std::move(onChange));
    if (!watch->isRunning())
        return nullptr;
    return watch;
}
