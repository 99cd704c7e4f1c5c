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
    // Read once: a save landing between a read to compare and a read to
    // load would show bytes that were never compared.
    WholeFile const file = readWholeFile(m_display.layoutFile());
    if (file.bytes == m_lastBytes)
        return;
    m_lastBytes = file.bytes;
    m_display.reloadLayout(file);
    m_host.invalidate();
}
