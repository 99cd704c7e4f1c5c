#pragma once

#include "app/folder_watcher.h"

#include <memory>
#include <optional>
#include <string>

class AppWindow;
class WindowHost;

// Reads the window's chosen layout file again whenever it is saved, and has
// the window redrawn with it. The window, its link and its simulator data
// stay as they are; a save that cannot be read leaves the last good layout
// (the window says why).
class LiveLayout {
public:
    // Watches the folder of display.layoutFile(); the display has read the
    // file once already.
    LiveLayout(FolderWatcher&, WindowHost&, AppWindow& display);

    // A change in the folder: the layout is read again, and those bytes
    // handed to the window when they differ from those read last, so saves
    // of other files cost nothing.
    void folderChanged();

private:
    WindowHost& m_host;
    AppWindow& m_display;
    std::optional<std::string> m_lastBytes;
    std::unique_ptr<FolderWatch> m_watch;
};
