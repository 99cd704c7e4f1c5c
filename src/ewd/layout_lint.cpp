#include "ewd/layout_lint.h"

#include "config/ascii_text.h"
#include "config/breakpoint_table.h"
#include "config/ini_text.h"
#include "config/leading_number.h"
#include "config/nearest_name.h"
#include "config/profile_reader.h"
#include "ewd/layout_keys.h"
#include "ewd/nearest_layout_key.h"
#include "gauges/gauge_scale.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <span>

namespace {

constexpr std::string_view kSection = "EICAS";
// A hidden information field or user message is placed here on purpose.
constexpr float kHiddenPosition = -1000;

struct Entry {
    int line = 0;
    std::string name; // as written
    std::string value; // as the readers see it
    LayoutKey const* key = nullptr;
};

std::string joined(std::span<std::string_view const> words)
{
    std::string list;
    for (std::string_view word : words)
        list.append(list.empty() ? "" : ", ").append(word);
    return list;
}

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string otherSectionMessage(std::string_view name)
{
    constexpr std::string_view kSections[] = { kSection };
    std::string const message = "section [" + std::string(name) + "] is never read; ";
    if (!nearestName(name, kSections).empty())
        return message + "did you mean [EICAS]?";
    return message + "Tarnex reads only [EICAS]";
}

std::string unknownKeyMessage(std::string_view name)
{
    std::string const nearest = nearestLayoutKey(name);
    if (nearest.empty())
        return "unknown key " + std::string(name) + "; Tarnex reads no such key";
    return "unknown key " + std::string(name) + "; did you mean " + nearest + "?";
}

bool startsWithNumber(std::string_view text, bool integer)
{
    std::size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        ++at;
    if (!integer && at < text.size() && text[at] == '.')
        ++at;
    return at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]));
}

bool isWord(std::span<std::string_view const> words, std::string_view value)
{
    return std::any_of(words.begin(), words.end(), [value](std::string_view word) { return equalsIgnoringAsciiCase(word, value); });
}

