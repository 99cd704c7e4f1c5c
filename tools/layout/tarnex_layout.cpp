// tarnex-layout pack IN.ini OUT.bin | unpack IN.bin OUT.ini | check IN.bin | lint FILE | lint-aircraft FILE...
//
// Reading a packed layout goes through the same code as the program, so a
// file this tool accepts is one the program loads, and a damaged one fails
// with the text the program would show ("Checksum Error", ...).

#include "app/version.h"
#include "config/layout_codec.h"
#include "config/layout_file.h"
#include "config/packed_layout_file.h"
#include "config/profile_reader.h"
#include "config/whole_file.h"
#include "ewd/layout_lint.h"
#include "sim/aircraft_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace {

constexpr std::string_view kUsage = "Usage: tarnex-layout pack IN.ini OUT.bin | unpack IN.bin OUT.ini | check IN.bin | lint FILE";

// Follows the usage line in --help; shaped for help2man, which makes the man
// page from it.
constexpr std::string_view kDescription = R"(Packs, unpacks, checks and lints the layout files of Tarnex, the A320
engine and warning display. The program reads a layout in either form: plain
INI text, or packed (scrambled, with a checksum).

Commands:
  pack IN.ini OUT.bin      pack the plain layout IN.ini into OUT.bin
  unpack IN.bin OUT.ini    write the plain text of the packed layout IN.bin
  check IN.bin             say whether IN.bin is an intact packed layout, with
                           the error text the program would show if not
  lint FILE                report each problem of the layout FILE (plain or
                           packed) as FILE:LINE: message; exit 1 if any
  lint-aircraft FILE...    the same for aircraft files (the format is in
                           /usr/share/doc/tarnex/aircraft.md)

Options:
  --help                   show this text
  --version                show the program's version

The shipped layouts are installed in /usr/share/tarnex/layouts.
)";

int fail(std::string const& sentence)
{
    std::cerr << sentence << '\n';
    return 1;
}

// Leaves no partial output behind, so a failed build step is not mistaken
// for a finished one.
bool writeFile(std::string const& path, std::span<char const> bytes)
{
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (out)
            return true;
    }
    std::error_code error;
    std::filesystem::remove(path, error);
    return false;
}

// The text of a packed layout file, or the program's error text.
std::optional<std::string> readPackedLayout(std::string const& path, std::string& errorText)
{
    if (!fileExists(path)) {
        errorText = "Cannot open " + path + ": no such file.";
        return std::nullopt;
    }
    std::vector<std::uint8_t> packed;
    if (LayoutError const error = readPackedLayoutFile(path, packed); error != LayoutError::None) {
        errorText = layoutErrorText(error, path);
        return std::nullopt;
    }
    std::optional<std::string> text = unscrambleLayout(packed);
    if (!text)
        errorText = layoutErrorText(LayoutError::Checksum, path);
    return text;
}

int pack(std::string const& in, std::string const& out)
{
    std::optional<std::string> const text = readWholeFile(in);
    if (!text)
        return fail("Cannot read " + in + ".");
    std::optional<std::vector<std::uint8_t>> const packed = scrambleLayout(*text);
    if (!packed) {
        return fail(in + " holds " + std::to_string(text->size()) + " bytes; a layout may hold at most "
            + std::to_string(kMaxLayoutTextSize) + ".");
    }
    if (!writeFile(out, std::span(reinterpret_cast<char const*>(packed->data()), packed->size())))
        return fail("Cannot write " + out + ".");
    return 0;
}

int unpack(std::string const& in, std::string const& out)
{
    std::string errorText;
    std::optional<std::string> const text = readPackedLayout(in, errorText);
    if (!text)
        return fail(errorText);
    if (!writeFile(out, *text))
        return fail("Cannot write " + out + ".");
    return 0;
}

int check(std::string const& in)
{
    std::string errorText;
    std::optional<std::string> const text = readPackedLayout(in, errorText);
    if (!text)
        return fail(errorText);
    std::cout << in << " is an intact layout of " << text->size() << " bytes.\n";
    return 0;
}

// Every problem as FILE:LINE: message; silent and 0 when there is none.
int lint(std::string const& in)
{
    std::optional<std::string> const bytes = readWholeFile(in);
    if (!bytes)
        return fail("Cannot read " + in + ".");
    std::string problem;
    std::optional<std::string> const text = layoutTextOf(*bytes, problem);
    if (!text) {
        std::cout << in << ":1: " << problem << '\n';
        return 1;
    }
    std::vector<LayoutProblem> const problems = lintLayout(*text);
    for (LayoutProblem const& found : problems)
        std::cout << in << ':' << found.line << ": " << found.message << '\n';
    return problems.empty() ? 0 : 1;
}

// Aircraft files, checked as the program reads them: FILE:LINE: message per
// problem; silent and 0 when there is none.
int lintAircraft(std::span<std::string const> files)
{
    bool clean = true;
    for (std::string const& file : files) {
        for (std::string const& problem : loadAircraftFile(file).problems) {
            std::cout << problem << '\n';
            clean = false;
        }
    }
    return clean ? 0 : 1;
}

}

int main(int argc, char** argv)
{
    std::vector<std::string> const args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kUsage << '\n' << kDescription;
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << kVersionText << '\n';
        return 0;
    }
    if (args.size() == 3 && args[0] == "pack")
        return pack(args[1], args[2]);
    if (args.size() == 3 && args[0] == "unpack")
        return unpack(args[1], args[2]);
    if (args.size() == 2 && args[0] == "check")
        return check(args[1]);
    if (args.size() == 2 && args[0] == "lint")
        return lint(args[1]);
    if (args.size() >= 2 && args[0] == "lint-aircraft")
        return lintAircraft(std::span(args).subspan(1));
    std::cerr << kUsage << ".\n";
    return 2;
}
