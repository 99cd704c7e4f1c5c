#include "app/live_layout.h"

#include "app/app_window.h"
#include "config/whole_file.h"

#include <filesystem>

namespace {

std::string folderOf(std::string const& path)
{
    std::filesystem::path const parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

} // namespace

LiveLayout::LiveLayout(FolderWatcher& watcher, WindowHost& host, AppWindow& display)
    : m_host(host)
    , m_display(display)
    , m_lastBytes(readWholeFile(display.layoutFile()).bytes)
    , m_watch(watcher.watchFolder(folderOf(display.layoutFile()), [this] { folderChanged(); }))
{
}

void LiveLayout::folderChanged()
{
    std::optional<std::string> bytes = readWholeFile(m_display.layoutFile()).bytes;
    if (bytes == m_lastBytes)
        return;
    m_lastBytes = std::move(bytes);
    m_display.loadConfiguration(m_display.layoutFile());
    m_host.invalidate();
}
