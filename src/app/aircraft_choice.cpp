#include "app/aircraft_choice.h"

#include "sim/aircraft_file.h"

namespace {

// Room for a long path.
constexpr std::size_t kPathBufferSize = 1024;

std::string withoutFinalStop(std::string sentence)
{
    if (sentence.ends_with('.'))
        sentence.pop_back();
    return sentence;
}

} // namespace

AircraftChoice chooseAircraft(std::string const& commandLinePath, bool remember, ProfileStore& profiles,
    std::string const& profilePath, std::string_view profileSection)
{
    if (remember && !commandLinePath.empty())
        profiles.write(profilePath, profileSection, kAircraftFileKey, commandLinePath == kNoAircraftFile ? "" : commandLinePath);
    std::string const path = !commandLinePath.empty()
        ? commandLinePath
        : profiles.read(profilePath, profileSection, kAircraftFileKey, "", kPathBufferSize);
    AircraftChoice choice;
    if (path.empty() || path == kNoAircraftFile)
        return choice;
    LoadedAircraftFile const loaded = loadAircraftFile(path);
    if (loaded.sources)
        choice.sources = *loaded.sources;
    else
        choice.notice = withoutFinalStop(loaded.problems.front()) + "; reading the standard offsets instead.";
    return choice;
}
