#include "sim/aircraft_file.h"

#include "sim/aircraft_file_fields.h"

#include "config/ini_text.h"
#include "config/nearest_name.h"
#include "config/whole_file.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr std::uint32_t kOffsetSpace = 0x10000;
constexpr std::string_view kTypeList = "u8, s8, u16, s16, u32, s32, f32 or f64";

using Field = AircraftSection::Field;

std::string quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

std::string hex(std::uint64_t offset)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%04llX", static_cast<unsigned long long>(offset));
    return text;
}

// A comment runs from ';' to the end of the line.
std::string_view withoutComment(std::string_view value)
{
    return trimProfileBlanks(value.substr(0, value.find(';')));
}

std::string instanceWords(ValueInstances instances)
{
    return instances == ValueInstances::PerGear ? "one per gear (nose, left, right)" : "one per engine";
}

class AircraftFileReader {
public:
    explicit AircraftFileReader(AircraftFileContents& contents)
        : contents(contents)
    {
    }

    void read(std::string_view text);

private:
    void readLine(IniLine const& line, int number);
    void openSection(std::string_view name, int number);
    void takeField(IniLine const& line, int number);
    void decode(AircraftSection const& section);
    void decodeFsuipc(AircraftSection const& section, ValueSources& sources);
    std::optional<FsuipcSource> fsuipcSource(AircraftSection const& section);
    bool fsuipcOffsets(AircraftSection const& section, FsuipcSource& source);
    void decodeCodes(AircraftSection const& section, ValueSources& sources);
    void decodeXPlane(AircraftSection const& section, ValueSources& sources);
    void decodeFlightGear(AircraftSection const& section, ValueSources& sources);
    std::optional<double> real(std::optional<Field> const& field, std::string_view name, double otherwise);
    std::optional<double> scale(std::optional<Field> const& field, std::string_view name);
    void problem(int line, std::string message);

    AircraftFileContents& contents;
    std::vector<AircraftSection> sections;
    bool inUnknownSection = false;
};

void AircraftFileReader::read(std::string_view text)
{
    int number = 1;
    for (std::size_t at = 0; at < text.size(); ++number) {
        IniLine const line = readIniLine(text, at);
        readLine(line, number);
        at = line.next;
    }
    for (AircraftSection const& section : sections)
        decode(section);
    std::ranges::stable_sort(contents.problems, {}, &AircraftFileProblem::line);
}

void AircraftFileReader::readLine(IniLine const& line, int number)
{
    if (line.kind == IniLine::Kind::Section)
        openSection(line.name, number);
    else if (line.kind == IniLine::Kind::Entry && !line.name.starts_with(';') && !line.name.starts_with('#'))
        takeField(line, number);
}

void AircraftFileReader::openSection(std::string_view name, int number)
{
    std::optional<AircraftValue> const value = findAircraftValue(name);
    inUnknownSection = !value;
    if (!value) {
        std::vector<std::string_view> names;
        for (AircraftValueRow const& row : kAircraftValueTable)
            names.push_back(row.name);
        std::string const nearest = nearestName(name, names);
        problem(number,
            "unknown value " + quoted(name) + (nearest.empty() ? "." : "; did you mean " + quoted(nearest) + "?"));
        return;
    }
    auto const earlier = std::ranges::find(sections, *value, &AircraftSection::value);
    if (earlier != sections.end()) {
        problem(number, "[" + std::string(aircraftValueRow(*value).name) + "] is given again; its first section is on line "
                + std::to_string(earlier->line) + ".");
        inUnknownSection = true;
        return;
    }
    AircraftSection& section = sections.emplace_back();
    section.value = *value;
    section.line = number;
}

