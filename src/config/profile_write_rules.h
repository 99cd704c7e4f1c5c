#pragma once

#include <string_view>

// Whether section, key and value can be written as one "key=value" line of a
// section of file without changing any other entry. A line break in any of
// them, a '=' in the key or a '[' at its start would make the line read back
// as different entries, so such writes are refused; so are empty names. An
// empty file name (the user's folders unknown) names no file: the Windows API
// would write into the Windows folder, and a file beside it would land in the
// current folder.
bool isWritableProfileEntry(std::string_view file, std::string_view section, std::string_view key, std::string_view value);
