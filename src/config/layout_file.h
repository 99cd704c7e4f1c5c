#pragma once

#include "config/whole_file.h"

#include <optional>
#include <string>
#include <string_view>

// The text of a layout file named by the user: a packed layout (recognised by
// its content: it unscrambles with a valid checksum and header byte) or a
// plain profile text. A file that is neither, or that cannot be read, gives
// the reason as one short phrase ("Checksum Error", ...).
struct LayoutFileText {
    std::optional<std::string> text;
    std::string problem; // set when text is not
};

LayoutFileText readLayoutFile(std::string const& path);
// The same of a file read already.
LayoutFileText layoutFileTextOf(WholeFile const& file);

// The layout text of a file's bytes, packed or plain; nullopt (and the
// reason in problem) when they are neither.
std::optional<std::string> layoutTextOf(std::string const& bytes, std::string& problem);

// True when text holds a line opening the section (ASCII case ignored).
bool hasProfileSection(std::string_view text, std::string_view section);
