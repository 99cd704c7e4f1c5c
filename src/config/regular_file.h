#pragma once

#include <cstddef>
#include <string>

enum class RegularFileRead { Read, Missing, NotRegular, TooLarge, Failed };

// Opens path without waiting (opening a FIFO would wait for a writer), checks
// the type of the opened handle rather than the path so that nothing can be
// swapped in between, and reads into bytes at most limit bytes (TooLarge
// when there are more; bytes then holds the first limit). On Windows the
// file is shared for reading, writing and deleting, so an editor may save over
// it while it is read. Each OS has its own (src/platform/*/regular_file.cpp).
RegularFileRead readRegularFile(std::string const& path, std::size_t limit, std::string& bytes);
