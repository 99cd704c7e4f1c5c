#pragma once

#include "live_fields.h"

#include <string>
#include <string_view>
#include <vector>

// Which dataref feeds which field, and the factor that turns the dataref's
// unit into the field's.
struct DatarefBinding {
    LiveField field;
    std::string dataref;
    double factor = 1;
};

// The datarefs of X-Plane's own aircraft, one binding per field, in the
// order of the fields.
std::vector<DatarefBinding> defaultDatarefs();

// Applies lines of the form "field = dataref [* factor]" to bindings,
// replacing the binding of each field named. A per-engine or per-door field
// named without its number ("n1") applies to every slot, with "[]" in the
// dataref standing for the slot's zero-based element. An empty dataref drops
// the field: it then keeps its initial value. '#' starts a comment. False,
// with error naming sourceName and the line, when a line is wrong.
bool applyDatarefLines(std::string_view text, std::string_view sourceName, std::vector<DatarefBinding>& bindings,
    std::string& error);
