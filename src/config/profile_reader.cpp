#include "config/profile_reader.h"

#include <cmath>

#include "config/ascii_text.h"
#include "config/leading_number.h"
#include "render/display_text.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

struct NamedColour {
    std::string_view word;
    std::uint32_t colour; // 0x00BBGGRR
};

constexpr auto kNamedColours = std::to_array<NamedColour>({
    { "BLACK", 0x00000000 },
    { "WHITE", 0x00FFFFFF },
    { "GREY", 0x00646464 },
    { "RED", 0x000000FF },
    { "GREEN", 0x0000FF00 },
    { "BLUE", 0x00FF0000 },
    { "CYAN", 0x00FFFF00 },
    { "YELLOW", 0x0000FFFF },
    { "MAGENTA", 0x00FF00FF },
    { "AMBER", 0x000096FF },
});

constexpr std::string_view kTransparent = "TRANSPARENT";

struct AlignmentKeyword {
    std::string_view word;
    int flags;
};

using namespace Alignment;
constexpr auto kAlignmentKeywords = std::to_array<AlignmentKeyword>({
    { "LEFT", Left | Top },
    { "TOP_LEFT", Left | Top },
    { "BOTTOM_LEFT", Left | Bottom },
    { "BASE_LEFT", Left | Baseline },
    { "CENTER_LEFT", Left | VCenter },
    { "RIGHT", Right | Top },
    { "TOP_RIGHT", Right | Top },
    { "BOTTOM_RIGHT", Right | Bottom },
    { "BASE_RIGHT", Right | Baseline },
    { "CENTER_RIGHT", Right | VCenter },
    { "CENTER", HCenter | Top },
    { "TOP_CENTER", HCenter | Top },
    { "BOTTOM_CENTER", HCenter | Bottom },
    { "BASE_CENTER", HCenter | Baseline },
    { "CENTER_CENTER", HCenter | VCenter },
});

struct BoolWord {
    std::string_view word;
    int value;
};

constexpr auto kBoolWords = std::to_array<BoolWord>({
    { "YES", 1 },
    { "TRUE", 1 },
    { "1", 1 },
    { "ON", 1 },
    { "NO", 0 },
    { "FALSE", 0 },
    { "0", 0 },
    { "OFF", 0 },
});

float floatToken(std::vector<std::string_view> const& tokens, std::size_t index)
{
    return index < tokens.size() ? leadingFloat(tokens[index]) : 0.0f;
}

template<typename Table>
auto const* findWord(Table const& table, std::string_view text)
{
    auto const found = std::find_if(table.begin(), table.end(),
        [text](auto const& row) { return equalsIgnoringAsciiCase(row.word, text); });
    return found == table.end() ? nullptr : &*found;
}

}

ProfileReader::ProfileReader(ProfileStore& store, std::string file, std::string section)
    : m_store(store)
    , m_file(std::move(file))
    , m_section(std::move(section))
{
}

std::optional<std::string> ProfileReader::readRaw(std::string_view key) const
{
    std::string value = m_store.read(m_file, m_section, key, kAbsentSentinel, kBufferSize);
    if (value == kAbsentSentinel)
        return std::nullopt;
    return value;
}

int ProfileReader::readInt(std::string_view key, int defaultValue) const
{
    std::optional<std::string> const value = readRaw(key);
    return value ? leadingInt(*value) : defaultValue;
}

char ProfileReader::readChar(std::string_view key, char defaultValue) const
{
    std::optional<std::string> const value = readRaw(key);
    if (!value)
        return defaultValue;
    return value->empty() ? '\0' : value->front();
}

float ProfileReader::readFloat(std::string_view key, float defaultValue) const
{
    std::optional<std::string> const value = readRaw(key);
    return value ? leadingFloat(*value) : defaultValue;
}

double ProfileReader::readDouble(std::string_view key, double defaultValue) const
{
    std::optional<std::string> const value = readRaw(key);
    return value ? leadingDouble(*value) : defaultValue;
}

int ProfileReader::readBool(std::string_view key, int defaultValue) const
{
    std::optional<std::string> const value = readRaw(key);
    BoolWord const* const word = value ? findWord(kBoolWords, *value) : nullptr;
    return word ? word->value : defaultValue;
}

std::u16string ProfileReader::readWideString(std::string_view key, std::u16string_view defaultValue) const
{
    std::optional<std::string> const value = readRaw(key);
    return value ? toDisplayText(*value) : std::u16string(defaultValue);
}

int ProfileReader::readKeyword(std::string_view key, std::span<std::string_view const> vocabulary, int defaultIndex) const
{
    std::optional<std::string> const value = readRaw(key);
    if (!value)
        return defaultIndex;
    auto const found = std::find_if(vocabulary.begin(), vocabulary.end(),
        [&](std::string_view word) { return equalsIgnoringAsciiCase(word, *value); });
    return found == vocabulary.end() ? defaultIndex : static_cast<int>(found - vocabulary.begin());
}

