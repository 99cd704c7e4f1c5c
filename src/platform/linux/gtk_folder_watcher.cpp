#include "platform/linux/gtk_folder_watcher.h"

#include <gio/gio.h>

namespace {

// GLib holds back a burst of "changed" events for most of a second by
// default; a saved layout should show within half of one.
constexpr int kRateLimitMs = 50;

class GioFolderWatch final : public FolderWatch {
public:
    GioFolderWatch(GFileMonitor* monitor, std::function<void()> onChange)
        : m_monitor(monitor)
        , m_onChange(std::move(onChange))
    {
        g_file_monitor_set_rate_limit(m_monitor, kRateLimitMs);
        g_signal_connect(m_monitor, "changed", G_CALLBACK(&GioFolderWatch::changed), this);
    }

    ~GioFolderWatch() override
    {
        g_signal_handlers_disconnect_by_data(m_monitor, this);
        g_file_monitor_cancel(m_monitor);
        g_object_unref(m_monitor);
    }

    GioFolderWatch(GioFolderWatch const&) = delete;
    GioFolderWatch& operator=(GioFolderWatch const&) = delete;

private:
    static void changed(GFileMonitor*, GFile*, GFile*, GFileMonitorEvent, gpointer self)
    {
        static_cast<GioFolderWatch*>(self)->m_onChange();
    }

    GFileMonitor* m_monitor;
    std::function<void()> m_onChange;
};

} // namespace

std::unique_ptr<FolderWatch> GioFolderWatcher::watchFolder(std::string const& folder, std::function<void()> onChange)
{
    GFile* const file = g_file_new_for_path(folder.c_str());
    // Moves into the folder (a new file renamed over the old one) are
    // reported as events of their own rather than as a delete and a create.
    GFileMonitor* const monitor = g_file_monitor_directory(file, G_FILE_MONITOR_WATCH_MOVES, nullptr, nullptr);
    g_object_unref(file);
    if (!monitor)
        return nullptr;
    return std::make_unique<GioFolderWatch>(monitor, std::move(onChange));
}