void AircraftFileReader::takeField(IniLine const& line, int number)
{
    if (inUnknownSection)
        return;
    if (sections.empty()) {
        problem(number, "fields go under the [Name] section of the value they describe.");
        return;
    }
    std::optional<Field>* const field = sectionField(sections.back(), line.name);
    if (!field) {
        std::string const nearest = nearestName(line.name, aircraftFieldNames());
        problem(number,
            "unknown field " + quoted(line.name) + (nearest.empty() ? "." : "; did you mean " + quoted(nearest) + "?"));
        return;
    }
    if (*field) {
        problem(number, quoted(line.name) + " is given again in this section; its first line is " + std::to_string((*field)->line) + ".");
        return;
    }
    std::string_view const value = withoutComment(line.value);
    if (value.empty()) {
        problem(number, quoted(line.name) + " has no value.");
        return;
    }
    *field = Field { value, number };
}

void AircraftFileReader::decode(AircraftSection const& section)
{
    AircraftValueRow const& row = aircraftValueRow(section.value);
    ValueSources& sources = contents.sources[section.value];
    sources = ValueSources {};
    sources.line = section.line;
    sources.fsuipc = standardAircraftSources()[section.value].fsuipc;
    if (sectionIsEmpty(section)) {
        problem(section.line, "[" + std::string(row.name) + "] names no source: give offset and type, xplane or flightgear"
            " (offset = none says FSUIPC has none).");
        return;
    }
    decodeFsuipc(section, sources);
    decodeCodes(section, sources);
    decodeXPlane(section, sources);
    decodeFlightGear(section, sources);
}

void AircraftFileReader::decodeFsuipc(AircraftSection const& section, ValueSources& sources)
{
    std::string const name(aircraftValueRow(section.value).name);
    if (!section.offset) {
        for (auto const* field : { &section.stride, &section.type, &section.scale, &section.bias }) {
            if (*field) {
                problem((*field)->line, "an FSUIPC field needs the offset it applies to: add offset = to [" + name + "].");
                return;
            }
        }
        if (!sources.fsuipc)
            problem(section.line, "[" + name + "] has no standard offset, so the display cannot read it: give offset and type"
                " (a free user offset such as 0x66C0).");
        return;
    }
    sources.fsuipc = fsuipcSource(section);
}

std::optional<FsuipcSource> AircraftFileReader::fsuipcSource(AircraftSection const& section)
{
    if (section.offset->text == "none")
        return std::nullopt;
    std::string const name(aircraftValueRow(section.value).name);
    if (!section.type) {
        problem(section.line, "[" + name + "] gives an offset but no type: add type = " + std::string(kTypeList) + ".");
        return std::nullopt;
    }
    std::optional<FsuipcValueType> const type = parseFsuipcValueType(section.type->text);
    if (!type) {
        problem(section.type->line, "type " + quoted(section.type->text) + " is not one of " + std::string(kTypeList) + ".");
        return std::nullopt;
    }
    FsuipcSource source;
    source.type = *type;
    if (!fsuipcOffsets(section, source))
        return std::nullopt;
    std::optional<double> const factor = scale(section.scale, "scale");
    std::optional<double> const bias = real(section.bias, "bias", 0);
    if (!factor || !bias)
        return std::nullopt;
    source.scale = *factor;
    source.bias = *bias;
    return source;
}

