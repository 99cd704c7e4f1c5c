#include "config/layout_codec.h"
#include "config/layout_error.h"
#include "config/layout_unpacker.h"
#include "config/packed_layout_file.h"
#include "config/whole_file.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

constexpr std::string_view kEmbeddedText = "[EICAS]\r\nSizeX=1000\r\n";
constexpr std::string_view kExternalText = "[EICAS]\r\nSizeX=640\r\n";

// The embedded layout and data folder a test sets up; counts how often the
// embedded layout is asked for.
class FakeLayoutPlatform final : public LayoutPlatform {
public:
    ResourceStatus status = ResourceStatus::Ok;
    std::vector<std::uint8_t> embedded = scrambleLayout(kEmbeddedText).value();
    std::string folder;
    int embeddedReads = 0;

    ResourceStatus embeddedLayout(std::span<std::uint8_t const>& bytes) override
    {
        ++embeddedReads;
        if (status == ResourceStatus::Ok)
            bytes = embedded;
        return status;
    }
    std::string appDataFolder() override { return folder; }
};

class LayoutUnpackerTest : public testing::Test {
protected:
    TempFolder appData;
    TempFolder current;
    FakeLayoutPlatform platform;

    LayoutUnpackerTest() { platform.folder = appData.path(); }

    // The name of a layout file in the test's own folder, standing for
    // "A320CFM.bin" in the current directory.
    std::string externalName() const { return current.file("A320CFM.bin"); }
    void writeExternal(std::span<std::uint8_t const> bytes) const
    {
        std::ofstream(externalName(), std::ios::binary)
            .write(reinterpret_cast<char const*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::string temporaryFile() const { return appData.file("A320CFM.dll"); }
};

}

TEST(LayoutError, Texts)
{
    EXPECT_EQ(layoutErrorText(LayoutError::None, "A320CFM.bin"), "No Error");
    EXPECT_EQ(layoutErrorText(LayoutError::FileCreation, "A320CFM.bin"), "File creation");
    EXPECT_EQ(layoutErrorText(LayoutError::UnableToRead, "A320CFM.bin"), "Unable to read A320CFM.bin");
    EXPECT_EQ(layoutErrorText(LayoutError::ResourceNotFound, ""), "Resource not found");
    EXPECT_EQ(layoutErrorText(LayoutError::ResourceSize, ""), "Rsrc size error");
    EXPECT_EQ(layoutErrorText(LayoutError::ResourceLoad, ""), "Error loading rsrc");
    EXPECT_EQ(layoutErrorText(LayoutError::Checksum, ""), "Checksum Error");
    EXPECT_EQ(layoutErrorText(LayoutError::AppDataFolder, ""), "Error in locating APP_DATA folder");
    EXPECT_EQ(layoutErrorText(LayoutError::WritingFile, ""), "Error in writing file");
}

TEST_F(LayoutUnpackerTest, WithoutAnExternalFileTheEmbeddedLayoutIsWrittenToTheDataFolder)
{
    UnpackResult const result = unpackLayout(platform, externalName());
    ASSERT_TRUE(result.ok) << result.errorText;
    EXPECT_EQ(result.errorText, "No Error");
    EXPECT_EQ(std::filesystem::path(result.path), std::filesystem::path(temporaryFile()));
    EXPECT_EQ(readWholeFile(result.path).bytes, kEmbeddedText);
}

TEST_F(LayoutUnpackerTest, AnExternalFileTakesPrecedence)
{
    writeExternal(scrambleLayout(kExternalText).value());
    UnpackResult const result = unpackLayout(platform, externalName());
    ASSERT_TRUE(result.ok) << result.errorText;
    EXPECT_EQ(readWholeFile(result.path).bytes, kExternalText);
    EXPECT_EQ(platform.embeddedReads, 0);
}

TEST_F(LayoutUnpackerTest, ADamagedExternalFileFailsWithoutFallingBack)
{
    std::vector<std::uint8_t> bytes = scrambleLayout(kExternalText).value();
    bytes.back() ^= 1;
    writeExternal(bytes);
    UnpackResult const result = unpackLayout(platform, externalName());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorText, "Checksum Error");
    EXPECT_EQ(platform.embeddedReads, 0);
    EXPECT_TRUE(appData.isEmpty());
}

