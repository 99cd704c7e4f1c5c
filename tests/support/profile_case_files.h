#pragma once

// Runs the shared profile cases against a ProfileStore, each in a file of its
// own in a fresh folder.

#include "config/profile_store.h"
#include "support/profile_cases.h"
#include "support/temp_folder.h"

#include <fstream>
#include <string>
#include <vector>

namespace profile_cases {

// Puts fileText in folder as name (nothing for kNoFile); returns the path.
inline std::string placeFile(TempFolder const& folder, std::string_view fileText, std::string_view name = "case.ini")
{
    std::string path = folder.file(name);
    if (fileText != kNoFile)
        std::ofstream(path, std::ios::binary).write(fileText.data(), static_cast<std::streamsize>(fileText.size()));
    return path;
}

inline std::string readCase(ProfileStore& store, ReadCase const& readCase)
{
    TempFolder folder;
    std::string const path = placeFile(folder, readCase.fileText);
    return store.read(path, readCase.section, readCase.key, readCase.defaultText, readCase.bufferSize);
}

// A key of the given length between two short keys.
inline std::string longLineText(std::size_t length)
{
    return "[s]\r\nbefore=1\r\nlong=" + std::string(length, 'x') + "\r\nafter=2\r\n";
}

struct WriteOutcome {
    bool written = false;
    std::vector<std::string> readBack; // one per read-back row of the case
};

// Writes with writer, reads back with reader (the same store or another).
inline WriteOutcome writeCase(ProfileStore& writer, ProfileStore& reader, WriteCase const& writeCase)
{
    TempFolder folder;
    std::string const path = placeFile(folder, writeCase.fileText);
    WriteOutcome outcome;
    outcome.written = writer.write(path, writeCase.section, writeCase.key, writeCase.value);
    for (auto const& [section, key, expected] : writeCase.readBack) {
        if (section.empty())
            break;
        outcome.readBack.push_back(reader.read(path, section, key, "<absent>", 99));
    }
    return outcome;
}

inline std::vector<std::string> expectedReadBack(WriteCase const& writeCase)
{
    std::vector<std::string> expected;
    for (auto const& [section, key, value] : writeCase.readBack) {
        if (section.empty())
            break;
        expected.emplace_back(value);
    }
    return expected;
}

}
