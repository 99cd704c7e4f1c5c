#include "sim_options.h"

#include "number_text.h"
#include "offset_space.h"
#include "sim/aircraft_file.h"

#include <algorithm>
#include <string_view>

namespace {

template <typename T>
void assignBytes(std::vector<std::byte>& bytes, T value)
{
    auto const raw = std::as_bytes(std::span(&value, 1));
    bytes.assign(raw.begin(), raw.end());
}

struct PinType {
    char const* name;
    long long min;
    long long max;
    std::size_t size;
    bool real = false;
};

// The aircraft files' types, and i32 as before.
constexpr PinType kPinTypes[] = {
    { "u8", 0, 0xFF, 1 },
    { "s8", -0x80, 0x7F, 1 },
    { "u16", 0, 0xFFFF, 2 },
    { "s16", -0x8000, 0x7FFF, 2 },
    { "u32", 0, 0xFFFFFFFF, 4 },
    { "s32", -0x80000000LL, 0x7FFFFFFF, 4 },
    { "i32", -0x80000000LL, 0x7FFFFFFF, 4 },
    { "f32", 0, 0, 4, true },
    { "f64", 0, 0, 8, true },
};

bool encodePin(PinType const& type, std::string_view text, std::vector<std::byte>& bytes)
{
    if (type.real) {
        double value = 0;
        if (!parseDouble(text, value))
            return false;
        if (type.size == 4)
            assignBytes(bytes, static_cast<float>(value));
        else
            assignBytes(bytes, value);
        return true;
    }
    long long value = 0;
    if (!parseInteger(text, value) || value < type.min || value > type.max)
        return false;
    switch (type.size) {
    case 1:
        assignBytes(bytes, static_cast<std::uint8_t>(value));
        break;
    case 2:
        assignBytes(bytes, static_cast<std::uint16_t>(value));
        break;
    default:
        assignBytes(bytes, static_cast<std::uint32_t>(value));
        break;
    }
    return true;
}

// OFFSET:TYPE=VALUE, the offset in hexadecimal.
bool parsePin(std::string_view text, PinnedValue& pin, std::string& error)
{
    std::size_t const colon = text.find(':');
    std::size_t const equals = text.find('=');
    if (colon == std::string_view::npos || equals == std::string_view::npos || equals < colon) {
        error = "Write --set as OFFSET:TYPE=VALUE, for example --set 0x0BC8:u32=1.";
        return false;
    }
    std::string offsetText(text.substr(0, colon));
    if (offsetText.rfind("0x", 0) != 0 && offsetText.rfind("0X", 0) != 0)
        offsetText.insert(0, "0x");
    long long offset = 0;
    if (!parseInteger(offsetText, offset) || offset < 0 || offset >= static_cast<long long>(OffsetSpace::kSize)) {
        error = "The offset in --set " + std::string(text) + " must be hexadecimal and below 0x10000.";
        return false;
    }
    std::string_view const typeName = text.substr(colon + 1, equals - colon - 1);
    for (PinType const& type : kPinTypes) {
        if (typeName != type.name)
            continue;
        if (!OffsetSpace::contains(static_cast<std::uint64_t>(offset), type.size)) {
            error = "The value in --set " + std::string(text) + " runs past offset 0xFFFF.";
            return false;
        }
        if (!encodePin(type, text.substr(equals + 1), pin.bytes)) {
            error = "The value in --set " + std::string(text) + " is not a valid " + type.name + ".";
            return false;
        }
        pin.offset = static_cast<std::uint32_t>(offset);
        return true;
    }
    error = "The type in --set " + std::string(text) + " must be u8, s8, u16, s16, u32, s32, i32, f32 or f64.";
    return false;
}

bool parseCorruption(std::string_view text, Corruption& corruption)
{
    if (text == "marker")
        corruption = Corruption::Marker;
    else if (text == "size")
        corruption = Corruption::Size;
    else if (text == "destination")
        corruption = Corruption::Destination;
    else
        return false;
    return true;
}

// Applies one option that takes a value; false with error set when the value is wrong.
bool applyValue(SimOptions& options, std::string_view option, std::string_view value, std::string& datarefFile,
    std::string& error)
{
    auto const bad = [&](char const* what) {
        error = "The value of " + std::string(option) + " must be " + what + ".";
        return false;
    };
    double number = 0;
    long long integer = 0;
    if (option == "--class") {
        if (value != "UIPCMAIN" && value != "FS98MAIN")
            return bad("UIPCMAIN or FS98MAIN");
        options.windowClass = value;
    } else if (option == "--scenario") {
        if (value.empty())
            return bad("demo, static or a file name");
        options.scenario = value;
    } else if (option == "--source") {
        if (!parseLiveSource(value, options.source.emplace(), error))
            return false;
    } else if (option == "--datarefs") {
        if (value.empty())
            return bad("a file name");
        datarefFile = value;
    } else if (option == "--aircraft") {
        // The file's first problem is the sentence: fixing one at a time is
        // how aircraft files are written anyway (tarnex-layout lint-aircraft
        // lists them all).
        LoadedAircraftFile loaded = loadAircraftFile(std::string(value));
        if (!loaded.sources) {
            error = loaded.problems.front();
            return false;
        }
        options.aircraft = std::move(*loaded.sources);
        options.aircraftFile = value;
    } else if (option == "--write-protocol") {
        if (value.empty())
            return bad("a folder name");
        options.protocolDirectory = value;
    } else if (option == "--set") {
        PinnedValue pin;
        if (!parsePin(value, pin, error))
            return false;
        options.pins.push_back(std::move(pin));
    } else if (option == "--duration") {
        if (!parseDouble(value, number) || number <= 0)
            return bad("a number of seconds above 0");
        options.durationSeconds = number;
    } else if (option == "--at") {
        if (!parseDouble(value, number) || number < 0)
            return bad("a number of seconds, 0 or more");
        options.startAt = number;
    } else if (option == "--time-scale") {
        if (!parseDouble(value, number) || number <= 0)
            return bad("a number above 0");
        options.timeScale = number;
    } else if (option == "--seconds-per-exchange") {
        if (!parseDouble(value, number) || number < 0)
            return bad("a number of seconds, 0 or more");
        options.secondsPerExchange = number;
    } else if (option == "--record") {
        if (value.empty())
            return bad("a file name");
        options.recordFile = value;
    } else if (option == "--record-rate") {
        if (!parseDouble(value, number) || number <= 0)
            return bad("a number of moments a second above 0");
        options.recordRate = number;
    } else if (option == "--reply") {
        if (!parseInteger(value, integer) || integer < 0 || integer > 0xFFFFFFFFLL)
            return bad("a 32-bit unsigned number");
        options.faults.reply = static_cast<std::uint32_t>(integer);
    } else if (option == "--corrupt") {
        if (!parseCorruption(value, options.faults.corruption))
            return bad("marker, size or destination");
    } else if (option == "--faults-after") {
        if (!parseInteger(value, integer) || integer < 0)
            return bad("a number of exchanges, 0 or more");
        options.faults.faultsAfter = static_cast<std::uint64_t>(integer);
    }
    return true;
}

constexpr std::string_view kValueOptions[] = {
    "--class", "--scenario", "--set", "--duration", "--at", "--time-scale", "--seconds-per-exchange", "--reply",
    "--corrupt", "--faults-after", "--source", "--datarefs", "--record", "--record-rate", "--aircraft",
    "--write-protocol",
};

// A recording needs a flight to record: a scenario that moves, or a source.
bool checkRecording(SimOptions const& options, bool rateGiven, std::string& error)
{
    if (rateGiven && options.recordFile.empty())
        error = "--record-rate goes with --record.";
    else if (!options.recordFile.empty() && !options.source && options.scenario == "static")
        error = "--scenario static serves no flight to record; give demo, a file or --source.";
    return error.empty();
}

// A simulator relayed live replaces the scenario; datarefs are X-Plane's.
bool checkSource(SimOptions& options, bool scenarioGiven, bool timeScaleGiven, std::string const& datarefFile,
    std::string& error)
{
    bool const xplane = options.source && options.source->simulator == LiveSourceOptions::Simulator::XPlane;
    if (options.source && scenarioGiven)
        error = "Give either --scenario or --source, not both.";
    else if (timeScaleGiven && options.secondsPerExchange)
        error = "Give either --time-scale or --seconds-per-exchange, not both.";
    else if (options.source && options.secondsPerExchange)
        error = "--seconds-per-exchange goes with a scenario, not with --source.";
    else if (!datarefFile.empty() && !xplane)
        error = "--datarefs goes with --source xplane.";
    else if (xplane)
        options.source->datarefFile = datarefFile;
    if (options.source) {
        options.source->aircraft = options.aircraft;
        options.source->aircraftFile = options.aircraftFile;
    }
    bool const flightGear = options.source && !xplane;
    if (error.empty() && !options.protocolDirectory.empty() && !flightGear)
        error = "--write-protocol goes with --source flightgear.";
    return error.empty();
}

} // namespace