bool AircraftFileReader::fsuipcOffsets(AircraftSection const& section, FsuipcSource& source)
{
    AircraftValueRow const& row = aircraftValueRow(section.value);
    int const count = instanceCount(row.instances);
    int const line = section.offset->line;
    std::vector<std::string_view> const words = fieldWords(section.offset->text);
    std::vector<std::uint64_t> offsets; // wide enough that no stride wraps round
    for (std::string_view word : words) {
        std::optional<std::uint32_t> const offset = parseOffsetNumber(word);
        if (!offset) {
            problem(line, "offset " + quoted(word) + " is not a number: write it as 0x66C0 or 26304.");
            return false;
        }
        offsets.push_back(*offset);
    }
    if (count == 1 && section.stride) {
        problem(section.stride->line, std::string(row.name) + " is a single value: a stride has no meaning here.");
        return false;
    }
    if (count > 1 && offsets.size() == 1) {
        if (!section.stride) {
            problem(line, std::string(row.name) + " has " + instanceWords(row.instances)
                    + ": give a stride, or " + std::to_string(count) + " offsets.");
            return false;
        }
        std::optional<std::uint32_t> const stride = parseOffsetNumber(section.stride->text);
        if (!stride) {
            problem(section.stride->line, "stride " + quoted(section.stride->text) + " is not a number: write it as 0x98 or 152.");
            return false;
        }
        for (int i = 1; i < count; ++i)
            offsets.push_back(offsets[0] + std::uint64_t { *stride } * static_cast<std::uint64_t>(i));
    } else if (static_cast<int>(offsets.size()) != count || (count > 1 && section.stride)) {
        problem(line, std::string(row.name) + " needs " + (count == 1 ? std::string("one offset") : "one offset and a stride, or "
                    + std::to_string(count) + " offsets (" + instanceWords(row.instances) + ")") + ".");
        return false;
    }
    std::uint32_t const size = fsuipcValueSize(source.type);
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        if (offsets[i] > kOffsetSpace - size) {
            problem(line, "offset " + hex(offsets[i]) + " with type " + std::string(fsuipcValueTypeName(source.type))
                    + " ends beyond the 64 KiB offset space (0x0000 to 0xFFFF).");
            return false;
        }
        source.offsets[i] = static_cast<std::uint32_t>(offsets[i]);
    }
    return true;
}

void AircraftFileReader::decodeCodes(AircraftSection const& section, ValueSources& sources)
{
    if (!section.map)
        return;
    for (std::string_view pair : fieldWords(section.map->text)) {
        std::size_t const colon = pair.find(':');
        std::optional<int> const from = parseInteger(pair.substr(0, colon));
        std::optional<int> const to = colon == std::string_view::npos ? std::nullopt : parseInteger(pair.substr(colon + 1));
        if (!from || !to) {
            problem(section.map->line, "map needs stored:code pairs such as 1:4 2:3, not " + quoted(pair) + ".");
            sources.codes.clear();
            return;
        }
        sources.codes.emplace_back(*from, *to);
    }
}

void AircraftFileReader::decodeXPlane(AircraftSection const& section, ValueSources& sources)
{
    AircraftValueRow const& row = aircraftValueRow(section.value);
    if (!section.xplane) {
        for (auto const* field : { &section.xplaneIndex, &section.xplaneScale, &section.xplaneBias }) {
            if (*field)
                problem((*field)->line, "an X-Plane field needs its dataref: add xplane = to [" + std::string(row.name) + "].");
        }
        return;
    }
    std::vector<std::string_view> const words = fieldWords(section.xplane->text);
    if (words.size() != 1) {
        problem(section.xplane->line, "xplane takes one dataref name; the array element goes in xplane_index.");
        return;
    }
    XPlaneSource source;
    source.dataref = words[0];
    source.line = section.xplane->line;
    int const count = instanceCount(row.instances);
    if (section.xplaneIndex) {
        std::vector<std::string_view> const indices = fieldWords(section.xplaneIndex->text);
        std::vector<int> numbers;
        for (std::string_view index : indices) {
            std::optional<int> const number = parseInteger(index);
            if (!number || *number < 0) {
                problem(section.xplaneIndex->line, "xplane_index " + quoted(index) + " is not an array element (0 or more).");
                return;
            }
            numbers.push_back(*number);
        }
        if (numbers.size() != 1 && static_cast<int>(numbers.size()) != count) {
            problem(section.xplaneIndex->line, "xplane_index takes the first instance's element, or " + std::to_string(count) + " elements.");
            return;
        }
        source.isArray = true;
        for (int i = 0; i < count; ++i)
            source.indices[i] = numbers.size() == 1 ? numbers[0] + i : numbers[i];
    } else if (count > 1) {
        problem(section.xplane->line, std::string(row.name) + " has " + instanceWords(row.instances)
                + ": give xplane_index, the first one's array element.");
        return;
    }
    std::optional<double> const factor = scale(section.xplaneScale, "xplane_scale");
    std::optional<double> const bias = real(section.xplaneBias, "xplane_bias", 0);
    if (!factor || !bias)
        return;
    source.scale = *factor;
    source.bias = *bias;
    sources.xplane = std::move(source);
}

