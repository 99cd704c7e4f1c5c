#include "live_source_options.h"

#include "flightgear_protocol.h"
#include "xplane_protocol.h"

#include <algorithm>
#include <vector>

namespace {

bool isPort(std::string_view text)
{
    return !text.empty() && text.size() <= 5
        && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool parsePort(std::string_view text, std::uint16_t& port)
{
    if (!isPort(text))
        return false;
    unsigned value = 0;
    for (char const digit : text)
        value = value * 10 + static_cast<unsigned>(digit - '0');
    port = static_cast<std::uint16_t>(value);
    return value >= 1 && value <= 65535;
}

std::vector<std::string_view> partsOf(std::string_view text)
{
    std::vector<std::string_view> parts;
    for (;;) {
        std::size_t const colon = text.find(':');
        parts.push_back(text.substr(0, colon));
        if (colon == std::string_view::npos)
            return parts;
        text.remove_prefix(colon + 1);
    }
}

} // namespace

bool parseLiveSource(std::string_view text, LiveSourceOptions& options, std::string& error)
{
    std::vector<std::string_view> const parts = partsOf(text);
    bool const xplane = parts[0] == "xplane";
    if ((!xplane && parts[0] != "flightgear") || parts.size() > 3) {
        error = "The value of --source must be xplane[:HOST[:PORT]] or flightgear[:HOST][:PORT].";
        return false;
    }
    options.simulator = xplane ? LiveSourceOptions::Simulator::XPlane : LiveSourceOptions::Simulator::FlightGear;
    options.port = xplane ? kXPlanePort : kFlightGearPort;
    options.host.clear();
    // FlightGear's one part is a port when it is a number, X-Plane's always a host.
    bool const portOnly = !xplane && parts.size() == 2 && isPort(parts[1]);
    std::string_view const host = parts.size() > 1 && !portOnly ? parts[1] : std::string_view();
    std::string_view const port = parts.size() == 3 ? parts[2] : portOnly ? parts[1] : std::string_view();
    if ((parts.size() > 1 && !portOnly && host.empty()) || (!port.empty() && !parsePort(port, options.port))
        || (parts.size() == 3 && port.empty())) {
        error = "In --source " + std::string(text) + ", give a host name or address and a port from 1 to 65535.";
        return false;
    }
    options.host = host;
    return true;
}
