// The order windows' sender over the fake plug-in: every order request
// leaves through the login's Client with the next id; without a login
// nothing leaves and no id is used up.
#include "orders/PluginOrderSender.h"

#include "FakeClientPlugin.h"
#include "connection/RequestId.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
struct Orders
{
    sFFixSetOrder set{};
    sFFixModifyOrder modify{};
    sFFixCancelOrder cancel{};
    sFFixHoldBillDelivery delivery{};
    sFFixPositionCloseOrder close{};

    std::vector<int> SendAll(PluginOrderSender& sender)
    {
        return {sender.SetOrder(set), sender.ModifyOrder(modify), sender.CancelOrder(cancel),
                sender.HoldBillDelivery(delivery), sender.PositionCloseOrder(close)};
    }
};
} // namespace

TEST(PluginOrderSender, WithoutALoginNothingLeavesAndNoIdIsUsedUp)
{
    FakeClientPlugin plugin;
    PluginOrderSender sender;
    Orders orders;
    const int before = g_requestId;
    EXPECT_EQ(orders.SendAll(sender), std::vector<int>(5, -1));
    plugin.LogIn();
    plugin.LogOut();
    EXPECT_EQ(orders.SendAll(sender), std::vector<int>(5, -1));
    EXPECT_EQ(g_requestId, before);
    EXPECT_TRUE(plugin.trade.sent.empty());
}

TEST(PluginOrderSender, EveryOrderLeavesThroughTheLoginsClientAndARefusalStillUsesAnId)
{
    FakeClientPlugin plugin;
    plugin.LogIn();
    PluginOrderSender sender;
    Orders orders;
    const int first = g_requestId + 1;
    EXPECT_EQ(orders.SendAll(sender), (std::vector<int>{first, first + 1, first + 2, first + 3, first + 4}));
    const std::vector<std::string> operations = {"ReqSetOrder", "ReqModifyOrder", "ReqCancelOrder",
                                                 "ReqHoldBillDelivery", "ReqPositionCloseOrder"};
    EXPECT_EQ(plugin.trade.Operations(), operations);
    EXPECT_EQ(plugin.trade.sent.back().requestId, first + 4);

    plugin.trade.result = 0;
    EXPECT_EQ(sender.SetOrder(orders.set), -1);
    plugin.trade.result = -3;
    EXPECT_EQ(sender.ModifyOrder(orders.modify), -1);
    EXPECT_EQ(g_requestId, first + 6);
}
