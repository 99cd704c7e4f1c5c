#pragma once

#include "config/layout_platform.h"

#include <string>
#include <string_view>

// The outcome of unpacking a layout. On success the plain layout text is in
// the file at path, which the caller reads through the profile API and then
// deletes. On failure errorText holds the system's message ("Checksum Error",
// ...) for the "Parsing Error" box and no file is left behind.
struct UnpackResult {
    bool ok = false;
    std::string path;
    std::string errorText;
};

// Unscrambles and verifies the layout named fileName (read from the current
// directory when such a file exists, else the platform's embedded layout) and
// writes its text to a temporary file in the application-data folder, named
// after fileName with its last four characters replaced by ".dll".
UnpackResult unpackLayout(LayoutPlatform& platform, std::string_view fileName);

// The second half of unpackLayout: writes layout text that is already plain
// to the same temporary file.
UnpackResult writeUnpackedLayout(LayoutPlatform& platform, std::string_view fileName, std::string const& text);
