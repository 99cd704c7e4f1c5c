#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Profile (INI) text as the Windows profile API reads it. A line ends at CR,
// LF or CRLF. Blanks (tab to CR, space, and the DOS end-of-file mark 0x1A)
// around a line, a name and a value do not count. A trimmed line that starts
// with '[' and holds a ']' opens a section named by the text up to the last
// ']'; any other non-blank line is an entry, "name=value" split at the first
// '=', or a bare name without value. Lines before the first section belong to
// a section with an empty name. Comment lines need no rule of their own: ";x=1"
// is an entry named ";x", which no real key matches. A NUL byte ends a name or
// a value, as in the C strings the API works on.

struct IniLine {
    enum class Kind { Blank, Section, Entry };

    Kind kind = Kind::Blank;
    std::string_view name;
    bool hasValue = false; // an entry with '='
    std::string_view value; // trimmed, quotes kept
    // Offsets into the text: where its value starts (its content end for a
    // bare name), where its content ends (trailing blanks excluded), and
    // where the next line starts.
    std::size_t valueBegin = 0;
    std::size_t contentEnd = 0;
    std::size_t next = 0;
};

IniLine readIniLine(std::string_view text, std::size_t begin);

// Where a key is, or where it would be added.
struct IniLocation {
    bool sectionFound = false;
    // The first entry of that name in the first section of that name; later
    // sections of the same name are never searched.
    std::optional<IniLine> entry;
    // Where a new entry goes when the key is absent: after the section's last
    // entry that is not a comment, else after its header. Only set when the
    // section is found and the key is not.
    std::size_t insertAt = 0;
};

// Names compare without regard to ASCII case and surrounding blanks.
IniLocation locateIniEntry(std::string_view text, std::string_view section, std::string_view key);

// The text with key set to value: the key's value replaced in place, or a
// "key=value" line added to the section (after its last entry), or the
// section appended at the end with that line. Every other byte is kept; new
// lines end like the text's first line (CRLF for a text without one).
std::string iniTextWithEntry(std::string_view text, std::string_view section, std::string_view key, std::string_view value);

std::string_view trimProfileBlanks(std::string_view text);

// What the API hands back for a value or a default: cut at a NUL, one pair of
// matching surrounding quotes (' or ") removed, cut to bufferSize - 1 bytes.
std::string profileResult(std::string_view value, std::size_t bufferSize);
