#pragma once

#include "config/profile_store.h"

// Our own profile engine, with the semantics of the Windows private-profile
// API (see ini_text.h for how text is read). Each call reads the file afresh:
// there is no cache to go stale. A file that starts with a UTF-8 byte-order
// mark is read as UTF-8 and its text handed out as Latin-1, as Windows hands
// out such files in its 8-bit code page.
//
// Writing changes only the line of the key (or adds one line, or a section at
// the end) and keeps every other byte of the file. The new file is written
// beside the old one and renamed over it, so a failed write leaves the old
// file whole.
class IniProfileStore final : public ProfileStore {
public:
    std::string read(std::string const& file, std::string_view section, std::string_view key,
        std::string_view defaultText, std::size_t bufferSize) override;
    bool write(std::string const& file, std::string_view section, std::string_view key, std::string_view value) override;
};
