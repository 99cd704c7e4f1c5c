#include "config/layout_unpacker.h"

#include "config/layout_codec.h"
#include "config/layout_error.h"
#include "config/packed_layout_file.h"
#include "config/profile_reader.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

LayoutError readEmbeddedLayout(LayoutPlatform& platform, std::vector<std::uint8_t>& packed)
{
    std::span<std::uint8_t const> bytes;
    switch (platform.embeddedLayout(bytes)) {
    case LayoutPlatform::ResourceStatus::Ok:
        break;
    case LayoutPlatform::ResourceStatus::NotFound:
        return LayoutError::ResourceNotFound;
    case LayoutPlatform::ResourceStatus::SizeZero:
        return LayoutError::ResourceSize;
    case LayoutPlatform::ResourceStatus::LoadFailed:
        return LayoutError::ResourceLoad;
    }
    if (bytes.empty())
        return LayoutError::ResourceSize;
    bytes = bytes.first(std::min(bytes.size(), kMaxPackedLayoutSize));
    packed.assign(bytes.begin(), bytes.end());
    return LayoutError::None;
}

// The folder and the file name's last part with its last four characters
// (the extension) replaced by ".dll". Directory parts of the name are left
// out so the file always lands in the folder.
std::string temporaryLayoutPath(std::string const& folder, std::string_view fileName)
{
    std::string name = std::filesystem::path(std::string(fileName)).filename().string();
    name.resize(name.size() - std::min<std::size_t>(name.size(), 4));
    return (std::filesystem::path(folder) / (name + ".dll")).string();
}

// A file that could not be written whole is removed: a part of a layout must
// not be left to be read.
bool writeTemporaryLayout(std::string const& path, std::string const& text)
{
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (out)
            return true;
    }
    std::error_code error;
    std::filesystem::remove(path, error);
    return false;
}

UnpackResult failure(LayoutError error, std::string_view fileName)
{
    return UnpackResult { false, {}, layoutErrorText(error, fileName) };
}

}

UnpackResult unpackLayout(LayoutPlatform& platform, std::string_view fileName)
{
    std::string const name(fileName);
    std::vector<std::uint8_t> packed;
    LayoutError const sourceError = !name.empty() && fileExists(name)
        ? readPackedLayoutFile(name, packed)
        : readEmbeddedLayout(platform, packed);
    if (sourceError != LayoutError::None)
        return failure(sourceError, fileName);

    std::optional<std::string> const text = unscrambleLayout(packed);
    if (!text)
        return failure(LayoutError::Checksum, fileName);
    return writeUnpackedLayout(platform, fileName, *text);
}

UnpackResult writeUnpackedLayout(LayoutPlatform& platform, std::string_view fileName, std::string const& text)
{
    std::string const folder = platform.appDataFolder();
    if (folder.empty())
        return failure(LayoutError::AppDataFolder, fileName);

    std::string path = temporaryLayoutPath(folder, fileName);
    if (!writeTemporaryLayout(path, text))
        return failure(LayoutError::WritingFile, fileName);
    return UnpackResult { true, std::move(path), layoutErrorText(LayoutError::None, fileName) };
}
