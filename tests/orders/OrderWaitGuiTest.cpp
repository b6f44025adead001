// An order whose wait ended without an answer: the fill seen in the records
// settles it, and so do the records read again after the link came back;
// until then nothing more may be sent.
#include "EventPump.h"
#include "OrderTestMarket.h"
#include "connection/RequestCallBack.h"
#include "connection/RequestNotify.h"
#include "orders/OrderKinds.h"
#include "orders/OrderWait.h"

#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace {

// What a window passes on of its registry's calls.
struct Window : RequestCallBack
{
    void OnResponse(int id, int code, const wxString& text) override { wait->OnResponse(id, code, text); }
    void OnResponseTimeOut(int id) override { wait->OnResponseTimeOut(id); }
    void OnResponseLost(int id, int, const wxString&) override { wait->OnResponseLost(id); }
    OrderWait* wait = nullptr;
};

class OrderWaitTest : public ::testing::Test
{
protected:
    OrderWaitTest()
        : registry([this] { return now; }),
          wait(&window, &market.store, [this](OrderWait::Outcome outcome, int, const wxString&) {
              told.push_back(outcome);
          })
    {
        window.wait = &wait;
        wait.SetRegistry(&registry);
        wait.SetReadyCheck([this] { return ready; });
        std::memset(&buy, 0, sizeof buy);
        buy.accountKey = 11;
        buy.side = 'b';
        buy.orderType = '1';
        buy.quantity = 2;
        buy.symbolId = 101;
    }

    OrderTestMarket market;
    wxDateTime now = wxDateTime(1, wxDateTime::Mar, 2026, 10, 0, 0);
    RequestNotify registry;
    Window window;
    std::vector<OrderWait::Outcome> told;
    bool ready = true;
    OrderWait wait;
    sFFixSetOrder buy;
};

} // namespace

TEST_F(OrderWaitTest, ATimedOutOrderIsSettledByItsFillAndNotByAnotherBill)
{
    market.AddHold("OLD", 'b', 2);
    wait.Start(5, 10000, OrderFate::Of(&market.store, eOpen, buy));
    registry.CheckTimeOut(now + wxTimeSpan::Seconds(10));
    EXPECT_TRUE(wait.IsUnsettled());
    EXPECT_FALSE(wait.CanSend());

    // Another side, or another quantity, is not this order's fill.
    market.AddHold("SELL", 's', 2);
    market.AddHold("ONE", 'b', 1);
    PumpEvents();
    EXPECT_TRUE(told.empty());
    market.AddHold("NEW", 'b', 2);
    PumpEvents();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0], OrderWait::eCarriedOut);
    EXPECT_TRUE(wait.CanSend());
    EXPECT_EQ(registry.GetCount(), 0u); // its late answer is no longer listened for
}

TEST_F(OrderWaitTest, AnOrderLostWithTheLinkIsSettledByTheRecordsReadAfterItCameBack)
{
    wait.Start(6, 10000, OrderFate::Of(&market.store, eOpen, buy));
    ready = false;
    registry.NotifyAll(1, "down");
    EXPECT_TRUE(wait.IsUnsettled());
    market.SetPrice(101, 10.5); // still down: nothing known
    ready = true;
    market.SetPrice(101, 10.6); // up again, every record read: no fill
    PumpEvents();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0], OrderWait::eNotCarriedOut);
    EXPECT_TRUE(wait.CanSend());
}
