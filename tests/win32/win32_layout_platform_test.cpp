#include "config/layout_codec.h"
#include "config/layout_unpacker.h"
#include "config/whole_file.h"
#include "platform/win32/win32_layout_platform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

std::string fromEnvironment(char const* name, char const* fallback)
{
    char const* value = std::getenv(name);
    return value && *value ? value : fallback;
}

// The program itself, opened for its resources only.
class ProgramResources {
public:
    ProgramResources()
        : m_module(LoadLibraryExA(
              (fromEnvironment("TARNEX_BUILD_DIR", TARNEX_BUILD_DIR) + "/src/platform/win32/tarnex.exe").c_str(), nullptr,
              LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE))
    {
    }
    ~ProgramResources()
    {
        if (m_module)
            FreeLibrary(m_module);
    }
    HMODULE module() const { return m_module; }

private:
    HMODULE m_module;
};

std::string shippedLayout()
{
    return readWholeFile(fromEnvironment("TARNEX_SOURCE_DIR", TARNEX_SOURCE_DIR) + "/layouts/a320cfm-basic.ini").bytes.value();
}

}

TEST(Win32LayoutPlatform, TheProgramCarriesTheShippedLayoutPacked)
{
    ProgramResources const program;
    ASSERT_TRUE(program.module()) << "tarnex.exe not found in the build";
    Win32LayoutPlatform platform(program.module());
    std::span<std::uint8_t const> bytes;
    ASSERT_EQ(platform.embeddedLayout(bytes), LayoutPlatform::ResourceStatus::Ok);
    EXPECT_EQ(unscrambleLayout(bytes), shippedLayout());
}

TEST(Win32LayoutPlatform, AModuleWithoutTheResourceSaysSo)
{
    Win32LayoutPlatform platform;
    std::span<std::uint8_t const> bytes;
    EXPECT_EQ(platform.embeddedLayout(bytes), LayoutPlatform::ResourceStatus::NotFound);
}

TEST(Win32LayoutPlatform, DataFolderIsTheRoamingAppDataFolder)
{
    Win32LayoutPlatform platform;
    std::string const folder = platform.appDataFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(std::filesystem::path(folder).filename(), "Roaming");
}

TEST(Win32LayoutPlatform, UnpacksTheProgramsLayoutIntoTheDataFolder)
{
    ProgramResources const program;
    ASSERT_TRUE(program.module());
    Win32LayoutPlatform platform(program.module());
    std::string const name = "TarnexTest" + std::to_string(GetCurrentProcessId()) + ".bin";
    UnpackResult const result = unpackLayout(platform, name);
    ASSERT_TRUE(result.ok) << result.errorText;
    EXPECT_EQ(result.path, platform.appDataFolder() + "\\" + name.substr(0, name.size() - 4) + ".dll");
    EXPECT_EQ(readWholeFile(result.path).bytes, shippedLayout());
    std::filesystem::remove(result.path);
}
