// What /admin/state tells the tests about the market, checked against what
// the market answers and pushes through libClientApi.so: the demo history,
// the cash log, kept orders, positions, deliveries, binary orders, goods and
// pay ports, and the request log of what a client sent.
#include "MarketFamilyTest.h"

#include <chrono>
#include <cmath>
#include <map>
#include <set>
#include <thread>

using nlohmann::json;
using tradeapi::FixedText;
using tradeapi::SetFixedText;

namespace {

long Cents(double value)
{
    return std::lround(value * 100.0);
}

class AdminState : public MarketFamilyTest
{
protected:
    json State(long long logAfter = 0)
    {
        return json::parse(
            sim.Get("/admin/state" + (logAfter ? "?logAfter=" + std::to_string(logAfter) : "")));
    }

    static json Find(const json& list, const char* key, const json& value)
    {
        for(const auto& row : list)
            if(row[key] == value)
                return row;
        return json();
    }

    // A market order; returns the request id.
    int Buy(int account, int symbol, double quantity)
    {
        sFFixSetOrder req{};
        req.accountKey = account;
        req.symbolId = symbol;
        req.side = 'b';
        req.orderType = '1';
        req.quantity = quantity;
        const int id = NextId();
        EXPECT_GT(api->ReqSetOrder(&req, id), 0);
        return id;
    }

    // The request-log entries of one request kind, oldest first.
    json Requests(const json& state, int code)
    {
        json found = json::array();
        for(const auto& entry : state["requests"])
            if(entry["kind"] == "frame" && entry["code"] == code)
                found.push_back(entry);
        return found;
    }

    // Each account's cash log chains: before = the previous after, change =
    // after - before, and the last after is the account's balance.
    void ExpectLedgerChainsToTheBalances(const json& state)
    {
        std::map<int, double> after;
        long long serial = 0;
        for(const auto& e : state["cashLedger"]) {
            EXPECT_GT(e["serial"].get<long long>(), serial);
            serial = e["serial"];
            const int account = e["account"];
            if(after.count(account)) {
                EXPECT_EQ(Cents(e["before"]), Cents(after[account])) << e.dump();
            } else {
                EXPECT_EQ(e["ref"], "opening") << e.dump();
            }
            EXPECT_EQ(Cents(e["change"]), Cents(e["after"].get<double>() - e["before"].get<double>()));
            after[account] = e["after"];
        }
        for(const auto& a : state["accounts"])
            EXPECT_EQ(Cents(after[a["key"]]), Cents(a["marginRemain"])) << "account " << a["key"];
    }
};

} // namespace

TEST_F(AdminState, ListsEveryMemberAndTheDemoHistoryForSeveralPages)
{
    const json state = State();
    for(const char* member : {"sessions",        "fronts",
                              "users",           "accounts",
                              "holds",           "positions",
                              "limits",          "finishedLimits",
                              "closeBills",      "deliveries",
                              "moneyMoves",      "cashLedger",
                              "binaryOrders",    "binaryContracts",
                              "userInventories", "symbolInventories",
                              "sysPayPorts",     "payPortRegistrations",
                              "prices",          "priceLevels",
                              "rates",           "requests",
                              "httpRoutes"})
        EXPECT_TRUE(state[member].is_array()) << member;

    // Account classes, main accounts and surety money per account.
    const std::map<int, std::string> classes = {{11, "1"}, {12, "2"}, {13, "1"}, {14, "3"}};
    for(const auto& [key, accountClass] : classes) {
        const json a = Find(state["accounts"], "key", key);
        EXPECT_EQ(a["accountClass"], accountClass) << key;
        EXPECT_EQ(a["main"], a["accountState"] == "1");
    }
    EXPECT_EQ(Find(state["accounts"], "key", 13)["marketType"], "3");
    EXPECT_DOUBLE_EQ(Find(state["accounts"], "key", 14)["suretyMoney"], 5000.0);

    int closed = 0, moves = 0;
    for(const auto& c : state["closeBills"])
        closed += c["account"] == 11 && c["history"] == true;
    for(const auto& m : state["moneyMoves"])
        moves += m["account"] == 11 && m["history"] == true;
    EXPECT_GE(closed, 30);
    EXPECT_GE(moves, 20);
    EXPECT_GE(state["finishedLimits"].size(), 20u);
    std::set<std::string> finishes;
    for(const auto& l : state["finishedLimits"])
        finishes.insert(l["finish"].get<std::string>());
    EXPECT_EQ(finishes, (std::set<std::string>{"cancelled", "filled"}));
    const auto now = state["nowMs"].get<long long>();
    for(const auto& c : state["closeBills"]) {
        if(c["history"] == true) {
            EXPECT_LT(c["closeTimeMs"].get<long long>(), now) << "history lies before today";
        }
    }
    ExpectLedgerChainsToTheBalances(state);

    ASSERT_EQ(state["priceLevels"].size(), 1u);
    EXPECT_EQ(state["priceLevels"][0]["symbol"], 201);
    EXPECT_EQ(state["priceLevels"][0]["levels"].size(), 24u);
    EXPECT_EQ(Find(state["sysPayPorts"], "code", "Ostrel")["channelName"], "银企直联");
    EXPECT_EQ(state["binaryContracts"].size(), 2u);
}

