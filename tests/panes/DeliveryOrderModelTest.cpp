// The delivery-orders pane without a window: the confirmation time text.
#include "db/DateTimeText.h"
#include "panes/DeliveryConfirmTime.h"

#include <gtest/gtest.h>

TEST(DeliveryConfirmTime, UnsetOrUnreadableTimesShowThreeDashes)
{
    // The server's unset time, wherever in the year 1900 it falls.
    EXPECT_EQ(DeliveryConfirmTimeText(wxDateTime(1, wxDateTime::Jan, 1900)), "---");
    EXPECT_EQ(DeliveryConfirmTimeText(wxDateTime(31, wxDateTime::Dec, 1900, 23, 59, 59)), "---");
    // Empty or unparsable texts arrive as the invalid time.
    EXPECT_EQ(DeliveryConfirmTimeText(ParseCompactDateTime("")), "---");
    EXPECT_EQ(DeliveryConfirmTimeText(wxInvalidDateTime), "---");
    // A real confirmation shows in full.
    EXPECT_EQ(DeliveryConfirmTimeText(wxDateTime(8, wxDateTime::Dec, 2026, 10, 15, 30)),
              "2026-12-08 10:15:30");
    EXPECT_EQ(DeliveryConfirmTimeText(wxDateTime(1, wxDateTime::Jan, 1901)), "1901-01-01 00:00:00");
}
