// Binary-option contracts and orders: placing through the order request with
// type 'F', settlement when the market clock reaches expiry, contract state
// changes, against simmarketd through libClientApi.so.
#include "MarketFamilyTest.h"

using tradeapi::FixedText;

namespace {

constexpr int kAccount = 14;
constexpr int kSymbol = 401;

class BinaryOptionSim : public MarketFamilyTest
{
protected:
    // Places a binary order; returns the request id.
    int Order(long long contract, char side, double amount, int account = kAccount)
    {
        sFFixSetOrder req{};
        req.accountKey = account;
        req.side = side;
        req.quantity = amount;
        req.orderType = 'F';
        req.pointDiff = 20;
        req.symbolId = kSymbol;
        req.contractKey = contract;
        req.binaryMode = '1';
        const int id = NextId();
        EXPECT_GT(api->ReqSetOrder(&req, id), 0);
        return id;
    }

    int ErrorOf(int id) { return Answer(1009, id).info.errorId; }

    // The push of an order in the given state.
    sFFixBinaryOrer OrderPush(const std::string& code, char state, std::size_t from)
    {
        auto push = rec.log.WaitFor(
            [&](const Event& e) {
                return e.code == 1107 && FixedText(e.As<sFFixBinaryOrer>().orderCode) == code &&
                       e.As<sFFixBinaryOrer>().orderState == state;
            },
            from);
        EXPECT_TRUE(push) << "no push of " << code << " in state " << state;
        return push ? push->As<sFFixBinaryOrer>() : sFFixBinaryOrer{};
    }

    double Remain() { return Account(kAccount)["marginRemain"]; }
    void SetPrice(double price)
    {
        ASSERT_EQ(
            sim.Post("/admin/price?symbol=" + std::to_string(kSymbol) + "&price=" + std::to_string(price)),
            200);
    }
};

} // namespace

TEST_F(BinaryOptionSim, ContractsAreListedWithTheirTerms)
{
    const int id = NextId();
    sFFixQryBinaryContract req{};
    ASSERT_GT(api->ReqQryBinaryContract(&req, id), 0);
    const auto rows = Rows(1103, id);
    ASSERT_EQ(rows.size(), 2u);
    const auto c = rows[0].As<sFFixBinaryContract>();
    EXPECT_EQ(c.contractNo, 9001);
    EXPECT_EQ(c.contractId, kSymbol);
    EXPECT_EQ(c.state, '2');
    EXPECT_DOUBLE_EQ(c.value1, 5000.0); // largest amount
    EXPECT_DOUBLE_EQ(c.value2, 10.0);   // smallest amount
    EXPECT_EQ(c.int1, 60);
    EXPECT_EQ(c.char1, '1');
    EXPECT_DOUBLE_EQ(c.value5, 0.8);  // profit rate
    EXPECT_DOUBLE_EQ(c.value6, 0.02); // charge rate
}

TEST_F(BinaryOptionSim, WinningOrderOpensRunningAndPaysAmountTimesRateLessChargeAtExpiry)
{
    const double before = Remain();
    const std::size_t from = Mark();
    const int id = Order(9001, 'b', 100.0);
    ASSERT_EQ(ErrorOf(id), 0);
    const std::string code = FixedText(Answer(1009, id).As<sFFixSetOrder>().resultText);
    ASSERT_FALSE(code.empty());
    const auto running = OrderPush(code, '3', from);
    EXPECT_EQ(running.periodSeconds, 60);
    EXPECT_EQ(running.int1, kAccount);
    EXPECT_DOUBLE_EQ(running.orderAmount, 100.0);
    EXPECT_DOUBLE_EQ(running.charge, 2.0);
    EXPECT_DOUBLE_EQ(Wait(1016, from).As<sFFixMoney>().marginRemain, before - 100.0);

    SetPrice(running.openPrice + 0.001);
    const std::size_t expiry = Mark();
    EXPECT_TRUE(Quiet(1107, expiry)) << "nothing settles before expiry";
    SetClock(61000);
    const auto settled = OrderPush(code, '2', expiry);
    EXPECT_EQ(settled.periodSeconds, 0);
    EXPECT_DOUBLE_EQ(settled.expirePrice, running.openPrice + 0.001);
    EXPECT_DOUBLE_EQ(settled.profit, 78.0);
    EXPECT_DOUBLE_EQ(Wait(1016, expiry).As<sFFixMoney>().marginRemain, before + 78.0);
}