TEST_F(AdminState, TheDaysQueriesLeaveTheHistoryOut)
{
    sFFixUserId user{1001};
    const int bills = NextId();
    ASSERT_GT(api->ReqQryCloseBill(&user, bills), 0);
    const auto billRows = Rows(1020, bills);
    ASSERT_EQ(billRows.size(), 1u);
    EXPECT_EQ(FixedText(billRows[0].As<sFFixCloseBill>().orderCode), "C0001");

    const int money = NextId();
    ASSERT_GT(api->ReqQryInOutMoney(&user, money), 0);
    std::set<int> ids;
    for(const auto& row : Rows(1042, money))
        ids.insert(row.As<sFFixRspInOutMoney>().inOutId);
    EXPECT_EQ(ids, (std::set<int>{501, 502}));

    // The request log counts what the queries answered.
    const json state = State();
    EXPECT_EQ(Requests(state, 1019).at(0)["rows"], 1);
    EXPECT_EQ(Requests(state, 1041).at(0)["rows"], 2);
    EXPECT_EQ(Requests(state, 1041).at(0)["errorId"], 0);
}

TEST_F(AdminState, TheCashLogFollowsFillsClosesAndTransfers)
{
    const long long before = State()["cashLedger"].size();
    ASSERT_EQ(Answer(1009, Buy(11, 101, 1)).info.errorId, 0);
    const std::string hold = FixedText(Wait(1010, 0).As<sFFixTrade>().orderCode);
    sFFixSetOrder close{};
    close.accountKey = 11;
    close.symbolId = 101;
    close.side = 's';
    close.orderType = '2';
    close.quantity = 1;
    SetFixedText(close.closeOrderCode, hold);
    const int closeId = NextId();
    ASSERT_GT(api->ReqSetOrder(&close, closeId), 0);
    ASSERT_EQ(Answer(1009, closeId).info.errorId, 0);
    const auto bill = Wait(1021, 0).As<sFFixCloseBill>();

    sFFixMoveMoney move{11, 12, 1000.0, {}};
    SetFixedText(move.password, "666666");
    const int moveId = NextId();
    ASSERT_GT(api->ReqMoveMoney(&move, moveId), 0);
    ASSERT_EQ(Answer(1111, moveId).info.errorId, 0);

    const json state = State();
    std::vector<json> added(state["cashLedger"].begin() + before, state["cashLedger"].end());
    std::map<std::string, json> byType;
    for(const auto& e : added)
        byType[e["type"]] = e;
    EXPECT_EQ(byType["4"]["ref"], hold);
    EXPECT_EQ(Cents(byType["6"]["change"]), Cents(bill.closeProfit));
    EXPECT_EQ(byType["6"]["ref"], FixedText(bill.orderCode));
    EXPECT_EQ(Cents(byType["5"]["change"]), -Cents(bill.chargeClose));
    EXPECT_EQ(Cents(byType["N"]["change"]), -100000);
    EXPECT_EQ(byType["N"]["account"], 11);
    EXPECT_EQ(Cents(byType["M"]["change"]), 100000);
    EXPECT_EQ(byType["M"]["account"], 12);
    ExpectLedgerChainsToTheBalances(state);
}

