#include "config/layout_codec.h"
#include "config/layout_unpacker.h"
#include "config/whole_file.h"
#include "platform/linux/linux_layout_platform.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <future>
#include <unistd.h>
#include <sys/stat.h>

namespace {

// Runs each test with its own HOME and XDG_DATA_HOME, restored afterwards.
class LinuxLayoutPlatformTest : public testing::Test {
protected:
    TempFolder folder;
    LinuxLayoutPlatform platform;

    LinuxLayoutPlatformTest()
    {
        save("HOME");
        save("XDG_DATA_HOME");
        setenv("HOME", folder.path().c_str(), 1);
        unsetenv("XDG_DATA_HOME");
    }
    ~LinuxLayoutPlatformTest() override
    {
        for (auto const& [name, value] : m_saved) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }

    static std::string shippedLayout() { return readWholeFile(TARNEX_SOURCE_DIR "/layouts/a320cfm-basic.ini").bytes.value(); }
    static mode_t modeOf(std::string const& path)
    {
        struct stat info {};
        EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
        return info.st_mode & 07777;
    }

private:
    void save(std::string const& name)
    {
        char const* value = std::getenv(name.c_str());
        m_saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

}

TEST_F(LinuxLayoutPlatformTest, EmbeddedLayoutIsTheShippedLayoutPacked)
{
    std::span<std::uint8_t const> bytes;
    ASSERT_EQ(platform.embeddedLayout(bytes), LayoutPlatform::ResourceStatus::Ok);
    EXPECT_EQ(unscrambleLayout(bytes), shippedLayout());
}

TEST_F(LinuxLayoutPlatformTest, DataFolderFollowsXdgDataHomeAndIsMadePrivate)
{
    std::string const dataHome = folder.file("data/home");
    setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
    EXPECT_EQ(platform.appDataFolder(), dataHome + "/tarnex");
    EXPECT_EQ(modeOf(dataHome + "/tarnex"), 0700u);
    EXPECT_EQ(modeOf(dataHome), 0700u);
}

TEST_F(LinuxLayoutPlatformTest, DataFolderDefaultsToLocalShareInHome)
{
    EXPECT_EQ(platform.appDataFolder(), folder.file(".local/share/tarnex"));
    setenv("XDG_DATA_HOME", "relative/path", 1);
    EXPECT_EQ(platform.appDataFolder(), folder.file(".local/share/tarnex"));
}

TEST_F(LinuxLayoutPlatformTest, RefusesADataFolderOthersCanWriteTo)
{
    std::string const tarnex = folder.file("xdg/tarnex");
    ASSERT_TRUE(std::filesystem::create_directories(tarnex));
    chmod(tarnex.c_str(), 0777);
    setenv("XDG_DATA_HOME", folder.file("xdg").c_str(), 1);
    EXPECT_EQ(platform.appDataFolder(), "");
}

TEST_F(LinuxLayoutPlatformTest, UnpacksTheShippedLayoutIntoTheDataFolder)
{
    UnpackResult const result = unpackLayout(platform, folder.file("A320CFM.bin"));
    ASSERT_TRUE(result.ok) << result.errorText;
    EXPECT_EQ(result.path, folder.file(".local/share/tarnex/A320CFM.dll"));
    EXPECT_EQ(readWholeFile(result.path).bytes, shippedLayout());
}

// A FIFO would hold its reader until some writer came: not a layout file.
// Should the reader wait after all, the test lets it go by opening the FIFO
// once for writing, and fails.
TEST_F(LinuxLayoutPlatformTest, ALayoutFileThatIsAFifoIsRefusedWithoutWaiting)
{
    std::string const fifo = folder.file("A320CFM.bin");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    auto unpacking = std::async(std::launch::async, [&] { return unpackLayout(platform, fifo); });
    bool const waited = unpacking.wait_for(std::chrono::seconds(30)) != std::future_status::ready;
    if (waited) {
        int const writer = open(fifo.c_str(), O_WRONLY);
        close(writer);
    }
    UnpackResult const result = unpacking.get();
    EXPECT_FALSE(waited) << "the FIFO was read";
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorText, "Unable to read " + fifo);
}
