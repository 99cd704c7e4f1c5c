#pragma once

#include "app/folder_watcher.h"

// Folder watching with GLib's file monitor (inotify underneath), delivered
// through the main loop the GTK window already runs.
class GioFolderWatcher final : public FolderWatcher {
public:
    std::unique_ptr<FolderWatch> watchFolder(std::string const& folder, std::function<void()> onChange) override;
};
