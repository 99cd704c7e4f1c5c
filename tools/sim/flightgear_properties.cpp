#include "flightgear_properties.h"

#include "flightgear_protocol.h"

#include <filesystem>
#include <fstream>

namespace {

// The bridge serves two engines: FlightGear has no engine count to say more.
constexpr int kCarriedEngines = 2;

int carriedInstances(ValueInstances instances)
{
    return instances == ValueInstances::PerEngine ? kCarriedEngines : instanceCount(instances);
}

// Property paths come from a user's file: nothing in them may end the XML
// element they sit in.
std::string escaped(std::string_view text)
{
    std::string out;
    for (char const c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Sent as the property's text: FlightGear writes a property the aircraft
// does not have as nothing, where a number type would write 0 and the
// display would show an aircraft value that none sent.
std::string chunkOf(NamedFeed const& column)
{
    AircraftValueRow const& row = aircraftValueRow(column.value);
    std::string name(row.name);
    if (row.instances != ValueInstances::Single)
        name += "." + std::to_string(column.instance + 1);
    return "\n      <chunk> <!-- aircraft file, line " + std::to_string(column.line) + " -->\n"
        + "        <name>" + name + "</name>\n"
        + "        <type>string</type>\n"
        + "        <format>%s</format>\n"
        + "        <node>" + escaped(column.name) + "</node>\n"
        + "      </chunk>\n";
}

} // namespace

std::vector<NamedFeed> propertyColumns(AircraftSources const& sources)
{
    std::vector<NamedFeed> columns;
    for (AircraftValueRow const& row : kAircraftValueTable) {
        ValueSources const& source = sources[row.value];
        if (!source.flightgear)
            continue;
        FlightGearProperty const& property = *source.flightgear;
        for (int instance = 0; instance < carriedInstances(row.instances); ++instance) {
            columns.push_back({ row.value, instance, property.paths[static_cast<std::size_t>(instance)],
                property.line, property.scale, property.bias, source.codes });
        }
    }
    return columns;
}

std::string protocolWithProperties(std::span<NamedFeed const> columns)
{
    std::string protocol(standardFlightGearProtocol());
    std::string chunks;
    for (NamedFeed const& column : columns)
        chunks += chunkOf(column);
    std::size_t const end = protocol.rfind("    </output>");
    protocol.insert(end, chunks);
    return protocol;
}

bool writeProtocol(std::string const& directory, std::span<NamedFeed const> columns, std::string& path,
    std::string& error)
{
    std::filesystem::path const folder = std::filesystem::path(directory) / "Protocol";
    std::error_code failure;
    std::filesystem::create_directories(folder, failure);
    path = (folder / "tarnex.xml").string();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << protocolWithProperties(columns);
    file.close();
    if (failure || !file) {
        error = "Cannot write the protocol file " + path + "; give a folder you can write to.";
        return false;
    }
    return true;
}
