#include "config/packed_layout_file.h"

#include "config/layout_codec.h"

#include <fstream>

LayoutError readPackedLayoutFile(std::string const& path, std::vector<std::uint8_t>& packed)
{
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
