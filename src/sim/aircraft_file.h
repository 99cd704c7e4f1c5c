#pragma once

#include "sim/aircraft_sources.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An aircraft file: plain INI, one [Name] section per named value the
// aircraft gives its own way (names as in aircraft_values.h). Values it does
// not name keep their standard sources. docs/aircraft.md describes the
// fields:
//
//     [ThrustLimitMode]
//     offset = 0x66C0            ; FSUIPC: engine 1's offset, or one per instance
//     type = u8                  ; u8 s8 u16 s16 u32 s32 f32 f64
//     map = 1:1 2:2 3:3 4:4 5:5  ; or scale = and bias =
//     xplane = AirbusFBW/THRRatingType
//     flightgear = /systems/fadec/limit/active-mode-int

struct AircraftFileProblem {
    int line = 0; // from 1
    std::string message; // one sentence
};

struct AircraftFileContents {
    AircraftSources sources; // the standard ones changed by the file
    std::vector<AircraftFileProblem> problems; // in line order
};

AircraftFileContents parseAircraftFile(std::string_view text);

// The file at path, read through the bounded file reader. Each problem is
// one "FILE:LINE: message" line; a file that cannot be read gives one
// "FILE: message" line. Sources are set only when there is no problem.
struct LoadedAircraftFile {
    std::optional<AircraftSources> sources;
    std::vector<std::string> problems;
};

LoadedAircraftFile loadAircraftFile(std::string const& path);
