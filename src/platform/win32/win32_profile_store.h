#pragma once

#include "config/profile_store.h"

// The Windows private-profile API itself. Writes that would break the file's
// line structure are refused before they reach the API, as our own engine
// refuses them.
class Win32ProfileStore final : public ProfileStore {
public:
    std::string read(std::string const& file, std::string_view section, std::string_view key,
        std::string_view defaultText, std::size_t bufferSize) override;
    bool write(std::string const& file, std::string_view section, std::string_view key, std::string_view value) override;
};
