// The Windows reader of layout and profile files under Wine: an editor that
// saves while the display reads the layout must not be refused. It may write
// the file in place, or move it aside and rename a new file to its name.
// (Renaming a new file straight over it is refused by Windows itself while
// anyone has it open, whatever the sharing; the folder watcher reads only
// once a save's burst of changes is over.)

#include "config/whole_file.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <thread>
#include <windows.h>

namespace {

bool writeFile(std::string const& path, std::string const& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return static_cast<bool>(out);
}

} // namespace

TEST(Win32RegularFile, SavesInPlaceAndByMovingTheFileAsideSucceedOnTheFirstTryWhileItIsRead)
{
    TempFolder folder;
    std::string const layout = folder.file("live.ini");
    // As large as a layout may be, so that each read holds the file longest.
    std::string const text(kMaxPackedLayoutSize, 'x');
    ASSERT_TRUE(writeFile(layout, text));

    // The reader reads the layout over and over on a thread of its own, so
    // that the saves below land while it holds the file open.
    std::atomic<bool> stop = false;
    std::atomic<int> reads = 0;
    std::thread reader([&] {
        while (!stop) {
            readWholeFile(layout);
            ++reads;
        }
    });
    for (DWORD const start = GetTickCount(); reads == 0 && GetTickCount() - start < 10000;)
        Sleep(1);

    int refusedInPlace = 0, refusedAside = 0, refusedIn = 0;
    DWORD lastError = 0;
    for (int save = 0; save < 50; ++save) {
        refusedInPlace += !writeFile(layout, text);
        ASSERT_TRUE(writeFile(folder.file("live.new"), text));
        std::string const aside = folder.file("live.bak" + std::to_string(save));
        if (!MoveFileA(layout.c_str(), aside.c_str())) {
            ++refusedAside;
            lastError = GetLastError();
        }
        if (!MoveFileExA(folder.file("live.new").c_str(), layout.c_str(), MOVEFILE_REPLACE_EXISTING)) {
            ++refusedIn;
            lastError = GetLastError();
        }
    }
    stop = true;
    reader.join();
    EXPECT_GT(reads, 0) << "the reader never ran";
    EXPECT_EQ(refusedInPlace, 0);
    EXPECT_EQ(refusedAside, 0) << "error " << lastError;
    EXPECT_EQ(refusedIn, 0) << "error " << lastError;
    EXPECT_EQ(readWholeFile(layout).bytes, text);
}
