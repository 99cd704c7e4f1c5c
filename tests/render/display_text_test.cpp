#include "render/display_text.h"

#include <gtest/gtest.h>

TEST(DisplayText, UnderscoresShowAsSpaces)
{
    EXPECT_EQ(toDisplayText("N1_%"), u"N1 %");
    EXPECT_EQ(toDisplayText("__"), u"  ");
}

TEST(DisplayText, BytesAreLatin1Characters)
{
    EXPECT_EQ(toDisplayText("\xb0""C"), u"\u00b0C");
    EXPECT_EQ(toDisplayText("\xe9"), u"\u00e9");
    EXPECT_EQ(toDisplayText("\x80\xff"), u"\u0080\u00ff");
    EXPECT_EQ(toDisplayText(std::string_view("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(DisplayText, KeepsAtMost199Characters)
{
    std::u16string const shown = toDisplayText(std::string(250, 'x'));
    EXPECT_EQ(shown, std::u16string(199, u'x'));
    EXPECT_EQ(toDisplayText(std::string(199, 'y')).size(), 199u);
    EXPECT_EQ(toDisplayText(""), u"");
}
