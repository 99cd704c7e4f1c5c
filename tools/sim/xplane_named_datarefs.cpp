#include "xplane_named_datarefs.h"

std::vector<NamedFeed> namedDatarefBindings(AircraftSources const& sources)
{
    std::vector<NamedFeed> bindings;
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
