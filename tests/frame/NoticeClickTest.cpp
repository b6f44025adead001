#include "frame/NoticeClick.h"

#include <gtest/gtest.h>

TEST(NoticeClick, EachLabelWithABracketedKeyNamesItsKind)
{
    for(int kind = 0; kind < NoticeClick::eKindCount; ++kind) {
        const NoticeClick click =
            NoticeClick::Parse(NoticeClick::Label(kind) + "[K" + wxString::Format("%d", kind) + "]");
        ASSERT_TRUE(click.IsValid()) << NoticeClick::Label(kind);
        EXPECT_EQ(click.GetKind(), kind);
        EXPECT_EQ(click.GetKey(), wxString::Format("K%d", kind));
    }
}

TEST(NoticeClick, MarketTradeNoticeInsideALongerTextGivesTheBill)
{
    const NoticeClick click = NoticeClick::Parse("10:31:02 Market Trade[B7] XAU buy 1");
    ASSERT_TRUE(click.IsValid());
    EXPECT_EQ(click.GetKind(), NoticeClick::eMarketTrade);
    EXPECT_EQ(click.GetKey(), "B7");
}

TEST(NoticeClick, AnEmptyKeyOrAnUnknownLabelDoesNothing)
{
    EXPECT_FALSE(NoticeClick::Parse("Limit Cancel[]").IsValid());
    EXPECT_FALSE(NoticeClick::Parse("Stop Loss[B1]").IsValid());
    EXPECT_FALSE(NoticeClick::Parse("Market Trade B7").IsValid());
    EXPECT_FALSE(NoticeClick::Parse("").IsValid());
    EXPECT_EQ(NoticeClick::Parse("Limit Cancel[]").GetKind(), NoticeClick::eNone);
}

TEST(NoticeClick, LabelsWithPatternCharactersAreMatchedAsPlainText)
{
    // Translated labels may hold such characters.
    wxArrayString labels;
    labels.Add("Close (all)");
    labels.Add("Limit.Set*");
    const NoticeClick closed = NoticeClick::Parse("Close (all)[C4]", labels);
    ASSERT_TRUE(closed.IsValid());
    EXPECT_EQ(closed.GetKind(), 0);
    EXPECT_EQ(closed.GetKey(), "C4");
    const NoticeClick limit = NoticeClick::Parse("Limit.Set*[L8]", labels);
    ASSERT_TRUE(limit.IsValid());
    EXPECT_EQ(limit.GetKind(), 1);
    // As patterns these would match, or fail to compile; as text they do not.
    EXPECT_FALSE(NoticeClick::Parse("Close all[C4]", labels).IsValid());
    EXPECT_FALSE(NoticeClick::Parse("LimitXSettt[L8]", labels).IsValid());
}

TEST(NoticeClick, UnknownKindsHaveNoLabel)
{
    EXPECT_TRUE(NoticeClick::Label(NoticeClick::eKindCount).empty());
    EXPECT_TRUE(NoticeClick::Label(NoticeClick::eNone).empty());
}

TEST(NoticeClick, TheFirstLabelInTheListWinsOverALaterOne)
{
    // "Limit Trade" comes before "Market Trade" in the list.
    const NoticeClick click = NoticeClick::Parse("Market Trade[B1] Limit Trade[L2]");
    ASSERT_TRUE(click.IsValid());
    EXPECT_EQ(click.GetKind(), NoticeClick::eLimitTrade);
    EXPECT_EQ(click.GetKey(), "L2");
}
