#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The profile (INI) file port, with the semantics of the Windows private
// profile API: the Windows build calls GetPrivateProfileStringA and
// WritePrivateProfileStringA, the Linux build uses our own engine.
class ProfileStore {
public:
    virtual ~ProfileStore() = default;

    // The value of key in section of file, or defaultText when the key (or the
    // file) is absent; cut to bufferSize - 1 characters.
    virtual std::string read(std::string const& file, std::string_view section, std::string_view key,
        std::string_view defaultText, std::size_t bufferSize)
        = 0;

    // Sets key = value, creating the file, section or key as needed and
    // keeping every other line. Returns false when the file cannot be written.
    virtual bool write(std::string const& file, std::string_view section, std::string_view key, std::string_view value) = 0;
};
