#include "xplane_datarefs.h"

#include "number_text.h"
#include "xplane_protocol.h"

#include <algorithm>

namespace {

struct DatarefRow {
    std::string_view field;
    std::string_view dataref; // "[]" is the engine's or door's element
    double factor;
};

// X-Plane's tanks are numbered by the aircraft's author; these fit the usual
// left, centre, right layout. Slats have no angle dataref: the deployment
// ratio is scaled to the A320's full 27 degrees. The speed brake handle reads
// -0.5 when armed, hence the factor -2 for the armed switch (on from 0.5).
//
// Checked line by line against X-Plane 12's published list (DataRefs.txt of
// X-Plane 12.1.0, Resources/plugins; name, type, unit, array size):
//   acf_num_engines int; N1_percent, N2_percent float[16] percent; EPR_ratio
//   float[16] ratio; EGT_deg_cel float[16] degc (sim/flightmodel2/engines: the
//   cockpit2 EGT_deg_C it replaces reads Celsius or Fahrenheit by aircraft);
//   fuel_flow_kg_sec float[16] kg/s; ice_inlet_heat_on_per_engine int[16];
//   engine_fires int[8]; fuel_quantity float[9] kg; flap_handle_request_ratio
//   float ratio (replaces flap_ratio); flap1_deg float[48] degrees;
//   slat1_deploy_ratio float ratio; speedbrake_ratio float ratio, -0.5 armed;
//   parkbrake float 0..1 (replaces parking_brake_ratio); servos_on int;
//   onground_any int; door_open_ratio float[20] ratio;
//   ice_surface_hot_bleed_air_on int; the light switches int; auto_brake_level
//   int, 0 RTO, 1 off, 2..5 rising; total_running_time_sec float seconds.
constexpr DatarefRow kDefaultDatarefs[] = {
    { "engines", "sim/aircraft/engine/acf_num_engines", 1 },
    { "n1", "sim/cockpit2/engine/indicators/N1_percent[]", 1 },
    { "n2", "sim/cockpit2/engine/indicators/N2_percent[]", 1 },
    { "epr", "sim/cockpit2/engine/indicators/EPR_ratio[]", 1 },
    { "egt", "sim/flightmodel2/engines/EGT_deg_cel[]", 1 },
    { "ff", "sim/cockpit2/engine/indicators/fuel_flow_kg_sec[]", 3600 },
    { "anti_ice", "sim/cockpit2/ice/ice_inlet_heat_on_per_engine[]", 1 },
    { "fire", "sim/cockpit2/annunciators/engine_fires[]", 1 },
    { "fuel_centre", "sim/cockpit2/fuel/fuel_quantity[1]", 1 },
    { "fuel_left_main", "sim/cockpit2/fuel/fuel_quantity[0]", 1 },
    { "fuel_left_aux", "sim/cockpit2/fuel/fuel_quantity[3]", 1 },
    { "fuel_right_main", "sim/cockpit2/fuel/fuel_quantity[2]", 1 },
    { "fuel_right_aux", "sim/cockpit2/fuel/fuel_quantity[4]", 1 },
    { "flap_handle", "sim/cockpit2/controls/flap_handle_request_ratio", 1 },
    { "flap_angle", "sim/flightmodel2/wing/flap1_deg[0]", 1 },
    { "slat_angle", "sim/flightmodel2/controls/slat1_deploy_ratio", 27 },
    { "spoilers_armed", "sim/cockpit2/controls/speedbrake_ratio", -2 },
    { "spoilers", "sim/cockpit2/controls/speedbrake_ratio", 100 },
    { "parking_brake", "sim/flightmodel/controls/parkbrake", 1 },
    { "autopilot", "sim/cockpit2/autopilot/servos_on", 1 },
    { "on_ground", "sim/flightmodel/failures/onground_any", 1 },
    { "door", "sim/flightmodel2/misc/door_open_ratio[]", 1 },
    { "wing_anti_ice", "sim/cockpit2/ice/ice_surface_hot_bleed_air_on", 1 },
    { "landing_lights", "sim/cockpit2/switches/landing_lights_on", 1 },
    { "strobe", "sim/cockpit2/switches/strobe_lights_on", 1 },
    { "beacon", "sim/cockpit2/switches/beacon_on", 1 },
    { "nav_lights", "sim/cockpit2/switches/navigation_lights_on", 1 },
    { "autobrake", "sim/cockpit2/switches/auto_brake_level", 1 },
    { "sim_time", "sim/time/total_running_time_sec", 1 },
};

constexpr std::string_view kSlotElement = "[]";

std::string_view trimmed(std::string_view text)
{
    std::size_t const first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The dataref of one slot: "[]" becomes "[slot]".
std::string datarefForSlot(std::string_view dataref, int slot)
{
    std::string name(dataref);
    if (std::size_t const at = name.find(kSlotElement); at != std::string::npos)
        name.replace(at, kSlotElement.size(), "[" + std::to_string(slot) + "]");
    return name;
}

// Every slot the name covers: one for "n1.2" or "engines", all for "n1".
std::vector<LiveField> fieldsNamed(std::string_view name)
{
    if (std::optional<LiveField> const field = findLiveField(name))
        return { *field };
    std::vector<LiveField> fields;
    for (int slot = 0; slot < kLiveSlots; ++slot) {
        std::optional<LiveField> const field = findLiveField(std::string(name) + "." + std::to_string(slot + 1));
        if (field)
            fields.push_back(*field);
    }
    return fields;
}

void bind(std::vector<DatarefBinding>& bindings, LiveField field, std::string dataref, double factor)
{
    std::erase_if(bindings, [&](DatarefBinding const& binding) { return binding.field == field; });
    if (!dataref.empty())
        bindings.push_back({ field, std::move(dataref), factor });
}

bool applyLine(std::string_view line, std::vector<DatarefBinding>& bindings, std::string& problem)
{
    std::size_t const equals = line.find('=');
    if (equals == std::string_view::npos) {
        problem = "write each line as field = dataref, optionally followed by * factor.";
        return false;
    }
    std::string_view const name = trimmed(line.substr(0, equals));
    std::string_view dataref = trimmed(line.substr(equals + 1));
    double factor = 1;
    if (std::size_t const star = dataref.find('*'); star != std::string_view::npos) {
        if (!parseDouble(trimmed(dataref.substr(star + 1)), factor)) {
            problem = "the factor after * must be a number.";
            return false;
        }
        dataref = trimmed(dataref.substr(0, star));
    }
    std::vector<LiveField> const fields = fieldsNamed(name);
    if (fields.empty()) {
        problem = "there is no field called \"" + std::string(name) + "\".";
        return false;
    }
    for (LiveField const field : fields) {
        std::string slotDataref = datarefForSlot(dataref, field.slot);
        if (slotDataref.find_first_of(" \t") != std::string::npos || slotDataref.size() > kMaxDatarefLength) {
            problem = "a dataref is one word of at most 399 characters.";
            return false;
        }
        bind(bindings, field, std::move(slotDataref), factor);
    }
    return true;
}

} // namespace

std::vector<DatarefBinding> defaultDatarefs()
{
    std::vector<DatarefBinding> bindings;
    for (DatarefRow const& row : kDefaultDatarefs) {
        for (LiveField const field : fieldsNamed(row.field))
            bind(bindings, field, datarefForSlot(row.dataref, field.slot), row.factor);
    }
    return bindings;
}

bool applyDatarefLines(std::string_view text, std::string_view sourceName, std::vector<DatarefBinding>& bindings,
    std::string& error)
{
    int lineNumber = 0;
    while (!text.empty()) {
        std::size_t const end = std::min(text.find('\n'), text.size());
        std::string_view const line = trimmed(text.substr(0, end).substr(0, text.substr(0, end).find('#')));
        text.remove_prefix(std::min(end + 1, text.size()));
        ++lineNumber;
        std::string problem;
        if (!line.empty() && !applyLine(line, bindings, problem)) {
            error = std::string(sourceName) + ", line " + std::to_string(lineNumber) + ": " + problem;
            return false;
        }
    }
    return true;
}
