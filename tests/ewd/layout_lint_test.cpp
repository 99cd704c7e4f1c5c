#include "ewd/layout_lint.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The problems of a layout, one "line: message" each, joined by newlines.
std::string problems(std::string_view text)
{
    std::string joined;
    for (LayoutProblem const& problem : lintLayout(text))
        joined += std::to_string(problem.line) + ": " + problem.message + "\n";
    return joined;
}

}

TEST(LayoutLint, KeysThatOnlyAnotherSettingMakesThePageReadAreNamedOnce)
{
    struct Case {
        char const* layout;
        char const* expected;
    };
    Case const cases[] = {
        { "[EICAS]\nFlapIndicatorMode=FULL\nAlphaLockOffset=40,200\nFlapIndicatorScale=2\nUpperSeparatorTop=200\n", "" },
        { "[EICAS]\nAlphaLockOffset=40,200\n", "2: AlphaLockOffset has no effect unless FlapIndicatorMode=FULL\n" },
        // An unknown word keeps the default, BASIC, as the readers take it.
        { "[EICAS]\nFlapIndicatorMode=FULLER\nAlphaLockOffset=40,200\n",
            "2: FlapIndicatorMode=FULLER is not one of BASIC, FULL; the default is kept\n"
            "3: AlphaLockOffset has no effect unless FlapIndicatorMode=FULL\n" },
        { "[EICAS]\nefisstyle=new\nFlapIndicatorMode=FULL\nAlphaLockOffset=40,200\nUpperSeparatorBottom=600\nSeparatorY=700\n",
            "3: FlapIndicatorMode has no effect unless EFISStyle=OLD\n"
            "4: AlphaLockOffset has no effect unless EFISStyle=OLD\n"
            "5: UpperSeparatorBottom has no effect unless EFISStyle=OLD\n" },
    };
    for (Case const& c : cases)
        EXPECT_EQ(problems(c.layout), c.expected) << c.layout;
}
