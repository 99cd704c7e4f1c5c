#pragma once

#include "app/window_host.h"
#include "platform/linux/gtk_window_backend.h"

#include <gtk/gtk.h>

#include <map>

// The main window on Linux: a GTK window with the main menu above a drawing
// area that shows the display's back buffer.
//
// How the window's terms map to GTK: the window rectangle is the window's
// position and its size with the menu bar (without the window manager's
// frame), so a saved geometry comes back exactly; while the window is
// minimised the rectangle is reported at (-32000, -32000), as Windows does,
// so it is not saved. The border-only style is an undecorated window; topmost
// is "keep above". Keys are reported by letter, whatever modifiers are held.
// Window positions and sizes are in GDK's logical pixels; the client size, of
// the back buffer, is in device pixels (logical times GDK's scale factor).
// Closing the window through the window manager, or SIGTERM/SIGINT, ends the
// program as "Exit" does, so the settings are saved.
class GtkWindowHost final : public WindowHost {
public:
    static constexpr int kDefaultWidth = 800;
    static constexpr int kDefaultHeight = 800;

    GtkWindowHost();
    ~GtkWindowHost() override;
    GtkWindowHost(GtkWindowHost const&) = delete;
    GtkWindowHost& operator=(GtkWindowHost const&) = delete;

    RenderBackend& renderBackend() { return m_backend; }

    bool create(WindowGeometry const&, std::string_view title, WindowEvents&) override;
    void show() override;
    void destroy() override;

    WindowRect windowRect() const override;
    ClientSize clientSize() const override;
    std::vector<WindowRect> monitorWorkAreas() const override;

    std::uint32_t style() const override { return m_style; }
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
    void buildMenu();
    void connectSignals();
    GtkWindow* dialogParent() const;

    static gboolean onDraw(GtkWidget*, cairo_t*, gpointer self);
    static gboolean onKeyPress(GtkWidget*, GdkEventKey*, gpointer self);
    static gboolean onDeleteEvent(GtkWidget*, GdkEvent*, gpointer self);
    static void onMenuItem(GtkMenuItem*, gpointer self);
    static gboolean onTimer(gpointer self);
    static gboolean onRepaint(gpointer self);
    static gboolean onStopSignal(gpointer self);

    GtkWindowBackend m_backend;
    WindowEvents* m_events = nullptr;
    GtkWidget* m_window = nullptr;
    GtkWidget* m_menuBar = nullptr;
    GtkWidget* m_area = nullptr;
    std::map<int, GtkWidget*> m_menuItems;
    std::uint32_t m_style = WindowStyle::Bordered;
    bool m_settingCheck = false;
    bool m_quit = false;
    int m_exitCode = 0;
    guint m_signalSources[2] = {};
    guint m_repaintSource = 0;
};
