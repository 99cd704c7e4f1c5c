#pragma once

#include <functional>
#include <memory>
#include <string>

// Watching ends when the watch is destroyed.
class FolderWatch {
public:
    virtual ~FolderWatch() = default;
};

// Tells the program that something in a folder changed. Watching the folder,
// not a file, sees both ways editors save: writing the file in place, and
// writing a new file and renaming it over the old one.
class FolderWatcher {
public:
    virtual ~FolderWatcher() = default;

    // Calls onChange on the window's thread, from its message loop, soon
    // after a file in folder is written, created, removed or renamed. Null
    // when the folder cannot be watched.
    virtual std::unique_ptr<FolderWatch> watchFolder(std::string const& folder, std::function<void()> onChange) = 0;
};