void AircraftFileReader::decodeFlightGear(AircraftSection const& section, ValueSources& sources)
{
    AircraftValueRow const& row = aircraftValueRow(section.value);
    if (!section.flightgear) {
        for (auto const* field : { &section.flightgearScale, &section.flightgearBias }) {
            if (*field)
                problem((*field)->line, "a FlightGear field needs its property: add flightgear = to [" + std::string(row.name) + "].");
        }
        return;
    }
    int const count = instanceCount(row.instances);
    std::vector<std::string_view> const paths = fieldWords(section.flightgear->text);
    FlightGearSource source;
    source.line = section.flightgear->line;
    if (paths.size() == 1 && (count == 1 || paths[0].find('#') != std::string_view::npos)) {
        for (int i = 0; i < count; ++i) {
            std::string path(paths[0]);
            if (std::size_t const mark = path.find('#'); mark != std::string::npos)
                path.replace(mark, 1, std::to_string(i));
            source.paths[i] = path;
        }
    } else if (static_cast<int>(paths.size()) == count) {
        for (int i = 0; i < count; ++i)
            source.paths[i] = paths[i];
    } else {
        problem(section.flightgear->line, std::string(row.name) + " needs one property path"
                + (count == 1 ? std::string(".") : ", with # where the index goes, or " + std::to_string(count) + " paths."));
        return;
    }
    for (std::string const& path : std::span(source.paths).first(count)) {
        if (!path.starts_with('/')) {
            problem(section.flightgear->line, "a property path starts at the root: " + quoted("/" + path) + ".");
            return;
        }
    }
    std::optional<double> const factor = scale(section.flightgearScale, "flightgear_scale");
    std::optional<double> const bias = real(section.flightgearBias, "flightgear_bias", 0);
    if (!factor || !bias)
        return;
    source.scale = *factor;
    source.bias = *bias;
    sources.flightgear = std::move(source);
}

std::optional<double> AircraftFileReader::real(std::optional<Field> const& field, std::string_view name, double otherwise)
{
    if (!field)
        return otherwise;
    std::optional<double> const value = parseReal(field->text);
    if (!value)
        problem(field->line, std::string(name) + " " + quoted(field->text) + " is not a number.");
    return value;
}

// A scale of 0 would make every value the bias, and leave a server nothing
// to divide by.
std::optional<double> AircraftFileReader::scale(std::optional<Field> const& field, std::string_view name)
{
    std::optional<double> const value = real(field, name, 1);
    if (value && *value == 0) {
        problem(field->line, std::string(name) + " 0 makes every value the same: give a scale other than 0.");
        return std::nullopt;
    }
    return value;
}

void AircraftFileReader::problem(int line, std::string message)
{
    contents.problems.push_back({ line, std::move(message) });
}

} // namespace

AircraftFileContents parseAircraftFile(std::string_view text)
{
    // Windows editors may start a UTF-8 file with a byte order mark.
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    AircraftFileContents contents { standardAircraftSources(), {} };
    AircraftFileReader(contents).read(text);
    return contents;
}

LoadedAircraftFile loadAircraftFile(std::string const& path)
{
    LoadedAircraftFile loaded;
    std::optional<std::string> const text = readWholeFile(path);
    if (!text) {
        loaded.problems.push_back(path + ": cannot be read.");
        return loaded;
    }
    AircraftFileContents contents = parseAircraftFile(*text);
    for (AircraftFileProblem const& problem : contents.problems)
        loaded.problems.push_back(path + ":" + std::to_string(problem.line) + ": " + problem.message);
    if (loaded.problems.empty())
        loaded.sources = std::move(contents.sources);
    return loaded;
}
