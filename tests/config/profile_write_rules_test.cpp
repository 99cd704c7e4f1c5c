#include "config/profile_write_rules.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

struct EntryCase {
    std::string_view file, section, key, value;
    bool writable;
};

// Both platforms' stores ask this one rule before they write.
constexpr EntryCase kEntryCases[] = {
    { "QuorvelEFIS.cfg", "ExternalEWD", "WindowPosX", "-1000", true },
    { "QuorvelEFIS.cfg", "ExternalEWD", "WindowPosX", "", true },
    { "", "ExternalEWD", "WindowPosX", "10", false },
    { "QuorvelEFIS.cfg", " ", "WindowPosX", "10", false },
    { "QuorvelEFIS.cfg", "ExternalEWD", " ", "10", false },
    { "QuorvelEFIS.cfg", "ExternalEWD", "[WindowPosX", "10", false },
    { "QuorvelEFIS.cfg", "ExternalEWD", "WindowPosX", std::string_view("1\0" "2", 3), false },
};

} // namespace

TEST(ProfileWriteRules, AnEntryIsWritableOnlyToANamedFileAsOneLineOfItsSection)
{
    for (EntryCase const& c : kEntryCases)
        EXPECT_EQ(isWritableProfileEntry(c.file, c.section, c.key, c.value), c.writable)
            << "'" << c.file << "' [" << c.section << "] " << c.key << "=" << c.value;
}
