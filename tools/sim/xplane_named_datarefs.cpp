#include "xplane_named_datarefs.h"

std::vector<NamedDatarefBinding> namedDatarefBindings(AircraftSources const& sources)
{
    std::vector<NamedDatarefBinding> bindings;
    for (AircraftValueRow const& row : kAircraftValueTable) {
        ValueSources const& source = sources[row.value];
        if (!source.xplane)
            continue;
        XPlaneDataref const& xplane = *source.xplane;
        // A plain dataref feeds a single value; the file demands an element
        // per instance for the rest.
        int const instances = xplane.isArray ? instanceCount(row.instances) : 1;
        for (int instance = 0; instance < instances; ++instance) {
            std::string dataref = xplane.dataref;
            if (xplane.isArray)
                dataref += "[" + std::to_string(xplane.indices[static_cast<std::size_t>(instance)]) + "]";
            bindings.push_back({ row.value, instance, std::move(dataref), xplane.line, xplane.scale, xplane.bias, source.codes });
        }
    }
    return bindings;
}

double namedDatarefValue(NamedDatarefBinding const& binding, double number)
{
    return storedToUnit(number, binding.scale, binding.bias, binding.codes);
}
