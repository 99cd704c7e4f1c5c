#include "config/packed_layout_file.h"

#include "config/layout_codec.h"

#include <filesystem>
#include <fstream>

LayoutError readPackedLayoutFile(std::string const& path, std::vector<std::uint8_t>& packed)
{
    // Only a regular file: reading a FIFO or a device could wait for ever.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::filesystem::exists(path, error) ? LayoutError::UnableToRead : LayoutError::FileCreation;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return LayoutError::FileCreation;
    packed.resize(kMaxPackedLayoutSize);
    in.read(reinterpret_cast<char*>(packed.data()), static_cast<std::streamsize>(packed.size()));
    if (in.bad())
        return LayoutError::UnableToRead;
    packed.resize(static_cast<std::size_t>(in.gcount()));
    return LayoutError::None;
}
