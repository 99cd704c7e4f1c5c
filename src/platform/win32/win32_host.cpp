#include "platform/win32/win32_host.h"

#include "app/menu_commands.h"
#include "platform/win32/dialog_procedures.h"
#include "platform/win32/resource.h"

static_assert(IDM_CONNECT_FSUIPC == MenuCommand::ConnectFsuipc);
static_assert(IDM_EXIT == MenuCommand::Exit);
static_assert(IDM_SET_REFRESH_RATE == MenuCommand::SetRefreshRate);
static_assert(IDM_HIDE_MENU_BAR == MenuCommand::HideMenuBar);
static_assert(IDM_ALWAYS_ON_TOP == MenuCommand::AlwaysOnTop);
static_assert(IDM_HELP_CONTENTS == MenuCommand::HelpContents);
static_assert(IDM_ABOUT == MenuCommand::About);

namespace {

// The redraw timer's identifier on the window.
constexpr UINT_PTR kRedrawTimer = 0;

// WM_DPICHANGED, sent to a per-monitor DPI-aware window (see the manifest).
constexpr UINT kDpiChangedMessage = 0x02E0;

UINT messageBoxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Warning:
        return MB_ICONWARNING;
    case MessageIcon::Error:
        return MB_ICONERROR;
    case MessageIcon::Information:
        break;
    }
    return MB_ICONINFORMATION;
}

} // namespace

Win32Host::Win32Host(HINSTANCE instance, int showCommand, FontFactory& fonts)
    : m_instance(instance)
    , m_showCommand(showCommand)
    , m_buffer(fonts)
{
}

Win32Host::~Win32Host()
{
    // The window's owner may be gone already: its end is not reported.
    m_events = nullptr;
    if (m_window != nullptr)
        DestroyWindow(m_window);
    // A menu detached from the window is no longer destroyed with it.
    if (m_menuStored && !m_menuAttached && m_storedMenu != nullptr)
        DestroyMenu(m_storedMenu);
}

bool Win32Host::registerWindowClass(std::string const& className)
{
    m_className = className;
    WNDCLASSEXA windowClass {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = m_instance;
    windowClass.hIcon = LoadIconA(m_instance, MAKEINTRESOURCEA(IDI_TARNEX));
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDC_TARNEX);
    windowClass.lpszClassName = m_className.c_str();
    windowClass.hIconSm = LoadIconA(m_instance, MAKEINTRESOURCEA(IDI_SMALL));
    return RegisterClassExA(&windowClass) != 0;
}

bool Win32Host::create(WindowGeometry const& geometry, std::string_view title, WindowEvents& events)
{
    m_events = &events;
    std::string const titleText(title);
    HWND const window = CreateWindowExA(0, m_className.c_str(), titleText.c_str(), WindowStyle::Bordered, geometry.x,
        geometry.y, geometry.width, geometry.height, nullptr, nullptr, m_instance, this);
    // Kept only now: while the window is being made, messages the window
    // shows have no owner yet.
    m_window = window;
    return window != nullptr;
}

void Win32Host::show()
{
    ShowWindow(m_window, m_showCommand);
}

void Win32Host::destroy()
{
    DestroyWindow(m_window);
}

WindowRect Win32Host::windowRect() const
{
    WINDOWINFO info {};
    info.cbSize = sizeof info;
    GetWindowInfo(m_window, &info);
    RECT const& rect = info.rcWindow;
    // Windows parks a minimised window far off at negative coordinates, so
    // its rectangle is never taken for the window's place; not every system
    // does (Wine lines minimised windows up along the screen's bottom).
    // Reported the Windows way everywhere.
    if (IsIconic(m_window))
        return { kMinimisedPosition, kMinimisedPosition, kMinimisedPosition + (rect.right - rect.left),
            kMinimisedPosition + (rect.bottom - rect.top) };
    return { rect.left, rect.top, rect.right, rect.bottom };
}

ClientSize Win32Host::clientSize() const
{
    RECT client {};
    GetClientRect(m_window, &client);
    return { client.right - client.left, client.bottom - client.top };
}

