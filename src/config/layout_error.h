#pragma once

#include <string>
#include <string_view>

// Why loading a layout failed; each has the text the user is shown.
enum class LayoutError {
    None,
    FileCreation,
    UnableToRead,
    ResourceNotFound,
    ResourceSize,
    ResourceLoad,
    Checksum,
    AppDataFolder,
    WritingFile,
};

// The text of error; "Unable to read %s" names fileName.
std::string layoutErrorText(LayoutError error, std::string_view fileName);
