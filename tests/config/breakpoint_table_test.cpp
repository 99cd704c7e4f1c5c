#include "config/breakpoint_table.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(BreakpointTable, PairsAreReadInOrderOfRisingX)
{
    struct Case {
        char const* text;
        std::size_t size; // 0 with a problem: refused
        char const* problem;
    };
    Case const cases[] = {
        { "-20:70,0:19, 100 : 95", 3, "" },
        { "", 0, "" },
        { "0:19,,100:95,", 2, "" },
        { "0:19,100", 0, "100 is not a pair x:y" },
        { "0:19,50:x", 0, "50:x is not a pair x:y" },
        { "0:19,50:80kt", 0, "50:80kt is not a pair x:y" },
        { "0:19,0:40", 0, "x does not rise at 0:40" },
        { "50:80,10:40", 0, "x does not rise at 10:40" },
        { "0:nan", 0, "0:nan is not a pair x:y" },
        { "1e999:3", 0, "1e999:3 is not a pair x:y" },
    };
    for (Case const& c : cases) {
        std::string problem;
        std::optional<BreakpointTable> const table = parseBreakpoints(c.text, &problem);
        EXPECT_EQ(problem, c.problem) << c.text;
        EXPECT_EQ(table.has_value(), problem.empty()) << c.text;
        if (table) {
            EXPECT_EQ(table->size(), c.size) << c.text;
        }
    }
}

TEST(BreakpointTable, ValuesBetweenBreakpointsLieOnTheLineAndOutsideHoldTheEnds)
{
    BreakpointTable const table = *parseBreakpoints("-20:70,0:19,100:95");
    struct Case {
        double x;
        double y;
    };
    Case const cases[] = { { -30, 70 }, { -20, 70 }, { -10, 44.5 }, { 0, 19 }, { 50, 57 }, { 100, 95 }, { 120, 95 } };
    for (Case const& c : cases)
        EXPECT_DOUBLE_EQ(*interpolate(table, c.x), c.y) << c.x;
    EXPECT_FALSE(interpolate(table, NAN));
    EXPECT_FALSE(interpolate({}, 10));
}