std::optional<SimOptions> parseSimOptions(std::span<char const* const> args, std::string& error)
{
    SimOptions options;
    bool scenarioGiven = false;
    bool timeScaleGiven = false;
    bool rateGiven = false;
    std::string datarefFile;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view const option = args[i];
        if (option == "--help" || option == "-h") {
            options.help = true;
        } else if (option == "--version") {
            options.version = true;
        } else if (option == "--no-answer") {
            options.faults.noAnswer = true;
        } else if (option == "--bad-version") {
            options.faults.badVersion = true;
        } else if (std::find(std::begin(kValueOptions), std::end(kValueOptions), option) == std::end(kValueOptions)) {
            error = "Unknown option " + std::string(option) + "; see tarnex-sim --help.";
            return std::nullopt;
        } else if (i + 1 == args.size()) {
            error = "The option " + std::string(option) + " needs a value; see tarnex-sim --help.";
            return std::nullopt;
        } else if (!applyValue(options, option, args[++i], datarefFile, error)) {
            return std::nullopt;
        }
        scenarioGiven = scenarioGiven || option == "--scenario";
        timeScaleGiven = timeScaleGiven || option == "--time-scale";
        rateGiven = rateGiven || option == "--record-rate";
    }
    if (!checkSource(options, scenarioGiven, timeScaleGiven, datarefFile, error) || !checkRecording(options, rateGiven, error))
        return std::nullopt;
    return options;
}

