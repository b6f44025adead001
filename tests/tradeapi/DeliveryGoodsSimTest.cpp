// Deliveries of hold bills, the close of a position, goods in warehouses,
// goods financing and bonus points, against simmarketd through
// libClientApi.so.
#include "MarketFamilyTest.h"

#include <map>

using tradeapi::FixedText;
using tradeapi::SetFixedText;

namespace {

class DeliveryGoodsSim : public MarketFamilyTest
{
protected:
    int Delivery(const std::string& holdCode, char apply)
    {
        sFFixHoldBillDelivery req{};
        SetFixedText(req.orderCode, holdCode);
        req.apply = apply;
        const int id = NextId();
        EXPECT_GT(api->ReqHoldBillDelivery(&req, id), 0);
        return Answer(1124, id).info.errorId;
    }

    int Financing(int account, int symbol, int keyA, int keyB, double quantity)
    {
        sFFixFinancingGoods req{account, symbol, keyA, keyB, quantity};
        const int id = NextId();
        EXPECT_GT(api->ReqFinancingGoods(&req, id), 0);
        return Answer(1133, id).info.errorId;
    }

    // The hold push of a bill with the delivery state.
    bool HoldInState(const std::string& code, char state, std::size_t from)
    {
        return rec.log
            .WaitFor(
                [&](const Event& e) {
                    return e.code == 1018 && FixedText(e.As<sFFixHoldDetail>().orderCode) == code &&
                           e.As<sFFixHoldDetail>().deliveryStatus == state;
                },
                from)
            .has_value();
    }

    sFFixDeliveryOrder DeliveryPush(char state, std::size_t from)
    {
        auto push = rec.log.WaitFor(
            [&](const Event& e) {
                return e.code == 1058 && e.As<sFFixDeliveryOrder>().deliveryConfirmStatus == state;
            },
            from);
        EXPECT_TRUE(push) << "no delivery order in state " << state;
        return push ? push->As<sFFixDeliveryOrder>() : sFFixDeliveryOrder{};
    }
};

} // namespace

TEST_F(DeliveryGoodsSim, DeliveryIsPairedThenCompletedWithGoodsAndMoney)
{
    const double before = Account(11)["marginRemain"];
    const std::size_t from = Mark();
    ASSERT_EQ(Delivery("H0001", '1'), 0);
    EXPECT_TRUE(HoldInState("H0001", '2', from)) << "waiting for delivery";

    const std::size_t paired = Mark();
    SetClock(10100);
    EXPECT_TRUE(HoldInState("H0001", '3', paired));
    const auto waiting = DeliveryPush('1', paired);
    EXPECT_EQ(FixedText(waiting.orderCodeRe), "H0001");
    EXPECT_EQ(FixedText(waiting.deliveryConfirmTime), "19000101T000000");
    EXPECT_DOUBLE_EQ(waiting.quantity, 2.0);
    EXPECT_DOUBLE_EQ(waiting.deliveryMoney, waiting.deliveryPrice * 2 * 15);

    const std::size_t done = Mark();
    SetClock(20200);
    const auto bill = Wait(1021, done).As<sFFixCloseBill>();
    EXPECT_EQ(bill.closeType, 'A');
    const auto confirmed = DeliveryPush('2', done);
    EXPECT_EQ(FixedText(confirmed.orderCode), FixedText(waiting.orderCode));
    EXPECT_DOUBLE_EQ(confirmed.closeProfit, bill.closeProfit);
    const auto goods = Wait(1134, done).As<sFFixUserInventory>();
    EXPECT_EQ(goods.storeId, 1);
    EXPECT_EQ(goods.symbolId, 101);
    EXPECT_DOUBLE_EQ(goods.userAmount, 5.0) << "3 held before and 2 delivered";
    ASSERT_EQ(sim.Post("/admin/tick"), 200);
    EXPECT_NEAR(Account(11)["marginRemain"].get<double>(),
                before + bill.closeProfit - bill.chargeClose - confirmed.deliveryMoney -
                    confirmed.deliveryCharge,
                0.011);

    const int query = NextId();
    sFFixUserId user{1001};
    ASSERT_GT(api->ReqQryDeliveryOrder(&user, query), 0);
    const auto rows = Rows(1057, query);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].As<sFFixDeliveryOrder>().deliveryConfirmStatus, '2');
}

