#include "config/layout_file.h"

#include "config/ascii_text.h"
#include "config/ini_text.h"
#include "config/layout_codec.h"
#include "config/layout_error.h"
#include "config/layout_key.h"
#include "config/whole_file.h"

#include <algorithm>
#include <cstdint>
#include <span>

namespace {

// Control bytes never appear in a profile text someone wrote, but nearly
// every stretch of scrambled bytes holds some: a damaged packed layout is
// told apart from a plain one by them, so it is reported as damaged rather
// than read as a text full of noise.
bool looksLikePlainText(std::string_view bytes)
{
    return std::none_of(bytes.begin(), bytes.end(), [](char c) {
        auto const byte = static_cast<unsigned char>(c);
        return byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f' && byte != '\v' && byte != 0x1A;
    });
}

std::optional<std::string> packedLayoutText(std::string_view bytes)
{
    return unscrambleLayout(std::span(reinterpret_cast<std::uint8_t const*>(bytes.data()), bytes.size()));
}

bool packedHeaderMatches(std::string_view bytes)
{
    return !bytes.empty() && (static_cast<std::uint8_t>(bytes.front()) ^ kLayoutKey[0]) == kLayoutHeaderByte;
}

}

bool hasProfileSection(std::string_view text, std::string_view section)
{
    for (std::size_t at = 0; at < text.size();) {
        IniLine const line = readIniLine(text, at);
        if (line.kind == IniLine::Kind::Section && equalsIgnoringAsciiCase(trimProfileBlanks(line.name), section))
            return true;
        at = line.next;
    }
    return false;
}

std::optional<std::string> layoutTextOf(std::string const& bytes, std::string& problem)
{
    if (packedHeaderMatches(bytes)) {
        if (std::optional<std::string> text = packedLayoutText(bytes))
            return text;
    }
    if (!looksLikePlainText(bytes)) {
        problem = layoutErrorText(LayoutError::Checksum, {});
        return std::nullopt;
    }
    return bytes;
}

LayoutFileText readLayoutFile(std::string const& path)
{
    return layoutFileTextOf(readWholeFile(path));
}

LayoutFileText layoutFileTextOf(WholeFile const& file)
{
    if (!file.bytes)
        return { std::nullopt, file.problem };
    std::optional<std::string> const& bytes = file.bytes;
    if (bytes->empty())
        return { std::nullopt, "the file is empty" };
    LayoutFileText result;
    result.text = layoutTextOf(*bytes, result.problem);
    if (!result.text)
        return result;
    if (result.text->size() > kMaxLayoutTextSize)
        return { std::nullopt, "it holds more than " + std::to_string(kMaxLayoutTextSize) + " bytes" };
    if (!hasProfileSection(*result.text, "EICAS"))
        return { std::nullopt, "it has no [EICAS] section" };
    return result;
}
