#pragma once

#include "config/layout_error.h"

#include <cstdint>
#include <string>
#include <vector>

// Reads at most kMaxPackedLayoutSize bytes of a packed layout file into
// packed. FileCreation when it cannot be opened, UnableToRead when reading
// fails or the file is not a regular file.
LayoutError readPackedLayoutFile(std::string const& path, std::vector<std::uint8_t>& packed);