TEST_F(DeliveryGoodsSim, WithdrawnApplicationIsNeverDelivered)
{
    ASSERT_EQ(Delivery("H0001", '1'), 0);
    const std::size_t from = Mark();
    ASSERT_EQ(Delivery("H0001", '0'), 0);
    EXPECT_TRUE(HoldInState("H0001", '1', from));
    EXPECT_EQ(Delivery("H0001", '0'), 146) << "nothing left to withdraw";
    SetClock(30000);
    EXPECT_TRUE(Quiet(1058, from));
}

TEST_F(DeliveryGoodsSim, DeliveryRefusals)
{
    EXPECT_EQ(Delivery("H9999", '1'), 144) << "no such bill";
    EXPECT_EQ(Delivery("H0002", '1'), 147) << "the symbol is not delivered";
    EXPECT_EQ(Delivery("H0001", 'x'), 136);
    ASSERT_EQ(Delivery("H0001", '1'), 0);
    EXPECT_EQ(Delivery("H0001", '1'), 146) << "applied already";
}

TEST_F(DeliveryGoodsSim, PositionCloseClosesTheHoldsOfThatSide)
{
    sFFixPositionCloseOrder req{};
    req.accountKey = 13;
    req.symbolId = 301;
    req.side = 's';
    req.orderType = '2';
    req.quantity = 10;
    req.closeFlag = '1';
    const int refused = NextId();
    ASSERT_GT(api->ReqPositionCloseOrder(&req, 0, 0, refused), 0);
    EXPECT_EQ(Answer(1053, refused).info.errorId, 116) << "no buy holds to close";

    req.side = 'b';
    const std::size_t from = Mark();
    const int id = NextId();
    ASSERT_GT(api->ReqPositionCloseOrder(&req, 0, 0, id), 0);
    EXPECT_EQ(Answer(1053, id).info.errorId, 0);
    EXPECT_EQ(FixedText(Wait(1021, from).As<sFFixCloseBill>().orderCodeRe), "H0002");
    EXPECT_DOUBLE_EQ(Wait(1017, from).As<sFFixPosition>().sellQuantity, 0.0);
    EXPECT_EQ(Wait(1016, from).As<sFFixMoney>().accountKey, 13);
}

TEST_F(DeliveryGoodsSim, InventoriesAndBonusPointsAreListed)
{
    sFFixUserId user{1001};
    const int goods = NextId();
    ASSERT_GT(api->ReqQryUserInventory(&user, goods), 0);
    const auto held = Rows(1129, goods);
    ASSERT_EQ(held.size(), 1u);
    EXPECT_EQ(held[0].As<sFFixUserInventory>().symbolId, 101);
    EXPECT_DOUBLE_EQ(held[0].As<sFFixUserInventory>().userAmount, 3.0);
    EXPECT_DOUBLE_EQ(held[0].As<sFFixUserInventory>().financedQuantity, 0.0);

    const int stock = NextId();
    ASSERT_GT(api->ReqQrySymbolInventory(&user, stock), 0);
    const auto offered = Rows(1131, stock);
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_EQ(FixedText(offered[0].As<sFFixSymbolInventory>().inventorySN), "INV-AG-01");
    EXPECT_EQ(offered[0].As<sFFixSymbolInventory>().int1, 71);
    EXPECT_EQ(offered[0].As<sFFixSymbolInventory>().int2, 801);
    EXPECT_DOUBLE_EQ(offered[0].As<sFFixSymbolInventory>().inventoryAmount, 100.0);
    EXPECT_DOUBLE_EQ(offered[0].As<sFFixSymbolInventory>().inventoryAvailable, 80.0);
    EXPECT_DOUBLE_EQ(offered[0].As<sFFixSymbolInventory>().price, 5000.0);

    const int bonus = NextId();
    ASSERT_GT(api->ReqQryBonusPoint(&user, bonus), 0);
    const auto points = Rows(1126, bonus);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].As<sFFixBonusPoint>().accountKey, 11);
    EXPECT_DOUBLE_EQ(points[0].As<sFFixBonusPoint>().bonusPoint, 120.0);
}