TEST_F(AdminState, FinishedLimitAndBinaryOrdersAreKept)
{
    sFFixSetOrder limit{};
    limit.accountKey = 11;
    limit.symbolId = 101;
    limit.side = 'b';
    limit.orderType = '3';
    limit.price = 4000;
    limit.quantity = 1;
    const int limitId = NextId();
    ASSERT_GT(api->ReqSetOrder(&limit, limitId), 0);
    const std::string code = FixedText(Answer(1009, limitId).As<sFFixSetOrder>().resultText);
    EXPECT_FALSE(Find(State()["limits"], "code", code).is_null());

    sFFixCancelOrder cancel{};
    SetFixedText(cancel.orderCode, code);
    const int cancelId = NextId();
    ASSERT_GT(api->ReqCancelOrder(&cancel, cancelId), 0);
    ASSERT_EQ(Answer(1026, cancelId).info.errorId, 0);
    json state = State();
    EXPECT_TRUE(Find(state["limits"], "code", code).is_null());
    const json cancelled = Find(state["finishedLimits"], "code", code);
    EXPECT_EQ(cancelled["finish"], "cancelled");
    EXPECT_EQ(cancelled["quantityComplete"], 0.0);
    EXPECT_DOUBLE_EQ(cancelled["price"], 4000.0);

    // A binary order: its push carries the price it was opened against.
    const std::size_t from = Mark();
    sFFixSetOrder binary{};
    binary.accountKey = 14;
    binary.symbolId = 401;
    binary.side = 'b';
    binary.quantity = 100;
    binary.orderType = 'F';
    binary.contractKey = 9001;
    const int binaryId = NextId();
    ASSERT_GT(api->ReqSetOrder(&binary, binaryId), 0);
    ASSERT_EQ(Answer(1009, binaryId).info.errorId, 0);
    const auto pushed = Wait(1107, from).As<sFFixBinaryOrer>();
    EXPECT_GT(pushed.referencePrice, 0.0);
    EXPECT_DOUBLE_EQ(pushed.referencePrice, pushed.openPrice);
    SetClock(61000);
    ASSERT_EQ(sim.Post("/admin/tick"), 200);
    state = State();
    const json order = Find(state["binaryOrders"], "code", FixedText(pushed.orderCode));
    EXPECT_EQ(order["state"], "2") << "settled and still listed";
    EXPECT_DOUBLE_EQ(order["referencePrice"], pushed.openPrice);
    EXPECT_EQ(order["contract"], 9001);
    EXPECT_DOUBLE_EQ(order["amount"], 100.0);
}

