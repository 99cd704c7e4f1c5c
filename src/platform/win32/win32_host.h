#pragma once

#include "app/window_host.h"
#include "platform/win32/gdiplus_window_buffer.h"

#include <string>

#include <windows.h>

// The main window on Win32: the window class of the program's resources, the
// window procedure that hands messages to the window's logic, the menu bar,
// the redraw timer, the modal dialogs and the two message loops. The window's
// GDI back buffer lives here, because it belongs to the window.
class Win32Host final : public WindowHost {
public:
    // instance: the module whose resources (menu, icons, dialogs,
    // accelerators) are used. showCommand: how the window is first shown.
    Win32Host(HINSTANCE instance, int showCommand, FontFactory& fonts);
    ~Win32Host() override;
    Win32Host(Win32Host const&) = delete;
    Win32Host& operator=(Win32Host const&) = delete;

    // Registers the window class under className: redraw on both resizes,
    // the program's icons, arrow cursor, system window colour, menu 109.
    bool registerWindowClass(std::string const& className);

    RenderBackend& backBuffer() { return m_buffer; }
    HWND handle() const { return m_window; }

    bool create(WindowGeometry const&, std::string_view title, WindowEvents&) override;
    void show() override;
    void destroy() override;

    WindowRect windowRect() const override;
    ClientSize clientSize() const override;
    std::vector<WindowRect> monitorWorkAreas() const override;

    std::uint32_t style() const override;
    void setStyle(std::uint32_t style) override;
    void setTopmost(bool topmost) override;

    void detachMenu() override;
    void attachMenu() override;
    void checkMenuItem(int commandId, bool checked) override;

    int startTimer(int periodMs) override;
    void stopTimer(int timerId) override;
    void invalidate() override;

    void showMessageBox(std::string_view text, std::string_view caption, MessageIcon) override;
    std::optional<int> runRefreshRateDialog(int position) override;
    void showAboutBox() override;

    void quit(int exitCode) override;
    int runLoop(LoopMode) override;

private:
    static LRESULT CALLBACK windowProcedure(HWND, UINT message, WPARAM, LPARAM);
    LRESULT handleMessage(HWND, UINT message, WPARAM, LPARAM);
    int runBlockingLoop();
    int runPollingLoop();
    // The menu the window was made with: taken from the window when the bar
    // is first hidden and kept from then on.
    HMENU mainMenu() const;

    HINSTANCE m_instance;
    int m_showCommand;
    std::string m_className;
    // Null until CreateWindow returns and again once the window is gone.
    HWND m_window = nullptr;
    WindowEvents* m_events = nullptr;
    HMENU m_storedMenu = nullptr;
    bool m_menuStored = false;
    bool m_menuAttached = true;
    GdiplusWindowBuffer m_buffer;
};