TEST_F(DeliveryGoodsSim, FinancingTakesGoodsAgainstMoneyAndCancelGivesThemBack)
{
    const double before = Account(11)["marginRemain"];
    const std::size_t from = Mark();
    ASSERT_EQ(Financing(11, 101, 71, 801, 1), 0);
    const auto taken = Wait(1134, from).As<sFFixUserInventory>();
    EXPECT_EQ(taken.storeId, 801);
    EXPECT_DOUBLE_EQ(taken.userAmount, 1.0);
    EXPECT_DOUBLE_EQ(taken.financedQuantity, 1.0) << "financed";
    EXPECT_DOUBLE_EQ(Wait(1016, from).As<sFFixMoney>().marginRemain, before - 5000.0 * 15);

    const std::size_t back = Mark();
    ASSERT_EQ(Financing(11, 101, 71, 801, -1), 0);
    EXPECT_DOUBLE_EQ(Wait(1134, back).As<sFFixUserInventory>().userAmount, 0.0);
    EXPECT_DOUBLE_EQ(Wait(1016, back).As<sFFixMoney>().marginRemain, before);
}

TEST_F(DeliveryGoodsSim, FinancingRefusals)
{
    const std::size_t from = Mark();
    EXPECT_EQ(Financing(11, 101, 71, 801, 81), 158) << "more than the vendor offers";
    EXPECT_EQ(Financing(11, 102, 72, 802, -1), 163) << "nothing financed to give back";
    EXPECT_EQ(Financing(12, 101, 71, 801, 1), 160) << "account of another market";
    EXPECT_EQ(Financing(11, 101, 72, 801, 1), 179) << "no such inventory";
    EXPECT_TRUE(Quiet(1134, from));
}

TEST_F(DeliveryGoodsSim, AdminGoodsChangesAHoldingAndPushesIt)
{
    struct Step
    {
        const char* query;
        double userAmount; // of the push
    };
    for(const Step& step : {Step{"account=11&store=1&symbol=101&delta=2", 5.0},
                            Step{"account=11&store=1&symbol=101&delta=-9", 0.0},
                            Step{"account=11&store=7&symbol=102&delta=1.5", 1.5}}) {
        SCOPED_TRACE(step.query);
        const std::size_t from = Mark();
        ASSERT_EQ(sim.Post(std::string("/admin/goods?") + step.query), 200);
        EXPECT_DOUBLE_EQ(Wait(1134, from).As<sFFixUserInventory>().userAmount, step.userAmount);
    }
    const auto state = nlohmann::json::parse(sim.Get("/admin/state"));
    std::map<std::pair<int, int>, double> held;
    for(const auto& goods : state["userInventories"]) {
        held[{goods["storeId"].get<int>(), goods["symbol"].get<int>()}] = goods["quantity"].get<double>();
    }
    EXPECT_EQ(held[std::make_pair(1, 101)], 0.0);
    EXPECT_EQ(held[std::make_pair(7, 102)], 1.5);

    const std::size_t from = Mark();
    EXPECT_EQ(sim.Post("/admin/goods?account=99&store=1&symbol=101&delta=1"), 400);
    EXPECT_EQ(sim.Post("/admin/goods?account=11&store=1&symbol=999&delta=1"), 400);
    EXPECT_TRUE(Quiet(1134, from));
}
