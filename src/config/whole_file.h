#pragma once

#include <optional>
#include <string>

// Every byte of a file, or nullopt when it cannot be opened or read (a
// folder cannot be read).
std::optional<std::string> readWholeFile(std::string const& path);