TEST_F(BinaryOptionSim, LosingOrderKeepsTheAmountAndLongerContractsRunOn)
{
    const double before = Remain();
    const std::size_t from = Mark();
    const int up = Order(9001, 'b', 200.0);
    const int down = Order(9001, 's', 50.0);
    const int longer = Order(9002, 'b', 100.0);
    ASSERT_EQ(ErrorOf(up), 0);
    ASSERT_EQ(ErrorOf(down), 0);
    ASSERT_EQ(ErrorOf(longer), 0);
    const std::string upCode = FixedText(Answer(1009, up).As<sFFixSetOrder>().resultText);
    const std::string downCode = FixedText(Answer(1009, down).As<sFFixSetOrder>().resultText);
    const std::string longCode = FixedText(Answer(1009, longer).As<sFFixSetOrder>().resultText);
    const double open = OrderPush(upCode, '3', from).openPrice;
    EXPECT_EQ(OrderPush(longCode, '3', from).periodSeconds, 300);

    SetPrice(open - 0.002);
    const std::size_t expiry = Mark();
    SetClock(61000);
    EXPECT_DOUBLE_EQ(OrderPush(upCode, '2', expiry).profit, -200.0);
    EXPECT_DOUBLE_EQ(OrderPush(downCode, '2', expiry).profit, 39.0);
    EXPECT_FALSE(rec.log.WaitFor(
        [&](const Event& e) {
            return e.code == 1107 && FixedText(e.As<sFFixBinaryOrer>().orderCode) == longCode &&
                   e.As<sFFixBinaryOrer>().orderState == '2';
        },
        expiry, 300));
    ASSERT_EQ(sim.Post("/admin/tick"), 200);
    EXPECT_DOUBLE_EQ(Remain(), before - 200.0 - 50.0 - 100.0 + 50.0 + 39.0);

    const int query = NextId();
    sFFixQryBinaryOrder req{1001, 0};
    ASSERT_GT(api->ReqQryBinaryOrer(&req, query), 0);
    std::map<std::string, char> states;
    for(const auto& row : Rows(1106, query))
        states[FixedText(row.As<sFFixBinaryOrer>().orderCode)] = row.As<sFFixBinaryOrer>().orderState;
    EXPECT_EQ(states, (std::map<std::string, char>{{upCode, '2'}, {downCode, '2'}, {longCode, '3'}}));
}

TEST_F(BinaryOptionSim, DrawAtTheOpenPriceReturnsTheAmount)
{
    const double before = Remain();
    const std::size_t from = Mark();
    const int id = Order(9001, 's', 300.0);
    ASSERT_EQ(ErrorOf(id), 0);
    const std::string code = FixedText(Answer(1009, id).As<sFFixSetOrder>().resultText);
    OrderPush(code, '3', from);
    const std::size_t expiry = Mark();
    SetClock(61000);
    EXPECT_DOUBLE_EQ(OrderPush(code, '2', expiry).profit, 0.0);
    ASSERT_EQ(sim.Post("/admin/tick"), 200);
    EXPECT_DOUBLE_EQ(Remain(), before);
}

TEST_F(BinaryOptionSim, ContractStateChangeIsPushedAndClosesItForOrders)
{
    const std::size_t from = Mark();
    ASSERT_EQ(sim.Post("/admin/contract?no=9001&state=1"), 200);
    const auto pushed = Wait(1104, from).As<sFFixBinaryContract>();
    EXPECT_EQ(pushed.contractNo, 9001);
    EXPECT_EQ(pushed.state, '1');
    EXPECT_EQ(ErrorOf(Order(9001, 'b', 100.0)), 129);
    ASSERT_EQ(sim.Post("/admin/contract?no=9001&state=2"), 200);
    EXPECT_EQ(ErrorOf(Order(9001, 'b', 100.0)), 0);
    EXPECT_EQ(sim.Post("/admin/contract?no=4242&state=2"), 400);
}

TEST_F(BinaryOptionSim, OrderRefusalsCarryTheErrorOfTheirCause)
{
    const std::size_t from = Mark();
    EXPECT_EQ(ErrorOf(Order(9001, 'b', 5.0)), 131) << "below the smallest amount";
    EXPECT_EQ(ErrorOf(Order(9001, 'b', 5001.0)), 131) << "above the largest amount";
    EXPECT_EQ(ErrorOf(Order(4242, 'b', 100.0)), 127) << "no such contract";
    EXPECT_EQ(ErrorOf(Order(9001, 'x', 100.0)), 108) << "neither up nor down";
    EXPECT_EQ(ErrorOf(Order(9001, 'b', 100.0, 11)), 28) << "account of another market";
    EXPECT_TRUE(Quiet(1107, from));
}

TEST_F(BinaryOptionSim, OtherOrderTypesStillReachTheOrderEngine)
{
    sFFixSetOrder req{};
    req.accountKey = 11;
    req.side = 'b';
    req.quantity = 1;
    req.orderType = '1';
    req.symbolId = 101;
    const std::size_t from = Mark();
    const int id = NextId();
    ASSERT_GT(api->ReqSetOrder(&req, id), 0);
    EXPECT_EQ(ErrorOf(id), 0);
    EXPECT_EQ(Wait(1010, from).As<sFFixTrade>().symbolId, 101);
}