bool isColourComponent(std::string_view token)
{
    std::string_view const digits = trimProfileBlanks(token);
    if (digits.empty() || digits.size() > 3 || !std::all_of(digits.begin(), digits.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        return false;
    return std::stoi(std::string(digits)) <= 255;
}

// The gauge forms, as bits, in the order of their keywords (TEXT, the sixth,
// reads none of the keys in the table below).
constexpr unsigned kNone = 1u << 0;
constexpr unsigned kQuadrant = 1u << 1;
constexpr unsigned kRing = 1u << 2;
constexpr unsigned kBar = 1u << 3;
constexpr unsigned kStack = 1u << 4;
constexpr unsigned kDials = kQuadrant | kRing;

// Gauge keys that only some forms read; the drawing code of the others never
// looks at them. Every other gauge key counts for every form.
struct FormKey {
    std::string_view suffix;
    unsigned forms;
};

constexpr FormKey kFormKeys[] = {
    { "FirstTick", kDials },
    { "DangerZone", kDials },
    { "DisplayZero", kDials },
    { "StartAngle", kDials },
    { "EndAngle", kDials },
    { "NeedleStartRadiusRatio", kDials },
    { "NeedleEndRadiusRatio", kDials },
    { "ExtremumTick", kDials },
    { "TickSize", kDials },
    { "TickInterval", kDials },
    { "TickLabelInterval", kDials },
    { "TickLabelDecimals", kDials },
    { "TickValueDivider", kDials },
    { "BarThickness", kBar },
    { "BarFrame", kBar },
    { "BarOrientation", kBar },
    { "StackThickness", kStack },
    { "StackBlockSize", kStack },
    { "StackBlockInterval", kStack },
    { "StackFrame", kStack },
    { "StackOrientation", kStack },
    // A TEXT gauge always shows its number, spread across its box.
    { "ValueDisplayed", kNone | kDials | kBar | kStack },
    { "ValueOffset", kDials | kBar | kStack },
};

// Page keys that only one setting of another keyword key makes the page read.
struct SettingKey {
    std::string_view key;
    std::string_view setting;
    std::string_view word;
};

constexpr SettingKey kSettingKeys[] = {
    { "UpperSeparatorTop", "EFISStyle", "OLD" },
    { "UpperSeparatorBottom", "EFISStyle", "OLD" },
    { "FlapIndicatorPosition", "EFISStyle", "OLD" },
    { "FlapIndicatorScale", "EFISStyle", "OLD" },
    { "FlapIndicatorMode", "EFISStyle", "OLD" },
    { "AlphaLockOffset", "EFISStyle", "OLD" },
    { "AlphaLockOffset", "FlapIndicatorMode", "FULL" },
};

class Linter {
public:
    explicit Linter(std::string_view text)
        : m_text(text)
    {
    }

    std::vector<LayoutProblem> run()
    {
        collectEntries();
        readPageSize();
        for (Entry const& entry : m_entries)
            checkValue(entry);
        for (std::size_t g = 0; g < layoutGaugeNames().size(); ++g) {
            checkScale(static_cast<int>(g));
            checkFormKeys(static_cast<int>(g));
        }
        checkSettingKeys();
        std::stable_sort(m_problems.begin(), m_problems.end(),
            [](LayoutProblem const& a, LayoutProblem const& b) { return a.line < b.line; });
        return std::move(m_problems);
    }

private:
    void report(int line, std::string message) { m_problems.push_back({ line, std::move(message) }); }

    void collectEntries()
    {
        enum class Place { BeforeSections, Read, OtherSection, RepeatedSection };
        Place place = Place::BeforeSections;
        int sectionLine = 0;
        int lineNumber = 0;
        for (std::size_t at = 0; at < m_text.size();) {
            IniLine const line = readIniLine(m_text, at);
            at = line.next;
            ++lineNumber;
            if (line.kind == IniLine::Kind::Section) {
                bool const eicas = equalsIgnoringAsciiCase(line.name, kSection);
                if (eicas && sectionLine != 0)
                    report(lineNumber, "[EICAS] is given again (first on line " + std::to_string(sectionLine) + "); only the first one is read");
                if (eicas && sectionLine == 0)
                    sectionLine = lineNumber;
                if (!eicas)
                    report(lineNumber, otherSectionMessage(line.name));
                if (!eicas)
                    place = Place::OtherSection;
                else
                    place = sectionLine == lineNumber ? Place::Read : Place::RepeatedSection;
                continue;
            }
            if (line.kind != IniLine::Kind::Entry || line.name.empty() || line.name.front() == ';' || line.name.front() == '#')
                continue;
            // The section's header said it once for all its keys.
            if (place == Place::RepeatedSection || place == Place::OtherSection)
                continue;
            if (place != Place::Read) {
                report(lineNumber, "key " + std::string(line.name) + " is outside [EICAS]; Tarnex reads only that section");
                continue;
            }
            collectEntry(line, lineNumber);
        }
        if (sectionLine == 0)
            report(1, "no [EICAS] section; Tarnex reads nothing from this file");
    }

    void collectEntry(IniLine const& line, int lineNumber)
    {
        std::string const name(line.name);
        LayoutKey const* key = findLayoutKey(name);
        if (!key) {
            report(lineNumber, unknownKeyMessage(name));
            return;
        }
        auto const [first, inserted] = m_firstLine.emplace(asciiUpper(name), lineNumber);
        if (!inserted) {
            report(lineNumber, name + " is given again; the first one, on line " + std::to_string(first->second) + ", wins");
            return;
        }
        m_entries.push_back({ lineNumber, name, profileResult(line.value, ProfileReader::kBufferSize), key });
    }

    Entry const* find(std::string_view name) const
    {
        auto const found = std::find_if(m_entries.begin(), m_entries.end(),
            [name](Entry const& entry) { return equalsIgnoringAsciiCase(entry.name, name); });
        return found == m_entries.end() ? nullptr : &*found;
    }

    float numberOr(std::string_view name, float fallback) const
    {
        Entry const* entry = find(name);
        return entry ? leadingFloat(entry->value) : fallback;
    }

    void readPageSize()
    {
        float const width = numberOr("SizeX", 1000);
        float const height = numberOr("SizeY", 1000);
        m_pageWidth = std::isfinite(width) && width > 0 ? width : 1000;
        m_pageHeight = std::isfinite(height) && height > 0 ? height : 1000;
    }

    std::string pageName() const { return "the " + number(m_pageWidth) + " x " + number(m_pageHeight) + " page"; }

    bool onPage(float x, float y) const { return x >= 0 && y >= 0 && x <= m_pageWidth && y <= m_pageHeight; }

    void checkValue(Entry const& entry)
    {
        std::string const setting = entry.name + "=" + entry.value;
        switch (entry.key->value) {
        case LayoutValue::Number:
        case LayoutValue::Integer:
            if (!startsWithNumber(entry.value, entry.key->value == LayoutValue::Integer))
                report(entry.line, setting + " is not a number; it reads as 0");
            break;
        case LayoutValue::FontSize:
            if (!startsWithNumber(entry.value, true))
                report(entry.line, setting + " is not a number; it reads as 0");
            else if (leadingInt(entry.value) <= 0)
                report(entry.line, setting + " is not a font size; a size must be above 0");
            break;
        case LayoutValue::Scale:
            if (!startsWithNumber(entry.value, false) || !(std::isfinite(leadingFloat(entry.value)) && leadingFloat(entry.value) > 0))
                report(entry.line, setting + " is not a scale above 0; the default is kept");
            break;
        case LayoutValue::YesNo:
            checkWord(entry, setting, yesNoWords());
            break;
        case LayoutValue::Keyword:
            checkWord(entry, setting, entry.key->words);
            break;
        case LayoutValue::Alignment:
            checkWord(entry, setting, alignmentWords());
            break;
        case LayoutValue::Colour:
            checkColour(entry, setting);
            break;
        case LayoutValue::Box:
            checkBox(entry, setting);
            break;
        case LayoutValue::Position:
            checkPosition(entry, setting);
            break;
        case LayoutValue::NumberList:
        case LayoutValue::Shape:
            checkNumberList(entry, setting);
            break;
        case LayoutValue::Breakpoints:
            checkBreakpoints(entry, setting);
            break;
        case LayoutValue::Offset:
        case LayoutValue::Text:
        case LayoutValue::Character:
            break;
        }
    }

    void checkWord(Entry const& entry, std::string const& setting, std::span<std::string_view const> words)
    {
        if (!isWord(words, entry.value))
            report(entry.line, setting + " is not one of " + joined(words) + "; the default is kept");
    }

    void checkColour(Entry const& entry, std::string const& setting)
    {
        std::vector<std::string_view> const words = colourWords();
        if (isWord(words, entry.value))
            return;
        std::vector<std::string_view> const parts = splitProfileTokens(entry.value, ',');
        if (parts.size() == 3 && std::all_of(parts.begin(), parts.end(), isColourComponent))
            return;
        report(entry.line, setting + " is neither a colour (" + joined(words) + ") nor red,green,blue from 0 to 255");
    }

    void checkBox(Entry const& entry, std::string const& setting)
    {
        std::vector<std::string_view> const parts = splitProfileTokens(entry.value, ',');
        if (parts.size() != 4 || !std::all_of(parts.begin(), parts.end(), [](std::string_view p) { return startsWithNumber(p, false); })) {
            report(entry.line, setting + " is not a box left,top,right,bottom");
            return;
        }
        float const left = leadingFloat(parts[0]);
        float const top = leadingFloat(parts[1]);
        float const right = leadingFloat(parts[2]);
        float const bottom = leadingFloat(parts[3]);
        // All zero is the readers' own "no box".
        if (left == 0 && top == 0 && right == 0 && bottom == 0)
            return;
        if (!(right > left))
            report(entry.line, setting + ": the right edge " + number(right) + " is not beyond the left edge " + number(left));
        else if (!(bottom > top))
            report(entry.line, setting + ": the bottom edge " + number(bottom) + " is not below the top edge " + number(top));
        else if (!onPage(left, top) || !onPage(right, bottom))
            report(entry.line, setting + " is outside " + pageName());
    }

    void checkPosition(Entry const& entry, std::string const& setting)
    {
        std::vector<std::string_view> const parts = splitProfileTokens(entry.value, ',');
        if (parts.size() != 2 || !startsWithNumber(parts[0], false) || !startsWithNumber(parts[1], false)) {
            report(entry.line, setting + " is not a point x,y");
            return;
        }
        float const x = leadingFloat(parts[0]);
        float const y = leadingFloat(parts[1]);
        if (x == kHiddenPosition && y == kHiddenPosition)
            return;
        if (!onPage(x, y))
            report(entry.line, setting + " is outside " + pageName());
    }

    void checkNumberList(Entry const& entry, std::string const& setting)
    {
        std::vector<std::string_view> const parts = splitProfileTokens(entry.value, '-');
        if (!std::all_of(parts.begin(), parts.end(), [](std::string_view p) { return startsWithNumber(p, false); }))
            report(entry.line, setting + " holds something that is not a number (numbers are separated by '-')");
        else if (entry.key->value == LayoutValue::Shape && parts.size() != 4)
            report(entry.line, setting + " needs four numbers separated by '-'");
    }

    void checkBreakpoints(Entry const& entry, std::string const& setting)
    {
        std::string problem;
        if (!parseBreakpoints(entry.value, &problem))
            report(entry.line, setting + ": " + problem + " (pairs x:y separated by ',', x rising); the table is not used");
    }

    // The scale of a dial: a range that is not empty, and no more ticks than
    // a scale draws.
    void checkScale(int gauge)
    {
        std::string const& name = layoutGaugeNames()[static_cast<std::size_t>(gauge)];
        Entry const* type = find(name + "DisplayType");
        if (!type)
            return;
        std::string_view const form = type->value;
        bool const dial = equalsIgnoringAsciiCase(form, "QUADRANT") || equalsIgnoringAsciiCase(form, "RING");
        bool const shaped = dial || equalsIgnoringAsciiCase(form, "BAR") || equalsIgnoringAsciiCase(form, "STACK");
        if (!shaped)
            return;
        float const min = numberOr(name + "Min", 0);
        float const max = numberOr(name + "Max", 100);
        if (max == min) {
            Entry const* at = find(name + "Max");
            if (!at)
                at = find(name + "Min");
            report((at ? at : type)->line, name + "Max equals " + name + "Min (" + number(min) + "); the scale cannot be drawn");
            return;
        }
        Entry const* interval = find(name + "TickInterval");
        if (!dial || !interval)
            return;
        float const step = leadingFloat(interval->value);
        float const first = numberOr(name + "FirstTick", min);
        if (first > max)
            return;
        double const ticks = step > 0 ? std::floor((max - first) / step) + 1 : INFINITY;
        if (ticks > kMaxScaleTicks) {
            std::string const need = std::isfinite(ticks) ? number(ticks) + " ticks" : "endless ticks";
            report(interval->line, interval->name + "=" + interval->value + " needs " + need + "; a scale draws at most " + std::to_string(kMaxScaleTicks));
        }
    }

    // The word a keyword key stands at as the readers take it: its first
    // word unless a known word is given.
    std::string_view settingWord(std::string_view setting) const
    {
        std::span<std::string_view const> const words = findLayoutKey(setting)->words;
        Entry const* entry = find(setting);
        auto const given = std::find_if(words.begin(), words.end(),
            [entry](std::string_view word) { return entry && equalsIgnoringAsciiCase(word, entry->value); });
        return given == words.end() ? words.front() : *given;
    }

    // One report per key, for the first setting that leaves it unread.
    void checkSettingKeys()
    {
        std::string_view reported;
        for (SettingKey const& rule : kSettingKeys) {
            Entry const* entry = find(rule.key);
            if (!entry || rule.key == reported || settingWord(rule.setting) == rule.word)
                continue;
            report(entry->line, entry->name + " has no effect unless " + std::string(rule.setting) + "=" + std::string(rule.word));
            reported = rule.key;
        }
    }

    // Keys the gauge's form never reads; the form is NONE unless a known
    // keyword says otherwise, as the readers take it.
    void checkFormKeys(int gauge)
    {
        std::string const& name = layoutGaugeNames()[static_cast<std::size_t>(gauge)];
        Entry const* type = find(name + "DisplayType");
        std::span<std::string_view const> const forms = Vocabulary::GaugeForm;
        std::size_t form = 0;
        while (type && form < forms.size() && !equalsIgnoringAsciiCase(forms[form], type->value))
            ++form;
        if (form == forms.size())
            form = 0;
        for (FormKey const& key : kFormKeys) {
            Entry const* entry = find(name + std::string(key.suffix));
            if (entry && (key.forms & (1u << form)) == 0)
                report(entry->line, entry->name + " has no effect on a " + std::string(forms[form]) + " gauge");
        }
    }

    std::string_view m_text;
    std::vector<Entry> m_entries;
    std::map<std::string, int> m_firstLine;
    std::vector<LayoutProblem> m_problems;
    float m_pageWidth = 1000;
    float m_pageHeight = 1000;
};

} // namespace

std::vector<LayoutProblem> lintLayout(std::string_view text)
{
    return Linter(text).run();
}
