#include "app/command_line.h"

#include <charconv>
#include <optional>

namespace {

// Shaped for help2man, which makes the man page from it: usage lines first,
// then the description, then one option a line with its text two spaces on.
constexpr std::string_view kUsage
    = "Usage: tarnex [--layout FILE] [--aircraft FILE]\n"
      "  or:  tarnex --snapshot OUT.png [--size WxH] [--frames N] [--draw-log FILE] [--layout FILE]\n"
      "  or:  tarnex --help | --version\n"
      "Draws the Engine/Warning Display of an A320 in a window of its own, fed live\n"
      "from a flight simulator through the FSUIPC protocol.\n"
      "\n"
      "On Windows it links to FSUIPC or WideClient. On Linux the data comes from\n"
      "tarnex-sim: start it first, with a scenario of its own or as the bridge to\n"
      "X-Plane or FlightGear (see tarnex-sim --help).\n"
      "\n"
      "Options:\n"
      "  --layout FILE        use FILE (plain INI or packed) as the layout; the window\n"
      "                       reads it again whenever it is saved\n"
      "  --aircraft FILE      read the aircraft's own values where FILE says; remembered\n"
      "                       for the next start (--aircraft none forgets it)\n"
      "  --snapshot OUT.png   no window: run the display into an off-screen buffer and\n"
      "                       write its last frame to OUT.png; with no simulator that\n"
      "                       is the not-connected page, and one line says why\n"
      "  --size WxH           with --snapshot: the buffer's size (default 1000x1000)\n"
      "  --frames N           with --snapshot: the frames to run (default 3)\n"
      "  --draw-log FILE      with --snapshot: write every drawing call of the last\n"
      "                       frame to FILE\n"
      "  --help               show this text\n"
      "  --version            show the program's version\n";

std::optional<int> parsePositive(std::string_view text, int maximum)
{
    int value = 0;
    auto const [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc {} || end != text.data() + text.size() || value < 1 || value > maximum)
        return std::nullopt;
    return value;
}

bool parseSize(std::string_view text, SnapshotOptions& options)
{
    std::size_t const cross = text.find('x');
    if (cross == std::string_view::npos)
        return false;
    auto const width = parsePositive(text.substr(0, cross), SnapshotOptions::kMaxSide);
    auto const height = parsePositive(text.substr(cross + 1), SnapshotOptions::kMaxSide);
    if (!width || !height)
        return false;
    options.width = *width;
    options.height = *height;
    return true;
}

CommandLineResult failure(std::string text)
{
    CommandLineResult result;
    result.errorText = std::move(text);
    return result;
}

} // namespace

CommandLineResult parseCommandLine(std::span<std::string_view const> arguments)
{
    CommandLineResult result;
    CommandLine& line = result.commandLine;
    bool snapshotOnlyOptionSeen = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view const option = arguments[i];
        bool const hasValue = i + 1 < arguments.size();
        if (option == "--help" || option == "-h") {
            line.mode = CommandLine::Mode::Help;
        } else if (option == "--version") {
            line.mode = CommandLine::Mode::Version;
        } else if (option == "--snapshot") {
            if (!hasValue || arguments[i + 1].empty())
                return failure("--snapshot needs the name of the PNG file to write.");
            line.mode = CommandLine::Mode::Snapshot;
            line.snapshot.pngPath = arguments[++i];
        } else if (option == "--size") {
            if (!hasValue || !parseSize(arguments[++i], line.snapshot))
                return failure("--size needs WIDTHxHEIGHT in pixels, each from 1 to 8192, for example 1000x1000.");
            snapshotOnlyOptionSeen = true;
        } else if (option == "--frames") {
            auto const frames = hasValue ? parsePositive(arguments[++i], SnapshotOptions::kMaxFrames) : std::nullopt;
            if (!frames)
                return failure("--frames needs a number of frames from 1 to 100000.");
            line.snapshot.frames = *frames;
            snapshotOnlyOptionSeen = true;
        } else if (option == "--draw-log") {
            if (!hasValue || arguments[i + 1].empty())
                return failure("--draw-log needs the name of the file to write.");
            line.snapshot.drawLogPath = arguments[++i];
            snapshotOnlyOptionSeen = true;
        } else if (option == "--layout") {
            if (!hasValue || arguments[i + 1].empty())
                return failure("--layout needs the name of a layout file, plain or packed.");
            line.layoutPath = arguments[++i];
        } else if (option == "--aircraft") {
            if (!hasValue || arguments[i + 1].empty())
                return failure("--aircraft needs the name of an aircraft file, or none to forget the remembered one.");
            line.aircraftPath = arguments[++i];
        } else {
            return failure("Unknown argument " + std::string(option) + "; run tarnex --help to see the options.");
        }
    }
    if (snapshotOnlyOptionSeen && line.mode == CommandLine::Mode::Window)
        return failure("--size, --frames and --draw-log only go with --snapshot OUT.png.");
    line.snapshot.layoutPath = line.layoutPath;
    line.snapshot.aircraftPath = line.aircraftPath;
    result.ok = true;
    return result;
}

std::string_view usageText()
{
    return kUsage;
}
