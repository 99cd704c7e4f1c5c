#include "platform/linux/gtk_window_host.h"

#include "app/menu_commands.h"
#include "platform/linux/gtk_dialogs.h"

#include <glib-unix.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <string>

namespace {

// "&Always on top" becomes "_Always on top": GTK's mnemonic mark.
std::string mnemonicLabel(std::string_view text)
{
    std::string label(text);
    std::replace(label.begin(), label.end(), '&', '_');
    return label;
}

} // namespace

GtkWindowHost::GtkWindowHost() = default;

GtkWindowHost::~GtkWindowHost()
{
    if (m_repaintSource)
        g_source_remove(m_repaintSource);
    for (guint source : m_signalSources) {
        if (source)
            g_source_remove(source);
    }
    if (m_window)
        gtk_widget_destroy(m_window);
}

bool GtkWindowHost::create(WindowGeometry const& geometry, std::string_view title, WindowEvents& events)
{
    m_events = &events;
    m_window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    if (!m_window)
        return false;
    gtk_window_set_title(GTK_WINDOW(m_window), std::string(title).c_str());
    if (geometry.width == kUseDefaultPosition)
        gtk_window_set_default_size(GTK_WINDOW(m_window), kDefaultWidth, kDefaultHeight);
    else
        gtk_window_set_default_size(GTK_WINDOW(m_window), geometry.width, geometry.height);
    if (geometry.x != kUseDefaultPosition)
        gtk_window_move(GTK_WINDOW(m_window), geometry.x, geometry.y);

    GtkWidget* column = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    m_menuBar = gtk_menu_bar_new();
    buildMenu();
    m_area = gtk_drawing_area_new();
    gtk_widget_set_size_request(m_area, 0, 0);
    gtk_box_pack_start(GTK_BOX(column), m_menuBar, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(column), m_area, TRUE, TRUE, 0);
    gtk_container_add(GTK_CONTAINER(m_window), column);
    m_backend.attach(m_window, m_area);
    connectSignals();

    events.onCreate();
    return true;
}

void GtkWindowHost::buildMenu()
{
    GtkWidget* popup = nullptr;
    std::string_view popupName;
    for (MenuItemRow const& row : kMainMenu) {
        if (!popup || row.popup != popupName) {
            GtkWidget* title = gtk_menu_item_new_with_label(std::string(row.popup).c_str());
            popup = gtk_menu_new();
            popupName = row.popup;
            gtk_menu_item_set_submenu(GTK_MENU_ITEM(title), popup);
            gtk_menu_shell_append(GTK_MENU_SHELL(m_menuBar), title);
        }
        GtkWidget* item = nullptr;
        if (row.command == 0) {
            item = gtk_separator_menu_item_new();
        } else {
            std::string const label = mnemonicLabel(row.text);
            item = row.checkable ? gtk_check_menu_item_new_with_mnemonic(label.c_str()) : gtk_menu_item_new_with_mnemonic(label.c_str());
            g_object_set_data(G_OBJECT(item), "tarnex-command", GINT_TO_POINTER(row.command));
            g_signal_connect(item, "activate", G_CALLBACK(onMenuItem), this);
            m_menuItems[row.command] = item;
        }
        gtk_menu_shell_append(GTK_MENU_SHELL(popup), item);
    }
}

void GtkWindowHost::connectSignals()
{
    g_signal_connect(m_area, "draw", G_CALLBACK(onDraw), this);
    g_signal_connect(m_window, "key-press-event", G_CALLBACK(onKeyPress), this);
    g_signal_connect(m_window, "delete-event", G_CALLBACK(onDeleteEvent), this);
    m_signalSources[0] = g_unix_signal_add(SIGTERM, onStopSignal, this);
    m_signalSources[1] = g_unix_signal_add(SIGINT, onStopSignal, this);
}

void GtkWindowHost::show()
{
    gtk_widget_show_all(m_window);
}

void GtkWindowHost::destroy()
{
    if (!m_window)
        return;
    // The settings are saved while the window still reports its geometry.
    m_events->onDestroy();
    m_backend.detach();
    if (m_repaintSource) {
        g_source_remove(m_repaintSource);
        m_repaintSource = 0;
    }
    GtkWidget* const window = m_window;
    m_window = nullptr;
    m_menuBar = nullptr;
    m_area = nullptr;
    m_menuItems.clear();
    gtk_widget_destroy(window);
}

WindowRect GtkWindowHost::windowRect() const
{
    if (!m_window)
        return {};
    GdkWindow* const gdkWindow = gtk_widget_get_window(m_window);
    if (gdkWindow && (gdk_window_get_state(gdkWindow) & GDK_WINDOW_STATE_ICONIFIED))
        return { kMinimisedPosition, kMinimisedPosition, kMinimisedPosition + 160, kMinimisedPosition + 27 };
    int x = 0, y = 0, width = 0, height = 0;
    gtk_window_get_position(GTK_WINDOW(m_window), &x, &y);
    gtk_window_get_size(GTK_WINDOW(m_window), &width, &height);
    return { x, y, x + width, y + height };
}

ClientSize GtkWindowHost::clientSize() const
{
    if (!m_area || !gtk_widget_get_realized(m_area))
        return {};
    // The back buffer is made at this size: the screen's own pixels.
    double const scale = gtk_widget_get_scale_factor(m_area);
    return { static_cast<int>(std::lround(gtk_widget_get_allocated_width(m_area) * scale)),
        static_cast<int>(std::lround(gtk_widget_get_allocated_height(m_area) * scale)) };
}

