#pragma once

// Profile cases that every ProfileStore must answer alike: run against our
// own engine natively and, under Wine, against the Windows profile API and
// our engine side by side. The expected answers are what the Windows API
// gives.

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace profile_cases {

using namespace std::string_view_literals;

// A file text standing for "no such file".
inline constexpr std::string_view kNoFile = "\x01<no file>"sv;

struct ReadCase {
    std::string_view what;
    std::string_view fileText;
    std::string_view section;
    std::string_view key;
    std::string_view defaultText;
    std::size_t bufferSize;
    std::string_view expected;
};

inline constexpr std::string_view kBasic = "[EICAS]\r\nSizeX=1000\r\nSizeY=800\r\n"sv;
inline constexpr std::string_view kQuotes
    = "[Q]\r\ndouble=\"quoted\"\r\nsingle='single'\r\nblanks=\" a \"\r\nmismatch=\"abc'\r\nlone=\"\r\n"
      "empty=\"\"\r\ndoubled=\"\"x\"\"\r\nouter=  \"kept inside\"  \r\n"sv;
inline constexpr std::string_view kLayoutOfLines
    = "pre=before\r\n[a]b]\r\nk=1\r\n[unclosed\r\nk2=2\r\n[c]junk\r\nk3=3\r\n=nameless\r\nk4=a=b\r\n"
      "bare\r\nbare=later\r\nempty=\r\nblank=   \r\n"sv;
inline constexpr std::string_view kDuplicates
    = "[Dup]\r\na=1\r\na=2\r\n[other]\r\nx=0\r\n[dup]\r\nb=3\r\n"sv;
inline constexpr std::string_view kComments
    = "; leading comment\r\n[S]\r\n;k=commented\r\n#h=hashed\r\n  ; indented=comment\r\nk=live\r\n"sv;
inline constexpr std::string_view kBlanks
    = "  [ Spaced Section ]  \r\n  my key  =   value one  \r\n\tk7\t=\tt\t\r\n\x0bk8\x0b=\x0bv\x0b\r\n"
      "k9=\x1ax\x1a\r\n\x1ak10=z\r\nnbsp=\xa0n\xa0\r\n"sv;
inline constexpr std::string_view kLineEnds
    = "[lf]\nk=lf\n[cr]\rk=cr\rk2=cr2\r[mixed]\r\n\r\nk=mixed\n\r\nk2=last"sv;
inline constexpr std::string_view kJunk
    = "\x80\xffjunk\x01\x02\r\n[J]\r\n\x90\x91=\x92\r\nk=v\0after\r\nn\0ame=nul name\r\n"
      "latin=\xb0""C\r\n\x7f\x1b[=esc\r\nafter=ok"sv;

inline constexpr auto kReadCases = std::to_array<ReadCase>({
    { "exact names", kBasic, "EICAS", "SizeX", "D", 99, "1000" },
    { "section case ignored", kBasic, "eicas", "SizeY", "D", 99, "800" },
    { "key case ignored", kBasic, "EICAS", "SIZEX", "D", 99, "1000" },
    { "blanks around the asked names", kBasic, " EICAS\t", "  SizeX ", "D", 99, "1000" },
    { "absent key gives the default", kBasic, "EICAS", "SizeZ", "D", 99, "D" },
    { "absent section gives the default", kBasic, "Other", "SizeX", "D", 99, "D" },
    { "trailing spaces of the default dropped", kBasic, "EICAS", "SizeZ", "DEF  ", 99, "DEF" },
    { "quotes of the default dropped", kBasic, "EICAS", "SizeZ", "\"DEF\"", 99, "DEF" },
    { "the sentinel default", kBasic, "EICAS", "SizeZ", "<UNDEFINDED>", 99, "<UNDEFINDED>" },
    { "missing file gives the default", kNoFile, "EICAS", "SizeX", "D", 99, "D" },
    { "empty file gives the default", "", "EICAS", "SizeX", "D", 99, "D" },
    { "double quotes removed", kQuotes, "Q", "double", "D", 99, "quoted" },
    { "single quotes removed", kQuotes, "Q", "single", "D", 99, "single" },
    { "blanks inside quotes kept", kQuotes, "Q", "blanks", "D", 99, " a " },
    { "mismatched quotes kept", kQuotes, "Q", "mismatch", "D", 99, "\"abc'" },
    { "a lone quote kept", kQuotes, "Q", "lone", "D", 99, "\"" },
    { "empty quotes give an empty value", kQuotes, "Q", "empty", "D", 99, "" },
    { "one pair of quotes removed", kQuotes, "Q", "doubled", "D", 99, "\"x\"" },
    { "blanks outside quotes dropped", kQuotes, "Q", "outer", "D", 99, "kept inside" },
    { "quoted value cut by the buffer", kQuotes, "Q", "double", "D", 5, "quot" },
    { "quoted value that just fits", kQuotes, "Q", "double", "D", 8, "quoted" },
    { "keys before any section", kLayoutOfLines, "", "pre", "D", 99, "before" },
    { "section named up to its last bracket", kLayoutOfLines, "a]b", "k", "D", 99, "1" },
    { "an unclosed bracket line is no section", kLayoutOfLines, "a]b", "k2", "D", 99, "2" },
    { "the unclosed name is no section", kLayoutOfLines, "unclosed", "k2", "D", 99, "D" },
    { "text after the bracket ignored", kLayoutOfLines, "c", "k3", "D", 99, "3" },
    { "value split at the first equals sign", kLayoutOfLines, "c", "k4", "D", 99, "a=b" },
    { "a key without equals sign has no value", kLayoutOfLines, "c", "bare", "D", 99, "D" },
    { "empty value", kLayoutOfLines, "c", "empty", "D", 99, "" },
    { "blank value", kLayoutOfLines, "c", "blank", "D", 99, "" },
    { "first key wins", kDuplicates, "DUP", "a", "D", 99, "1" },
    { "only the first section of a name counts", kDuplicates, "dup", "b", "D", 99, "D" },
    { "semicolon comment is no key", kComments, "S", "k", "D", 99, "live" },
    { "hash line is no key", kComments, "S", "h", "D", 99, "D" },
    { "a comment line reads as its whole name", kComments, "S", ";k", "D", 99, "commented" },
    { "indented comment is no key", kComments, "S", "indented", "D", 99, "D" },
    { "blanks around a section name", kBlanks, "spaced section", "my key", "D", 99, "value one" },
    { "tabs trimmed", kBlanks, "Spaced Section", "k7", "D", 99, "t" },
    { "vertical tabs trimmed", kBlanks, "Spaced Section", "k8", "D", 99, "v" },
    { "end-of-file marks trimmed", kBlanks, "Spaced Section", "k9", "D", 99, "x" },
    { "end-of-file mark before a name", kBlanks, "Spaced Section", "k10", "D", 99, "z" },
    { "no-break spaces kept", kBlanks, "Spaced Section", "nbsp", "D", 99, "\xa0n\xa0" },
    { "buffer cut", kBlanks, "Spaced Section", "my key", "D", 5, "valu" },
    { "buffer of one", kBlanks, "Spaced Section", "my key", "D", 1, "" },
    { "buffer of two", kBlanks, "Spaced Section", "my key", "D", 2, "v" },
    { "LF lines", kLineEnds, "lf", "k", "D", 99, "lf" },
    { "CR lines", kLineEnds, "cr", "k2", "D", 99, "cr2" },
    { "mixed lines", kLineEnds, "mixed", "k", "D", 99, "mixed" },
    { "no trailing newline", kLineEnds, "mixed", "k2", "D", 99, "last" },
    { "junk bytes before a section", kJunk, "J", "k", "D", 99, "v" },
    { "junk name and value", kJunk, "J", "\x90\x91", "D", 99, "\x92" },
    { "NUL ends a name", kJunk, "J", "n", "D", 99, "nul name" },
    { "Latin-1 bytes kept", kJunk, "J", "latin", "D", 99, "\xb0""C" },
    { "control characters in a name", kJunk, "J", "\x7f\x1b[", "D", 99, "esc" },
    { "junk file, last line", kJunk, "J", "after", "D", 99, "ok" },
    { "UTF-8 file handed out as Latin-1", "\xef\xbb\xbf[s]\r\nk=v\xc3\xa9\r\n"sv, "s", "k", "D", 99, "v\xe9" },
    { "byte-order mark before a section", "\xef\xbb\xbf[s]\r\nk=1\r\n"sv, "S", "k", "D", 99, "1" },
    { "tab in a key name", "[s]\r\na\tb=1\r\n"sv, "s", "a\tb", "D", 99, "1" },
    { "NUL ends a value", kJunk, "J", "k", "D", 99, "v" },
    { "accented letters keep their case", "[s]\r\n\xc4=upper\r\n"sv, "s", "\xe4", "D", 99, "D" },
});

// Where the Windows API (as Wine implements it) and our engine differ on
// purpose: each side's answer is pinned.
struct Disagreement {
    ReadCase ours; // expected holds our answer
    std::string_view windows;
};

inline constexpr auto kReadDisagreements = std::to_array<Disagreement>({
    // Wine removes the closing quote after cutting, so a quoted value whose
    // text is exactly one shorter than the buffer loses its last character.
    { { "quoted value one shorter than the buffer", kQuotes, "Q", "double", "D", 7, "quoted" }, "quote" },
});

// A value longer than any buffer, between two short keys.
struct LongLineCase {
    std::size_t length;
    std::size_t bufferSize;
};
inline constexpr LongLineCase kLongLine { 100000, 99 };

// One write, then reads that must all give their expected values. Both
// stores must agree on what reads back; the exact bytes a write leaves are
// our engine's own (the Windows API rewrites the whole file).
struct WriteCase {
    std::string_view what;
    std::string_view fileText;
    std::string_view section;
    std::string_view key;
    std::string_view value;
    bool written;
    std::array<std::array<std::string_view, 3>, 4> readBack; // section, key, expected; empty section ends
};

inline constexpr std::string_view kWriteBase
    = "; settings\r\n[Window]\r\nLeft=10\r\nTop = 20\r\n\r\n[Other]\r\nx=1\r\n"sv;

inline constexpr auto kWriteCases = std::to_array<WriteCase>({
    { "creates the file", kNoFile, "ExternalEWD", "Left", "5", true,
        { { { "ExternalEWD", "Left", "5" } } } },
    { "adds a section", kWriteBase, "New", "k", "v", true,
        { { { "New", "k", "v" }, { "Window", "Top", "20" }, { "Other", "x", "1" } } } },
    { "adds a key to a section", kWriteBase, "window", "Width", "300", true,
        { { { "Window", "Width", "300" }, { "Window", "Left", "10" }, { "Other", "x", "1" } } } },
    { "replaces a value", kWriteBase, "WINDOW", "top", "25", true,
        { { { "Window", "Top", "25" }, { "Window", "Left", "10" }, { "Other", "x", "1" } } } },
    { "writes an empty value", kWriteBase, "Window", "Left", "", true,
        { { { "Window", "Left", "" }, { "Window", "Top", "20" } } } },
    { "gives a bare key its value", "[s]\r\nbare\r\nk=1\r\n"sv, "s", "bare", "2", true,
        { { { "s", "bare", "2" }, { "s", "k", "1" } } } },
    { "writes to the first section of a name", kDuplicates, "dup", "b", "4", true,
        { { { "Dup", "b", "4" }, { "Dup", "a", "1" }, { "other", "x", "0" } } } },
    { "adds after a last line without newline", "[s]\nk=1"sv, "s", "k2", "2", true,
        { { { "s", "k", "1" }, { "s", "k2", "2" } } } },
    { "adds a section after a last line without newline", "[s]\nk=1"sv, "t", "k", "2", true,
        { { { "s", "k", "1" }, { "t", "k", "2" } } } },
    { "refuses a line break in the value", kWriteBase, "Window", "Left", "1\r\nTop=99", false,
        { { { "Window", "Left", "10" }, { "Window", "Top", "20" } } } },
    { "refuses an equals sign in the key", kWriteBase, "Window", "Top=", "1", false,
        { { { "Window", "Top", "20" } } } },
    { "refuses a line break in the section", kWriteBase, "Window]\r\n[Other", "x", "2", false,
        { { { "Other", "x", "1" } } } },
});

}