// Shaped for help2man, which makes the man page from it: each option on a
// line of its own, its text two spaces on or on the lines below, and headings
// as single lines ending in a colon.
std::string simUsage()
{
    return R"(Usage: tarnex-sim [OPTION]...
Serves the FSUIPC protocol as a simulator stand-in until interrupted: a demo
flight, a still aircraft, a keyframe file, or a live X-Plane or FlightGear
relayed to the display.

Scenarios:
  --class UIPCMAIN|FS98MAIN
                              the server class to announce (default UIPCMAIN)
  --scenario demo|static|FILE
                              what to fly: demo (default) loops an A320
                              flight, static holds every offset at zero, FILE
                              plays a keyframe file, written as
                              README-scenario.md describes (installed as
                              /usr/share/doc/tarnex/README-scenario.md)
  --at SECONDS                start the scenario this far in
  --time-scale FACTOR         scenario seconds per real second (default 1)
  --seconds-per-exchange S
                              move the scenario S seconds per answered
                              exchange instead of with the clock, so a client
                              sees the same moments however fast it asks
  --aircraft FILE             serve the named values (oil, APU, thrust limit
                              and the rest) where the aircraft file FILE
                              says, as the display reads them with the same
                              file, instead of at the standard offsets; with
                              --source xplane or flightgear, also take them
                              from the file's datarefs or properties
                              (docs/aircraft.md, installed as
                              /usr/share/doc/tarnex/aircraft.md)
  --set OFF:TYPE=VALUE        pin a value: OFF hexadecimal, TYPE u8, s8, u16,
                              s16, u32, s32 (or i32), f32 or f64; repeatable;
                              pinned values always win
  --duration SECONDS          stop after this long
  --record FILE               write what is served, from any scenario or
                              source, to FILE as a keyframe file that
                              --scenario FILE plays back
  --record-rate HZ            record at most HZ moments per scenario second
                              (default 10)

Live simulators:
  --source xplane[:HOST[:PORT]]
                              relay X-Plane instead of a scenario (Linux):
                              subscribe to its datarefs at HOST (found from
                              X-Plane's beacon when not given), PORT 49000
  --source flightgear[:HOST][:PORT]
                              relay FlightGear instead of a scenario (Linux):
                              take its generic protocol lines sent from HOST
                              (this machine when not given) to PORT (5500);
                              FlightGear needs the protocol file tarnex.xml
                              (installed as
                              /usr/share/tarnex/flightgear/Protocol/tarnex.xml)
  --datarefs FILE             with xplane: "field = dataref [* factor]" lines
                              replacing entries of the built-in dataref table
  --write-protocol DIR        with flightgear: write the protocol file that
                              also sends the --aircraft file's properties as
                              DIR/Protocol/tarnex.xml, print FlightGear's
                              options to use it (--data=DIR) and exit

Faults, to test clients:
  --no-answer                 take requests but never answer them
  --reply VALUE               answer VALUE instead of 1 (processed)
  --bad-version               report server version 0x19980004, one below the
                              oldest a client accepts
  --corrupt marker|size|destination
                              damage that field of the last read request
                              after serving a batch
  --faults-after N            serve the first N exchanges properly (a client's
                              handshake takes one)

Other options:
  --help                      show this text
  --version                   show the program's version

The bridges are described in README-bridge.md (installed as
/usr/share/doc/tarnex/README-bridge.md).
)";
}
