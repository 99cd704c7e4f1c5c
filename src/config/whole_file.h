#pragma once

#include "config/regular_file.h"

#include "config/layout_codec.h"

#include <cstddef>
#include <optional>
#include <string>

// Settings profiles hold a few lines, but one written by hand may carry a
// line far longer than any layout; this still bounds what is held.
inline constexpr std::size_t kMaxProfileFileSize = 1 << 20;

// The bytes of a layout or profile file, or, when it is refused, why: the
// subject-less part of a sentence such as "it is not a regular file".
struct WholeFile {
    std::optional<std::string> bytes;
    std::string problem;
    RegularFileRead status = RegularFileRead::Read;
};

// Every layout and profile read comes here. Only a regular file is read, and
// no more than the largest layout: a FIFO would wait for ever and a device
// such as /dev/zero would never end.
WholeFile readWholeFile(std::string const& path, std::size_t limit = kMaxPackedLayoutSize);
