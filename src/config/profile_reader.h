#pragma once

#include "config/profile_store.h"
#include "render/geometry.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Typed readers over one section of one profile file. Every read asks the
// store for the key with the sentinel default "<UNDEFINDED>" and a 99-char
// buffer; the sentinel coming back means the key is absent and the reader's
// default applies, so no reader ever fails.
class ProfileReader {
public:
    static constexpr std::string_view kAbsentSentinel = "<UNDEFINDED>";
    static constexpr std::size_t kBufferSize = 99;

    ProfileReader(ProfileStore& store, std::string file, std::string section);

    std::string const& file() const { return m_file; }
    std::string const& section() const { return m_section; }

    // The raw value text, or nullopt when the key is absent.
    std::optional<std::string> readRaw(std::string_view key) const;

    int readInt(std::string_view key, int defaultValue) const;
    char readChar(std::string_view key, char defaultValue) const;
    float readFloat(std::string_view key, float defaultValue) const;
    double readDouble(std::string_view key, double defaultValue) const;
    // "YES", "TRUE", "1", "ON" give 1; "NO", "FALSE", "0", "OFF" give 0;
    // anything else gives the default.
    int readBool(std::string_view key, int defaultValue) const;
    // The value through toDisplayText; the default itself when absent.
    std::u16string readWideString(std::string_view key, std::u16string_view defaultValue) const;
    // Index of the first vocabulary word equal to the value (ASCII case
    // ignored), or the default index.
    int readKeyword(std::string_view key, std::span<std::string_view const> vocabulary, int defaultIndex) const;
    // '-'-separated numbers into out; returns how many were stored. Absent:
    // every element of out is set to 0 and the result is 0.
    int readNumberList(std::string_view key, std::span<double> out) const;
    // Colour 0x00BBGGRR. *transparent, when given, is cleared first and set by
    // "TRANSPARENT".
    std::uint32_t readColour(std::string_view key, std::string_view defaultText, bool* transparent = nullptr) const;
    std::uint32_t readColourOrDefault(std::string_view key, std::uint32_t defaultColour) const;
    PointF readPoint(std::string_view key, std::string_view defaultText) const;
    // The point, or nullopt when the key is absent: for elements that show
    // only where a layout places them.
    std::optional<PointF> readOptionalPoint(std::string_view key) const;
    // The number when it is finite and above 0, else the default: for sizes
    // and scales, which 0 or less would make nothing or turn inside out.
    float readPositiveFloat(std::string_view key, float defaultValue) const;
    // "left,top,right,bottom" stored as x, y, width, height.
    RectF readBox(std::string_view key, std::string_view defaultText) const;
    // Alignment flags (see Alignment below).
    int readAlignment(std::string_view key, int defaultFlags) const;

private:
    ProfileStore& m_store;
    std::string m_file;
    std::string m_section;
};

// True when the file can be opened for reading; a file that is not a regular
// file (a FIFO, a device) counts as there without being opened.
bool fileExists(std::string const& path);

// The non-empty pieces of text between separators, as the readers split
// points, boxes, colours and number lists: separators in a row, at the start
// or at the end make no empty piece.
std::vector<std::string_view> splitProfileTokens(std::string_view text, char separator);

// The words each reader knows, in table order, for messages that list them.
std::vector<std::string_view> yesNoWords();
std::vector<std::string_view> alignmentWords();
std::vector<std::string_view> colourWords(); // "TRANSPARENT" last

// Colour keyword or "red,green,blue" to 0x00BBGGRR.
std::uint32_t parseColour(std::string_view text, bool* transparent = nullptr);

// Text alignment flags: one horizontal and one vertical bit.
namespace Alignment {
constexpr int Left = 1;
constexpr int HCenter = 2;
constexpr int Right = 4;
constexpr int Top = 8;
constexpr int Baseline = 16;
constexpr int Bottom = 32;
constexpr int VCenter = 64;
}

// Keyword vocabularies; a keyword's index is the stored value.
namespace Vocabulary {
constexpr std::array<std::string_view, 4> FontQuality { "DEFAULT", "SINGLE_BIT", "ANTIALIASED", "CLEAR_TYPE" };
constexpr std::array<std::string_view, 5> FontStyle { "REGULAR", "BOLD", "ITALIC", "BOLD_ITALIC", "UNDERLINE" };
constexpr std::array<std::string_view, 3> ShowCondition { "NEVER", "ON_SIGNAL", "ALWAYS" };
constexpr std::array<std::string_view, 6> GaugeForm { "NONE", "QUADRANT", "RING", "BAR", "STACK", "TEXT" };
constexpr std::array<std::string_view, 2> Orientation { "HORIZONTAL", "VERTICAL" };
constexpr std::array<std::string_view, 2> UnitSystem { "US", "METRIC" };
constexpr std::array<std::string_view, 2> PageStyle { "OLD", "NEW" };
constexpr std::array<std::string_view, 2> EngineType { "N1_DRIVEN", "EPR_DRIVEN" };
constexpr std::array<std::string_view, 2> WarningMode { "BASIC", "FULL" };
constexpr std::array<std::string_view, 2> FlapIndicatorMode { "BASIC", "FULL" };
}
