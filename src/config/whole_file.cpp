#include "config/whole_file.h"

#include <array>
#include <fstream>

std::optional<std::string> readWholeFile(std::string const& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes;
    std::array<char, 16384> chunk;
    // read() turns a failing read (a folder, say) into badbit, not an exception.
    while (in.read(chunk.data(), chunk.size()) || in.gcount() > 0)
        bytes.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        return std::nullopt;
    return bytes;
}
