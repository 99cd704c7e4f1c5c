#include "config/ini_profile_store.h"

#include "config/ini_text.h"
#include "config/profile_write_rules.h"
#include "config/whole_file.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

std::string latin1ToUtf8(std::string_view text)
{
    std::string result;
    for (char c : text) {
        auto const byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            result.push_back(c);
        } else {
            result.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            result.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return result;
}

// Characters beyond Latin-1 and malformed sequences become '?'.
std::string utf8ToLatin1(std::string_view text)
{
    std::string result;
    for (std::size_t i = 0; i < text.size();) {
        auto const lead = static_cast<unsigned char>(text[i]);
        std::size_t const length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        bool wellFormed = length > 0 && i + length <= text.size();
        for (std::size_t k = 1; wellFormed && k < length; ++k)
            wellFormed = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        if (!wellFormed) {
            result.push_back('?');
            ++i;
            continue;
        }
        bool const latin1 = length == 1 || (length == 2 && lead <= 0xC3);
        result.push_back(!latin1 ? '?'
                : length == 1    ? text[i]
                                 : static_cast<char>(((lead & 0x1F) << 6) | (text[i + 1] & 0x3F)));
        i += length;
    }
    return result;
}

// The profile text of a file and how its bytes map to 8-bit text.
struct ProfileText {
    std::string bytes;
    bool utf8 = false;

    explicit ProfileText(std::string fileBytes)
        : bytes(std::move(fileBytes))
        , utf8(std::string_view(bytes).starts_with(kUtf8Mark))
    {
    }
    std::size_t start() const { return utf8 ? kUtf8Mark.size() : 0; }
    std::string_view text() const { return std::string_view(bytes).substr(start()); }
    std::string encode(std::string_view latin1) const { return utf8 ? latin1ToUtf8(latin1) : std::string(latin1); }
    std::string decode(std::string_view stored) const { return utf8 ? utf8ToLatin1(stored) : std::string(stored); }
};

// Writes a file beside path and renames it over path, so that readers see
// the old or the new file, never a part of one. A symlink at path is replaced
// by the file, never followed: whoever planted it chooses no file of ours.
bool replaceFile(std::string const& path, std::string const& contents)
{
    std::error_code error;
    fs::path const target = path;
    fs::path temporary = target;
    temporary += ".tmp" + std::to_string(std::random_device {}());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
        out.close();
        if (!out) {
            fs::remove(temporary, error);
            return false;
        }
    }
    fs::file_status const old = fs::symlink_status(target, error);
    if (fs::is_regular_file(old))
        fs::permissions(temporary, old.permissions(), error);
    fs::rename(temporary, target, error);
    if (error) {
        fs::remove(temporary, error);
        return false;
    }
    return true;
}

// The API drops trailing spaces of the default text.
std::string_view withoutTrailingSpaces(std::string_view text)
{
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

}

std::string IniProfileStore::read(std::string const& file, std::string_view section, std::string_view key,
    std::string_view defaultText, std::size_t bufferSize)
{
    if (std::optional<std::string> bytes = readWholeFile(file, kMaxProfileFileSize).bytes) {
        ProfileText const profile(std::move(*bytes));
        IniLocation const location = locateIniEntry(profile.text(), profile.encode(section), profile.encode(key));
        if (location.entry && location.entry->hasValue)
            return profileResult(profile.decode(location.entry->value), bufferSize);
    }
    return profileResult(withoutTrailingSpaces(defaultText), bufferSize);
}

bool IniProfileStore::write(std::string const& file, std::string_view section, std::string_view key, std::string_view value)
{
    if (!isWritableProfileEntry(file, section, key, value))
        return false;
    WholeFile old = readWholeFile(file, kMaxProfileFileSize);
    if (!old.bytes && old.status != RegularFileRead::Missing)
        return false; // unreadable: rewriting it would lose its other lines
    ProfileText const profile(std::move(old.bytes).value_or(std::string()));
    std::string const updated = profile.bytes.substr(0, profile.start())
        + iniTextWithEntry(profile.text(), profile.encode(section), profile.encode(key), profile.encode(value));
    return replaceFile(file, updated);
}
