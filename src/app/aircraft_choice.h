#pragma once

#include "config/profile_store.h"
#include "sim/aircraft_sources.h"

#include <string>
#include <string_view>

// The profile key that remembers the aircraft file, in the display's section.
constexpr std::string_view kAircraftFileKey = "AircraftFile";
// Given as the file, forgets the remembered one: the standard offsets again.
constexpr std::string_view kNoAircraftFile = "none";

struct AircraftChoice {
    AircraftSources sources = standardAircraftSources();
    // One sentence for the user when the file cannot be used; empty otherwise.
    std::string notice;
};

// The sources the display reads: from the file given on the command line
// (empty: none given), else from the file the profile remembers, else the
// standard offsets. With remember set, a file given on the command line (or
// "none") is written to the profile for the next start. A file that cannot
// be read or has a problem leaves the standard offsets and says why.
AircraftChoice chooseAircraft(std::string const& commandLinePath, bool remember, ProfileStore& profiles,
    std::string const& profilePath, std::string_view profileSection);