TEST_F(AdminState, PositionsDeliveriesGoodsAndPayPortsAreListedAsTheClientSeesThem)
{
    json state = State();
    json position;
    for(const auto& p : state["positions"])
        if(p["account"] == 11 && p["symbol"] == 101)
            position = p;
    EXPECT_DOUBLE_EQ(position["buyQuantity"], 2.0);
    EXPECT_EQ(Cents(position["profit"]), Cents(Find(state["holds"], "code", "H0001")["profit"]));

    sFFixHoldBillDelivery apply{};
    SetFixedText(apply.orderCode, "H0001");
    apply.apply = '1';
    const int applyId = NextId();
    ASSERT_GT(api->ReqHoldBillDelivery(&apply, applyId), 0);
    ASSERT_EQ(Answer(1124, applyId).info.errorId, 0);
    EXPECT_FALSE(Find(State()["holds"], "code", "H0001")["delivery"].is_null());
    SetClock(10100);
    ASSERT_EQ(sim.Post("/admin/tick"), 200);
    state = State();
    const json delivery = Find(state["deliveries"], "holdCode", "H0001");
    EXPECT_EQ(delivery["confirmState"], "1");
    EXPECT_DOUBLE_EQ(delivery["quantity"], 2.0);
    EXPECT_EQ(Find(state["holds"], "code", "H0001")["delivery"]["deliveryCode"], delivery["code"]);

    // Goods and pay-port rows carry, field by field, what the state lists.
    sFFixUserId user{1001};
    const int goods = NextId();
    ASSERT_GT(api->ReqQryUserInventory(&user, goods), 0);
    const auto held = Rows(1129, goods).at(0).As<sFFixUserInventory>();
    const json listed = state["userInventories"][0];
    EXPECT_DOUBLE_EQ(held.userAmount, listed["quantity"]);
    EXPECT_DOUBLE_EQ(held.financedQuantity, listed["financed"]);
    EXPECT_DOUBLE_EQ(held.usedAmount, listed["used"]);
    const int stock = NextId();
    ASSERT_GT(api->ReqQrySymbolInventory(&user, stock), 0);
    const auto offered = Rows(1131, stock).at(0).As<sFFixSymbolInventory>();
    const json inventory = Find(state["symbolInventories"], "sn", "INV-AG-01");
    EXPECT_DOUBLE_EQ(offered.inventoryAmount, inventory["total"]);
    EXPECT_DOUBLE_EQ(offered.inventoryAvailable, inventory["available"]);

    const int ports = NextId();
    ASSERT_GT(api->ReqQryPayPortInfo(&user, ports), 0);
    const auto port = Rows(1065, ports).at(0).As<sFFixPayPortInfo>();
    const json registration = state["payPortRegistrations"][0];
    EXPECT_EQ(FixedText(port.bankCardNumber), registration["bankCard"]);
    EXPECT_EQ(FixedText(port.identityNumber), registration["identityNumber"]);
    EXPECT_EQ(std::string(1, port.identityType), registration["identityType"]);
    EXPECT_EQ(std::string(1, port.registState), registration["registState"]);
    EXPECT_EQ(FixedText(port.seatSuffix), registration["seatSuffix"]);
    const int sysPorts = NextId();
    ASSERT_GT(api->ReqQrySysPayPortInfo(&user, sysPorts), 0);
    const auto sys = Rows(1075, sysPorts).at(0).As<sFFixSysPayPortInfo>();
    const json sysListed = Find(state["sysPayPorts"], "id", sys.sysPayPortId);
    EXPECT_EQ(FixedText(sys.channelName), sysListed["channelName"]);
    EXPECT_EQ(std::string(1, sys.completeFlag), sysListed["completeFlag"]);
}

TEST_F(AdminState, TheRequestLogShowsWhatWasSentAndWhatCameBack)
{
    const long long start = State()["requestsLastSeq"];
    ASSERT_EQ(sim.Post("/admin/answer?code=1009&mode=fail&error=31"), 200);
    const int failed = Buy(11, 101, 2);
    EXPECT_EQ(Answer(1009, failed).info.errorId, 31);
    ASSERT_EQ(sim.Post("/admin/answer?code=1009&mode=swallow"), 200);
    const int swallowed = Buy(11, 101, 3);
    // The order travels over the trade link and the mode change over HTTP:
    // switch back only once the market has logged the swallowed order.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while(State(start)["requests"].size() < 2 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_EQ(State(start)["requests"].size(), 2u);
    ASSERT_EQ(sim.Post("/admin/answer?code=1009&mode=normal"), 200);
    const int filled = Buy(11, 102, 1);
    EXPECT_EQ(Answer(1009, filled).info.errorId, 0);

    const json log = State(start)["requests"];
    ASSERT_EQ(log.size(), 3u) << "only the entries after the mark";
    EXPECT_EQ(log[0]["requestId"], failed);
    EXPECT_EQ(log[0]["request"], "ReqSetOrder");
    EXPECT_EQ(log[0]["user"], "demo");
    EXPECT_EQ(log[0]["account"], 11);
    EXPECT_EQ(log[0]["fault"], "fail");
    EXPECT_EQ(log[0]["errorId"], 31);
    EXPECT_DOUBLE_EQ(log[0]["fields"]["quantity"], 2.0);
    EXPECT_EQ(log[0]["fields"]["side"], "b");
    EXPECT_EQ(log[1]["requestId"], swallowed);
    EXPECT_EQ(log[1]["fault"], "swallow");
    EXPECT_TRUE(log[1]["answerCode"].is_null());
    EXPECT_EQ(log[2]["requestId"], filled);
    EXPECT_TRUE(log[2]["fault"].is_null());
    EXPECT_EQ(log[2]["answerCode"], 1009);
    EXPECT_EQ(log[2]["errorId"], 0);
    EXPECT_EQ(log[2]["fields"]["symbolId"], 102);
    EXPECT_EQ(log[2]["fields"]["orderType"], "1");
}