// In GDK's logical pixels, as the window's position and size are.
std::vector<WindowRect> GtkWindowHost::monitorWorkAreas() const
{
    GdkDisplay* const display = gdk_display_get_default();
    if (!display)
        return {};
    GdkMonitor* const primary = gdk_display_get_primary_monitor(display);
    std::vector<WindowRect> areas;
    for (int i = 0, count = gdk_display_get_n_monitors(display); i < count; ++i) {
        GdkMonitor* const monitor = gdk_display_get_monitor(display, i);
        GdkRectangle work {};
        gdk_monitor_get_workarea(monitor, &work);
        WindowRect const area { work.x, work.y, work.x + work.width, work.y + work.height };
        // Without a primary monitor named, the first one stands for it.
        if (monitor == primary)
            areas.insert(areas.begin(), area);
        else
            areas.push_back(area);
    }
    return areas;
}

void GtkWindowHost::setStyle(std::uint32_t style)
{
    m_style = style;
    if (!m_window)
        return;
    gtk_window_set_decorated(GTK_WINDOW(m_window), (style & WindowStyle::Popup) == 0);
    gtk_widget_show(m_window);
    gtk_window_present(GTK_WINDOW(m_window));
}

void GtkWindowHost::setTopmost(bool topmost)
{
    if (m_window)
        gtk_window_set_keep_above(GTK_WINDOW(m_window), topmost);
}

void GtkWindowHost::detachMenu()
{
    if (m_menuBar)
        gtk_widget_hide(m_menuBar);
}

void GtkWindowHost::attachMenu()
{
    if (m_menuBar)
        gtk_widget_show(m_menuBar);
}

void GtkWindowHost::checkMenuItem(int commandId, bool checked)
{
    auto const item = m_menuItems.find(commandId);
    if (item == m_menuItems.end() || !GTK_IS_CHECK_MENU_ITEM(item->second))
        return;
    // Setting the mark activates the item; that is not a command.
    m_settingCheck = true;
    gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(item->second), checked);
    m_settingCheck = false;
}

int GtkWindowHost::startTimer(int periodMs)
{
    return static_cast<int>(g_timeout_add(static_cast<guint>(periodMs), onTimer, this));
}

void GtkWindowHost::stopTimer(int timerId)
{
    if (timerId > 0)
        g_source_remove(static_cast<guint>(timerId));
}

// The paint runs once the loop is idle and goes straight to the window, as
// the polling loop's paints do: GTK's own redraw would double-buffer and send
// the whole window when often only a readout or a needle changed.
void GtkWindowHost::invalidate()
{
    if (m_area && m_repaintSource == 0)
        m_repaintSource = g_idle_add_full(GDK_PRIORITY_REDRAW, onRepaint, this, nullptr);
}

GtkWindow* GtkWindowHost::dialogParent() const
{
    return m_window && gtk_widget_get_visible(m_window) ? GTK_WINDOW(m_window) : nullptr;
}

void GtkWindowHost::showMessageBox(std::string_view text, std::string_view caption, MessageIcon icon)
{
    runMessageBox(dialogParent(), text, caption, icon);
}

std::optional<int> GtkWindowHost::runRefreshRateDialog(int position)
{
    return ::runRefreshRateDialog(dialogParent(), position);
}

void GtkWindowHost::showAboutBox()
{
    runAboutBox(dialogParent());
}

void GtkWindowHost::quit(int exitCode)
{
    m_quit = true;
    m_exitCode = exitCode;
}

int GtkWindowHost::runLoop(LoopMode mode)
{
    while (!m_quit) {
        g_main_context_iteration(nullptr, mode == LoopMode::Blocking);
        if (mode == LoopMode::Polling && !m_quit && m_window)
            m_events->onPaint();
    }
    return m_exitCode;
}

gboolean GtkWindowHost::onDraw(GtkWidget*, cairo_t* cr, gpointer self)
{
    auto* host = static_cast<GtkWindowHost*>(self);
    host->m_backend.beginWindowPaint(cr);
    host->m_events->onPaint();
    host->m_backend.endWindowPaint();
    return TRUE;
}

gboolean GtkWindowHost::onKeyPress(GtkWidget*, GdkEventKey* event, gpointer self)
{
    guint const key = gdk_keyval_to_upper(event->keyval);
    if (key < 'A' || key > 'Z')
        return FALSE;
    static_cast<GtkWindowHost*>(self)->m_events->onKeyDown(static_cast<int>(key));
    // The window's own keys go no further; other letters may be mnemonics.
    return key == 'C' || key == 'F' || key == 'M';
}

gboolean GtkWindowHost::onDeleteEvent(GtkWidget*, GdkEvent*, gpointer self)
{
    static_cast<GtkWindowHost*>(self)->destroy();
    return TRUE;
}

void GtkWindowHost::onMenuItem(GtkMenuItem* item, gpointer self)
{
    auto* host = static_cast<GtkWindowHost*>(self);
    if (host->m_settingCheck)
        return;
    host->m_events->onCommand(GPOINTER_TO_INT(g_object_get_data(G_OBJECT(item), "tarnex-command")));
}

gboolean GtkWindowHost::onTimer(gpointer self)
{
    static_cast<GtkWindowHost*>(self)->m_events->onTimer();
    return G_SOURCE_CONTINUE;
}

gboolean GtkWindowHost::onRepaint(gpointer self)
{
    auto* host = static_cast<GtkWindowHost*>(self);
    host->m_repaintSource = 0;
    if (host->m_window)
        host->m_events->onPaint();
    return G_SOURCE_REMOVE;
}

gboolean GtkWindowHost::onStopSignal(gpointer self)
{
    static_cast<GtkWindowHost*>(self)->destroy();
    return G_SOURCE_CONTINUE;
}