TEST_F(LayoutUnpackerTest, EmptyAndOneByteFilesFailTheChecksum)
{
    for (std::size_t size : { 0, 1 }) {
        writeExternal(std::vector<std::uint8_t>(size, 0x5B));
        UnpackResult const result = unpackLayout(platform, externalName());
        EXPECT_EQ(result.errorText, "Checksum Error") << size;
    }
}

TEST_F(LayoutUnpackerTest, ATwoByteLayoutGivesAnEmptyFile)
{
    writeExternal(scrambleLayout("").value());
    UnpackResult const result = unpackLayout(platform, externalName());
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(readWholeFile(result.path).bytes, "");
}

TEST_F(LayoutUnpackerTest, AnOversizedFileIsCutTo40960Bytes)
{
    std::vector<std::uint8_t> bytes = scrambleLayout(std::string(kMaxLayoutTextSize, 'x')).value();
    bytes.insert(bytes.end(), 100, 0xAA);
    writeExternal(bytes);
    EXPECT_TRUE(unpackLayout(platform, externalName()).ok);

    std::vector<std::uint8_t> longer = scrambleLayout(std::string(100, 'x')).value();
    longer.resize(kMaxPackedLayoutSize + 1, 0);
    writeExternal(longer);
    EXPECT_EQ(unpackLayout(platform, externalName()).errorText, "Checksum Error");
}

TEST_F(LayoutUnpackerTest, EmbeddedLayoutFailuresHaveTheirTexts)
{
    std::vector<std::pair<LayoutPlatform::ResourceStatus, std::string>> const cases {
        { LayoutPlatform::ResourceStatus::NotFound, "Resource not found" },
        { LayoutPlatform::ResourceStatus::SizeZero, "Rsrc size error" },
        { LayoutPlatform::ResourceStatus::LoadFailed, "Error loading rsrc" },
    };
    for (auto const& [status, text] : cases) {
        platform.status = status;
        UnpackResult const result = unpackLayout(platform, externalName());
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.errorText, text);
    }
    platform.status = LayoutPlatform::ResourceStatus::Ok;
    platform.embedded.clear();
    EXPECT_EQ(unpackLayout(platform, externalName()).errorText, "Rsrc size error");
}

TEST_F(LayoutUnpackerTest, NoDataFolderIsReported)
{
    platform.folder.clear();
    EXPECT_EQ(unpackLayout(platform, externalName()).errorText, "Error in locating APP_DATA folder");
}

TEST_F(LayoutUnpackerTest, AnUnwritableTemporaryFileIsReportedAndNotLeftBehind)
{
    platform.folder = appData.file("no-such-folder");
    EXPECT_EQ(unpackLayout(platform, externalName()).errorText, "Error in writing file");
    EXPECT_TRUE(appData.isEmpty());
}

TEST_F(LayoutUnpackerTest, TheTemporaryFileIsNamedAfterTheLayoutInTheDataFolder)
{
    EXPECT_EQ(std::filesystem::path(unpackLayout(platform, "A320CFM.bin").path).filename(), "A320CFM.dll");
    EXPECT_EQ(std::filesystem::path(unpackLayout(platform, "layout.ini").path).filename(), "layout.dll");
    EXPECT_EQ(std::filesystem::path(unpackLayout(platform, "bin").path).filename(), ".dll");
    UnpackResult const nested = unpackLayout(platform, current.file("../elsewhere/My.bin"));
    EXPECT_EQ(std::filesystem::path(nested.path).parent_path(), std::filesystem::path(appData.path()));
}

TEST_F(LayoutUnpackerTest, AnExistingTemporaryFileIsOverwritten)
{
    std::ofstream(temporaryFile()) << std::string(500, 'z');
    UnpackResult const result = unpackLayout(platform, externalName());
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(readWholeFile(result.path).bytes, kEmbeddedText);
}

TEST(PackedLayoutFile, AFileThatCannotBeOpenedIsAFileCreationError)
{
    TempFolder folder;
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(readPackedLayoutFile(folder.file("absent.bin"), bytes), LayoutError::FileCreation);
}
