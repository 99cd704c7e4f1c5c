#include "app/command_line.h"

#include <charconv>
#include <optional>

namespace {

constexpr std::string_view kUsage = "Usage:\n"
                                    "  tarnex                      the E/WD window\n"
                                    "  tarnex --snapshot OUT.png [--size WxH] [--frames N] [--draw-log FILE]\n"
                                    "                              no window: run N frames (default 3) of the display\n"
                                    "                              into an off-screen buffer of WxH (default 1000x1000),\n"
                                    "                              write the last frame as PNG and, with --draw-log,\n"
                                    "                              every drawing call of the last frame\n"
                                    "  tarnex --layout FILE [...]  use FILE (plain INI or packed) as the layout; the\n"
                                    "                              window reads it again whenever it is saved\n"
                                    "  tarnex --aircraft FILE [...] read the aircraft's values where FILE says;\n"
                                    "                              remembered (--aircraft none forgets it)\n"
                                    "  tarnex --help               this text\n"
                                    "  tarnex --version            the program's version\n";

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
