// Any bytes as profile text, with a section and a key taken from the input:
// looking keys up never goes out of bounds, the typed readers parse whatever
// value they find, a key written into the text reads back as written, and the
// layout checker reports on the text without failing, each problem on a line
// of the text.

#include "config/ini_text.h"
#include "config/profile_reader.h"
#include "config/profile_write_rules.h"
#include "ewd/layout_lint.h"

#include <algorithm>

#include <cstddef>
#include <cstdint>

namespace {

// The profile API over one text in memory.
class TextProfileStore final : public ProfileStore {
public:
    std::string_view text;

    std::string read(std::string const&, std::string_view section, std::string_view key, std::string_view defaultText,
        std::size_t bufferSize) override
    {
        IniLocation const location = locateIniEntry(text, section, key);
        if (location.entry && location.entry->hasValue)
            return profileResult(location.entry->value, bufferSize);
        return profileResult(defaultText, bufferSize);
    }
    bool write(std::string const&, std::string_view, std::string_view, std::string_view) override { return false; }
};

// Takes a length byte and that many bytes (as many as there are) off input.
std::string_view takeField(std::string_view& input)
{
    if (input.empty())
        return {};
    std::size_t const length = std::min<std::size_t>(static_cast<unsigned char>(input.front()) % 32, input.size() - 1);
    std::string_view const field = input.substr(1, length);
    input.remove_prefix(1 + length);
    return field;
}

void readEveryWay(ProfileReader const& reader, std::string_view key)
{
    reader.readInt(key, 1);
    reader.readChar(key, 'x');
    reader.readFloat(key, 1.0f);
    reader.readDouble(key, 1.0);
    reader.readBool(key, 2);
    reader.readWideString(key, u"default");
    reader.readKeyword(key, Vocabulary::GaugeForm, 0);
    std::array<double, 4> numbers {};
    reader.readNumberList(key, numbers);
    bool transparent = false;
    reader.readColour(key, "AMBER", &transparent);
    reader.readPoint(key, "0,0");
    reader.readBox(key, "0,0,0,0");
    reader.readAlignment(key, 9);
}

}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    std::string_view input(reinterpret_cast<char const*>(data), size);
    std::string const section(takeField(input));
    std::string const key(takeField(input));
    std::string_view const text = input;

    TextProfileStore store;
    store.text = text;
    ProfileReader const reader(store, "fuzz.ini", section);
    readEveryWay(reader, key);

    std::size_t const lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n') + std::count(text.begin(), text.end(), '\r')) + 1;
    for (LayoutProblem const& problem : lintLayout(text)) {
        if (problem.line < 1 || static_cast<std::size_t>(problem.line) > lines || problem.message.empty())
            __builtin_trap();
    }

    constexpr std::string_view value = "written";
    if (!isWritableProfileEntry("fuzz.ini", section, key, value))
        return 0;
    std::string const updated = iniTextWithEntry(text, section, key, value);
    store.text = updated;
    if (reader.readRaw(key) != value)
        __builtin_trap();
    return 0;
}
