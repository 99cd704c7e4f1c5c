#include "alerts/alert_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

AlertRecord record(char16_t const* text, int level)
{
    AlertRecord r;
    r.build(text, level);
    return r;
}

std::vector<std::u16string> texts(AlertList const& list)
{
    std::vector<std::u16string> out;
    for (int i = 0; i < AlertList::kCapacity && list.at(i) != nullptr; ++i)
        out.emplace_back(list.at(i)->textView());
    return out;
}

}

TEST(AlertRecord, BuildSetsTextAndLevelAndClearsTheFlags)
{
    AlertRecord r;
    r.active = 1;
    r.listed = 1;
    r.reserved[1] = 7;
    r.build(u"DOOR", 1);
    EXPECT_EQ(r.textView(), u"DOOR");
    EXPECT_EQ(r.level, 1);
    EXPECT_EQ(r.active, 0);
    EXPECT_EQ(r.listed, 0);
    EXPECT_EQ(r.reserved[0], 0);
    EXPECT_EQ(r.reserved[1], 0);
}

TEST(AlertRecord, LongTextIsCutToNinetyNineUnits)
{
    AlertRecord r;
    r.build(std::u16string(150, u'X'), 2);
    EXPECT_EQ(r.textView().size(), 99u);
    EXPECT_EQ(r.text[99], u'\0');
}

TEST(AlertList, OrdersByAscendingLevelAndNewerOfALevelFollowOlder)
{
    AlertRecord memo = record(u"MEMO", 3);
    AlertRecord caution = record(u"CAUTION", 2);
    AlertRecord warningA = record(u"WARNING A", 1);
    AlertRecord warningB = record(u"WARNING B", 1);
    AlertRecord warningC = record(u"WARNING C", 1);
    AlertRecord inhibit = record(u"INHIBIT", 0);
    AlertList list;
    list.insert(memo);
    list.insert(caution);
    list.insert(warningA);
    list.insert(warningB);
    list.insert(warningC);
    list.insert(inhibit);
    EXPECT_EQ(texts(list), (std::vector<std::u16string> { u"INHIBIT", u"WARNING A", u"WARNING B", u"WARNING C", u"CAUTION", u"MEMO" }));
    EXPECT_EQ(warningC.listed, 1);
}

TEST(AlertList, RemoveClosesTheGapAndAnUnlistedRecordOnlyLosesItsFlag)
{
    AlertRecord a = record(u"A", 1);
    AlertRecord b = record(u"B", 2);
    AlertRecord c = record(u"C", 3);
    AlertRecord stranger = record(u"X", 1);
    stranger.listed = 1;
    AlertList list;
    list.insert(a);
    list.insert(b);
    list.insert(c);
    list.remove(b);
    EXPECT_EQ(texts(list), (std::vector<std::u16string> { u"A", u"C" }));
    EXPECT_EQ(b.listed, 0);
    list.remove(stranger);
    EXPECT_EQ(texts(list), (std::vector<std::u16string> { u"A", u"C" }));
    EXPECT_EQ(stranger.listed, 0);
}

TEST(AlertList, AFullListDropsItsLastEntryForAMoreUrgentRecord)
{
    std::vector<AlertRecord> memos(AlertList::kCapacity, record(u"MEMO", 3));
    memos.back().build(u"LAST MEMO", 3);
    AlertList list;
    for (AlertRecord& memo : memos)
        list.insert(memo);
    AlertRecord warning = record(u"WARNING", 1);
    list.insert(warning);
    EXPECT_EQ(list.at(0), &warning);
    for (int i = 1; i < AlertList::kCapacity; ++i)
        EXPECT_EQ(list.at(i), &memos[i - 1]);
    // The dropped record keeps its flag until its condition clears.
    EXPECT_EQ(memos.back().listed, 1);
}

TEST(AlertList, ARecordWithoutRoomIsStillMarkedListed)
{
    std::vector<AlertRecord> warnings(AlertList::kCapacity, record(u"WARNING", 1));
    AlertList list;
    for (AlertRecord& warning : warnings)
        list.insert(warning);
    AlertRecord memo = record(u"MEMO", 3);
    list.insert(memo);
    EXPECT_EQ(memo.listed, 1);
    for (int i = 0; i < AlertList::kCapacity; ++i)
        EXPECT_EQ(list.at(i), &warnings[i]);
}
