#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// An extended dialog template (DLGTEMPLATEEX) as the resource compiler
// wrote it, read back for checking. Names given by number (a predefined
// control class, an icon) are kept as that number.
struct DialogItem {
    std::uint32_t style = 0;
    int x = 0, y = 0, width = 0, height = 0;
    int id = 0;
    std::string className; // "#130" for a predefined class given by atom 0x0082
    std::string text; // "#107" for a resource given by number
};

struct DialogTemplate {
    std::uint32_t style = 0;
    int x = 0, y = 0, width = 0, height = 0;
    std::string caption;
    int pointSize = 0;
    std::string typeface;
    std::vector<DialogItem> items;

    DialogItem const* itemWithText(std::string const& text) const;
    DialogItem const* itemWithId(int id) const;
};

// Nothing when the bytes are not an extended dialog template.
std::optional<DialogTemplate> parseDialogTemplate(std::span<std::uint8_t const> bytes);
