#pragma once

#include "app/folder_watcher.h"

// Folder watching with the directory change notification: a thread waits for
// the notification and posts a message to a message-only window, so the
// change is delivered by the window thread's own message loop. A burst of
// changes is merged: it is told once the folder has been quiet for a
// twentieth of a second, and one message at most waits in the queue.
class Win32FolderWatcher final : public FolderWatcher {
public:
    std::unique_ptr<FolderWatch> watchFolder(std::string const& folder, std::function<void()> onChange) override;
};
