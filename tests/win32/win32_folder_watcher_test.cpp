// The directory change notification under Wine: both ways an editor saves
// reach the callback through this thread's message loop, and nothing does
// once the watch is gone.

#include "platform/win32/win32_folder_watcher.h"
#include "support/temp_folder.h"
#include "window_robot.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

namespace {

void writeFile(std::string const& path, std::string const& text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

} // namespace

TEST(Win32FolderWatcher, SavesInPlaceAndByRenameReachTheCallbackOnThisThread)
{
    TempFolder folder;
    std::string const layout = folder.file("live.ini");
    writeFile(layout, "[EICAS]\n");

    Win32FolderWatcher watcher;
    int changes = 0;
    DWORD const testThread = GetCurrentThreadId();
    DWORD callbackThread = 0;
    std::unique_ptr<FolderWatch> watch = watcher.watchFolder(folder.path(), [&] {
        ++changes;
        callbackThread = GetCurrentThreadId();
    });
    ASSERT_NE(watch, nullptr);

    writeFile(layout, "[EICAS]\nSizeX=2000\n");
    EXPECT_TRUE(pumpUntil([&] { return changes > 0; }, 10000)) << "a write in place was not seen";
    EXPECT_EQ(callbackThread, testThread);

    // Whatever the write still reports arrives before the rename is made.
    pumpFor(200);
    changes = 0;
    writeFile(folder.file("live.ini.new"), "[EICAS]\nSizeX=3000\n");
    ASSERT_TRUE(MoveFileExA(folder.file("live.ini.new").c_str(), layout.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_TRUE(pumpUntil([&] { return changes > 0; }, 10000)) << "a rename over the file was not seen";

    watch.reset();
    changes = 0;
    writeFile(layout, "[EICAS]\n");
    pumpFor(300);
    EXPECT_EQ(changes, 0);
}

TEST(Win32FolderWatcher, ABurstOfChangesWaitsAsOneMessageAndIsToldOnce)
{
    TempFolder folder;
    std::string const layout = folder.file("live.ini");
    writeFile(layout, "[EICAS]\n");
    Win32FolderWatcher watcher;
    int changes = 0;
    std::unique_ptr<FolderWatch> watch = watcher.watchFolder(folder.path(), [&] { ++changes; });
    ASSERT_NE(watch, nullptr);

    // Nothing is pumped while the saves come. Between them the test waits
    // for a new message: a watcher that posted one per notification would
    // have queued one per save.
    GetQueueStatus(QS_POSTMESSAGE);
    for (int save = 0; save < 20; ++save) {
        writeFile(layout, "[EICAS]\nSizeX=" + std::to_string(1000 + save) + "\n");
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_POSTMESSAGE);
    }
    // The watcher's message arrives, however slowly the watcher runs.
    HWND const watchWindow = FindWindowExA(HWND_MESSAGE, nullptr, "TarnexFolderWatch", nullptr);
    ASSERT_NE(watchWindow, nullptr);
    MSG message;
    for (DWORD const start = GetTickCount();
        !PeekMessageA(&message, watchWindow, 0, 0, PM_NOREMOVE) && GetTickCount() - start < 10000;)
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_POSTMESSAGE);

    std::vector<MSG> queued;
    while (PeekMessageA(&message, watchWindow, 0, 0, PM_REMOVE))
        queued.push_back(message);
    ASSERT_EQ(queued.size(), 1u);
    DispatchMessageA(&queued.front());
    EXPECT_EQ(changes, 1);

    // Told once, the watcher tells the next change again.
    pumpFor(200);
    changes = 0;
    writeFile(layout, "[EICAS]\nSizeX=3000\n");
    EXPECT_TRUE(pumpUntil([&] { return changes > 0; }, 10000)) << "a save after a burst was not seen";
}

TEST(Win32FolderWatcher, AFolderThatIsNotThereCannotBeWatched)
{
    TempFolder folder;
    Win32FolderWatcher watcher;
    EXPECT_EQ(watcher.watchFolder(folder.file("missing"), [] { }), nullptr);
}