namespace {

BOOL CALLBACK addWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas)
{
    MONITORINFO info {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info))
        return TRUE;
    auto& list = *reinterpret_cast<std::vector<WindowRect>*>(areas);
    WindowRect const area { info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom };
    if (info.dwFlags & MONITORINFOF_PRIMARY)
        list.insert(list.begin(), area);
    else
        list.push_back(area);
    return TRUE;
}

} // namespace

std::vector<WindowRect> Win32Host::monitorWorkAreas() const
{
    std::vector<WindowRect> areas;
    EnumDisplayMonitors(nullptr, nullptr, addWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

std::uint32_t Win32Host::style() const
{
    return static_cast<std::uint32_t>(GetWindowLongA(m_window, GWL_STYLE));
}

void Win32Host::setStyle(std::uint32_t style)
{
    SetWindowLongA(m_window, GWL_STYLE, static_cast<LONG>(style));
    SetWindowPos(m_window, HWND_TOP, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE);
}

void Win32Host::setTopmost(bool topmost)
{
    SetWindowPos(m_window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void Win32Host::detachMenu()
{
    if (!m_menuStored) {
        m_storedMenu = GetMenu(m_window);
        m_menuStored = true;
    }
    SetMenu(m_window, nullptr);
    m_menuAttached = false;
}

void Win32Host::attachMenu()
{
    SetMenu(m_window, mainMenu());
    m_menuAttached = true;
}

void Win32Host::checkMenuItem(int commandId, bool checked)
{
    CheckMenuItem(mainMenu(), static_cast<UINT>(commandId), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

HMENU Win32Host::mainMenu() const
{
    return m_menuStored ? m_storedMenu : GetMenu(m_window);
}

int Win32Host::startTimer(int periodMs)
{
    return SetTimer(m_window, kRedrawTimer, static_cast<UINT>(periodMs), nullptr) != 0 ? 1 : 0;
}

void Win32Host::stopTimer(int)
{
    // The window has one timer; what SetTimer returned for it is not its
    // identifier, so it is stopped by the identifier it was started with.
    KillTimer(m_window, kRedrawTimer);
}

void Win32Host::invalidate()
{
    InvalidateRect(m_window, nullptr, FALSE);
}

void Win32Host::showMessageBox(std::string_view text, std::string_view caption, MessageIcon icon)
{
    std::string const textCopy(text);
    std::string const captionCopy(caption);
    MessageBoxA(m_window, textCopy.c_str(), captionCopy.c_str(), MB_OK | messageBoxIcon(icon));
}

std::optional<int> Win32Host::runRefreshRateDialog(int position)
{
    return runRefreshRateDialogBox(m_instance, m_window, position);
}

void Win32Host::showAboutBox()
{
    runAboutDialogBox(m_instance, m_window);
}

void Win32Host::quit(int exitCode)
{
    PostQuitMessage(exitCode);
}

LRESULT CALLBACK Win32Host::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto const* const creation = reinterpret_cast<CREATESTRUCTA const*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* const host = reinterpret_cast<Win32Host*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (host == nullptr || host->m_events == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    return host->handleMessage(window, message, wParam, lParam);
}

LRESULT Win32Host::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        m_buffer.attach(window);
        m_events->onCreate();
        return 0;
    case WM_DESTROY:
        m_events->onDestroy();
        return 0;
    case WM_NCDESTROY:
        m_window = nullptr;
        m_buffer.attach(nullptr);
        break;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        m_events->onPaint();
        EndPaint(window, &paint);
        return 0;
    }
    case WM_KEYDOWN:
        m_events->onKeyDown(static_cast<int>(wParam));
        return 0;
    case WM_COMMAND:
        if (m_events->onCommand(LOWORD(wParam)))
            return 0;
        break;
    case WM_TIMER:
        m_events->onTimer();
        return 0;
    case kDpiChangedMessage: {
        // Moved to a monitor of another scale: the system suggests the
        // rectangle that keeps the window's size on screen. The next paint
        // makes the back buffer at the new client size.
        RECT const& suggested = *reinterpret_cast<RECT const*>(lParam);
        SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
            suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