int ProfileReader::readNumberList(std::string_view key, std::span<double> out) const
{
    std::optional<std::string> const value = readRaw(key);
    if (!value) {
        std::fill(out.begin(), out.end(), 0.0);
        return 0;
    }
    std::vector<std::string_view> const tokens = splitProfileTokens(*value, '-');
    std::size_t const count = std::min(tokens.size(), out.size());
    std::transform(tokens.begin(), tokens.begin() + static_cast<std::ptrdiff_t>(count), out.begin(), leadingDouble);
    return static_cast<int>(count);
}

std::uint32_t ProfileReader::readColour(std::string_view key, std::string_view defaultText, bool* transparent) const
{
    if (transparent)
        *transparent = false;
    std::optional<std::string> const value = readRaw(key);
    return parseColour(value ? std::string_view(*value) : defaultText, transparent);
}

std::uint32_t ProfileReader::readColourOrDefault(std::string_view key, std::uint32_t defaultColour) const
{
    std::optional<std::string> const value = readRaw(key);
    return value ? parseColour(*value) : defaultColour;
}

PointF ProfileReader::readPoint(std::string_view key, std::string_view defaultText) const
{
    std::optional<std::string> const value = readRaw(key);
    std::vector<std::string_view> const tokens = splitProfileTokens(value ? std::string_view(*value) : defaultText, ',');
    return PointF { floatToken(tokens, 0), floatToken(tokens, 1) };
}

std::optional<PointF> ProfileReader::readOptionalPoint(std::string_view key) const
{
    std::optional<std::string> const value = readRaw(key);
    if (!value)
        return std::nullopt;
    std::vector<std::string_view> const tokens = splitProfileTokens(*value, ',');
    return PointF { floatToken(tokens, 0), floatToken(tokens, 1) };
}

float ProfileReader::readPositiveFloat(std::string_view key, float defaultValue) const
{
    float const value = readFloat(key, defaultValue);
    return std::isfinite(value) && value > 0 ? value : defaultValue;
}

RectF ProfileReader::readBox(std::string_view key, std::string_view defaultText) const
{
    std::optional<std::string> const value = readRaw(key);
    std::vector<std::string_view> const tokens = splitProfileTokens(value ? std::string_view(*value) : defaultText, ',');
    float const left = floatToken(tokens, 0);
    float const top = floatToken(tokens, 1);
    return RectF { left, top, floatToken(tokens, 2) - left, floatToken(tokens, 3) - top };
}

int ProfileReader::readAlignment(std::string_view key, int defaultFlags) const
{
    std::optional<std::string> const value = readRaw(key);
    AlignmentKeyword const* const keyword = value ? findWord(kAlignmentKeywords, *value) : nullptr;
    return keyword ? keyword->flags : defaultFlags;
}

bool fileExists(std::string const& path)
{
    std::error_code error;
    std::filesystem::file_status const status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status) || std::filesystem::is_directory(status))
        return false;
    // Opening a FIFO waits for a writer, a device may never answer: such a
    // file is there, and the readers of layouts refuse it.
    return !std::filesystem::is_regular_file(status) || std::ifstream(path).is_open();
}

std::uint32_t parseColour(std::string_view text, bool* transparent)
{
    if (equalsIgnoringAsciiCase(text, kTransparent)) {
        if (transparent)
            *transparent = true;
        return 0x00000000;
    }
    if (NamedColour const* const named = findWord(kNamedColours, text))
        return named->colour;
    std::vector<std::string_view> const tokens = splitProfileTokens(text, ',');
    std::uint32_t colour = 0;
    for (std::size_t i = 0; i < std::min<std::size_t>(tokens.size(), 3); ++i)
        colour |= (static_cast<std::uint32_t>(leadingInt(tokens[i])) & 0xFF) << (8 * i);
    return colour;
}

namespace {

template<typename Table>
std::vector<std::string_view> wordsOf(Table const& table)
{
    std::vector<std::string_view> words;
    for (auto const& row : table)
        words.push_back(row.word);
    return words;
}

}

std::vector<std::string_view> yesNoWords()
{
    return wordsOf(kBoolWords);
}

std::vector<std::string_view> alignmentWords()
{
    return wordsOf(kAlignmentKeywords);
}

std::vector<std::string_view> colourWords()
{
    std::vector<std::string_view> words = wordsOf(kNamedColours);
    words.push_back(kTransparent);
    return words;
}

std::vector<std::string_view> splitProfileTokens(std::string_view text, char separator)
{
    std::vector<std::string_view> tokens;
    std::size_t offset = 0;
    while (offset < text.size()) {
        std::size_t const end = std::min(text.find(separator, offset), text.size());
        if (end > offset)
            tokens.push_back(text.substr(offset, end - offset));
        offset = end + 1;
    }
    return tokens;
}
