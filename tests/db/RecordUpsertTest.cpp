#include "CountingObserver.h"
#include "db/RecordStore.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

class RecordUpsertTest : public ::testing::Test
{
protected:
    void SetUp() override { store.CreateTables(); }

    trade_HoldBillFactory& Bills() { return *store.m_trade_HoldBill_table; }
    void AddBill(const wxString& code, uint32_t serial, double quantity = 1.0)
    {
        trade_HoldBill bill;
        bill.orderCode = code;
        bill.quantity = quantity;
        bill.refreshSerial = serial;
        const auto found = Bills().Find(code);
        if(found == Bills().GetIndexByPrimary().end()) {
            Bills().Insert(bill);
        } else {
            Bills().Update(found, bill);
        }
    }
    bool HasBill(const wxString& code) { return Bills().Find(code) != Bills().GetIndexByPrimary().end(); }

    RecordStore store;
};

wxString Code(const trade_HoldBill& bill)
{
    return bill.orderCode;
}

wxDateTime At(int hour, int minute)
{
    return wxDateTime(8, wxDateTime::Dec, 2026, hour, minute, 0);
}

trade_BinaryOrder BinaryOrder(const wxString& code, const wxDateTime& openTime)
{
    trade_BinaryOrder order;
    order.orderCode = code;
    order.openTime = openTime;
    order.orderState = '3';
    return order;
}

std::vector<wxString> SequenceCodes(const trade_BinaryOrderFactory& table)
{
    std::vector<wxString> codes;
    const auto& sequence = table.GetIndex<BySequence>();
    for(auto it = sequence.begin(); it != sequence.end(); ++it) {
        codes.push_back(IteratorDeref(it).orderCode);
    }
    return codes;
}

risk_notice Notice(int account, const wxDateTime& time, char kind, double rate, char isNew)
{
    risk_notice notice;
    notice.accountKey = account;
    notice.noticeTime = time;
    notice.noticeKind = kind;
    notice.riskRate = rate;
    notice.isNew = isNew;
    return notice;
}

} // namespace

TEST_F(RecordUpsertTest, EmptyAnswerSweepRemovesEveryOlderRowWithTriggers)
{
    AddBill("A", 100);
    AddBill("B", 101);
    AddBill("C", 150);
    CountingObserver<trade_HoldBill, wxString> observer(Bills(), Code);

    EXPECT_EQ(Bills().SweepStale(150), 2u);

    EXPECT_EQ(observer.beforeRemoves, 2);
    EXPECT_EQ(observer.removed, (std::vector<wxString>{"A", "B"}));
    EXPECT_FALSE(HasBill("A"));
    EXPECT_TRUE(HasBill("C"));
}

TEST_F(RecordUpsertTest, RowAtTheSweptSerialStaysAndOneBelowGoes)
{
    AddBill("equal", 200);
    AddBill("below", 199);
    Bills().SweepStale(200);
    EXPECT_TRUE(HasBill("equal"));
    EXPECT_FALSE(HasBill("below"));
}

TEST_F(RecordUpsertTest, FullAnswerUpdatesDeliveredRowsAndRemovesTheRest)
{
    AddBill("A", 10, 1.0);
    AddBill("B", 10, 1.0);
    AddBill("C", 10, 1.0);
    CountingObserver<trade_HoldBill, wxString> observer(Bills(), Code);

    // The next query (id 20) delivers A and B again; C is gone on the server.
    AddBill("A", 20, 2.0);
    AddBill("B", 20, 3.0);
    Bills().SweepStale(20);

    EXPECT_EQ(observer.updates, 2);
    EXPECT_EQ(observer.adds, 0);
    EXPECT_EQ(observer.removed, std::vector<wxString>{"C"});
    EXPECT_DOUBLE_EQ(Bills().Find("B")->quantity, 3.0);
}

TEST_F(RecordUpsertTest, RowPushedAfterTheQueryWasSentSurvivesItsSweep)
{
    AddBill("pushedLater", 31); // stamped with the counter after query 30 went out
    AddBill("pushedZero", 0);
    Bills().SweepStale(30);
    EXPECT_TRUE(HasBill("pushedLater"));
    EXPECT_FALSE(HasBill("pushedZero"));
}

TEST_F(RecordUpsertTest, SweepStopsAtTheFirstFreshRowWithoutVisitingOthers)
{
    for(uint32_t i = 0; i < 1000; ++i) {
        AddBill(wxString::Format("fresh%u", i), 5000 + i);
    }
    AddBill("stale", 1);
    CountingObserver<trade_HoldBill, wxString> observer(Bills(), Code);
    EXPECT_EQ(Bills().SweepStale(5000), 1u);
    // Only the one stale row was offered for removal.
    EXPECT_EQ(observer.beforeRemoves, 1);
    EXPECT_EQ(Bills().GetIndexByPrimary().size(), 1000u);
}

TEST_F(RecordUpsertTest, SweepComparesSerialsUnsigned)
{
    AddBill("high", std::numeric_limits<uint32_t>::max());
    AddBill("low", 1);
    Bills().SweepStale(0x80000000u);
    EXPECT_TRUE(HasBill("high"));
    EXPECT_FALSE(HasBill("low"));
}

TEST_F(RecordUpsertTest, RefusedRemovalStopsTheSweep)
{
    AddBill("A", 1);
    AddBill("B", 2);
    CountingObserver<trade_HoldBill, wxString> observer(Bills(), Code);
    observer.allowRemove = false;
    EXPECT_EQ(Bills().SweepStale(10), 0u);
    EXPECT_EQ(observer.beforeRemoves, 1);
    EXPECT_TRUE(HasBill("A"));
    EXPECT_TRUE(HasBill("B"));
}

TEST_F(RecordUpsertTest, BinaryOrdersRunFromLatestToEarliestAndTiesGoFirst)
{
    auto& orders = *store.m_trade_BinaryOrder_table;
    orders.Upsert(BinaryOrder("noon", At(12, 0)));
    orders.Upsert(BinaryOrder("morning", At(9, 0)));
    orders.Upsert(BinaryOrder("evening", At(18, 0)));
    orders.Upsert(BinaryOrder("noonAgain", At(12, 0)));
    EXPECT_EQ(SequenceCodes(orders), (std::vector<wxString>{"evening", "noonAgain", "noon", "morning"}));
}

TEST_F(RecordUpsertTest, KnownBinaryOrderIsUpdatedInPlace)
{
    auto& orders = *store.m_trade_BinaryOrder_table;
    orders.Upsert(BinaryOrder("b", At(10, 0)));
    orders.Upsert(BinaryOrder("a", At(11, 0)));
    trade_BinaryOrder settled = BinaryOrder("b", At(10, 0));
    settled.orderState = '2';
    settled.profit = 8.0;
    EXPECT_TRUE(orders.Upsert(settled));
    EXPECT_EQ(SequenceCodes(orders), (std::vector<wxString>{"a", "b"}));
    EXPECT_EQ(orders.GetIndexByPrimary().find("b")->orderState, '2');
    EXPECT_EQ(orders.GetIndex<ByOrderState>().count('3'), 1u);
}

TEST_F(RecordUpsertTest, BinaryOrderWithoutOpenTimeGoesLast)
{
    auto& orders = *store.m_trade_BinaryOrder_table;
    orders.Upsert(BinaryOrder("timed", At(10, 0)));
    orders.Upsert(BinaryOrder("untimed", wxDateTime()));
    orders.Upsert(BinaryOrder("later", At(11, 0)));
    EXPECT_EQ(SequenceCodes(orders), (std::vector<wxString>{"later", "timed", "untimed"}));
}

TEST_F(RecordUpsertTest, BinaryOrderUpsertInATransactionDefersTheCommitNotice)
{
    auto& orders = *store.m_trade_BinaryOrder_table;
    struct Commits : CCommitTrigger<trade_BinaryOrder>
    {
        int adds = 0;
        void commitAdd(const trade_BinaryOrder&, int) override { ++adds; }
    } commits;
    orders.AddCommitTrigger(&commits);
    {
        CTransaction transaction;
        orders.Upsert(BinaryOrder("x", At(10, 0)), &transaction);
        EXPECT_EQ(commits.adds, 0);
        transaction.Commit(0);
    }
    EXPECT_EQ(commits.adds, 1);
    EXPECT_EQ(orders.GetIndexByPrimary().size(), 1u);
    orders.RemoveCommitTrigger(&commits);
}

TEST_F(RecordUpsertTest, RiskNoticeIdenticalInTheComparedFieldsIsUpdated)
{
    auto& notices = *store.m_risk_notice_table;
    risk_notice first = Notice(1, At(10, 0), '2', 0.8, 1);
    notices.Upsert(first);
    first.carriedDouble2 = 42.0; // not compared
    EXPECT_TRUE(notices.Upsert(first));
    EXPECT_EQ(notices.GetIndexByPrimary().size(), 1u);
    EXPECT_EQ(notices.GetIndexByPrimary().begin()->carriedDouble2, 42.0);
}

TEST_F(RecordUpsertTest, RiskNoticeDifferingInAnyComparedFieldIsAdded)
{
    auto& notices = *store.m_risk_notice_table;
    notices.Upsert(Notice(1, At(10, 0), '2', 0.8, 1));
    notices.Upsert(Notice(1, At(10, 1), '2', 0.8, 1)); // time
    notices.Upsert(Notice(1, At(10, 0), '3', 0.8, 1)); // first code
    notices.Upsert(Notice(1, At(10, 0), '2', 0.9, 1)); // first amount
    risk_notice secondAmount = Notice(1, At(10, 0), '2', 0.8, 1);
    secondAmount.carriedDouble1 = 5.0;
    notices.Upsert(secondAmount);
    notices.Upsert(Notice(2, At(10, 0), '2', 0.8, 1)); // another account
    EXPECT_EQ(notices.GetIndexByPrimary().size(), 6u);
}

TEST_F(RecordUpsertTest, RiskNoticesOfBothKindsInOneSecondStayTwoRecords)
{
    auto& notices = *store.m_risk_notice_table;
    notices.Upsert(Notice(1, At(10, 0), '2', 0.8, 1)); // 1047
    notices.Upsert(Notice(1, At(10, 0), '2', 0.8, 0)); // 1048
    EXPECT_EQ(notices.GetIndexByPrimary().count(1), 2u);
}

TEST_F(RecordUpsertTest, RateOfACurrencyWithItselfIsAddedOnceAndSurvivesSweeps)
{
    auto& rates = *store.m_sys_CurrencyExchangeRate_table;
    CountingObserver<sys_CurrencyExchangeRate, wxString> observer(
        rates, [](const sys_CurrencyExchangeRate& r) { return r.fromCurrency; });
    const auto self = rates.GetExchangeRate("CNY", "CNY");
    ASSERT_NE(self, rates.GetIndexByPrimary().end());
    EXPECT_DOUBLE_EQ(self->rate, 1.0);
    EXPECT_EQ(observer.adds, 1);
    EXPECT_EQ(rates.GetExchangeRate("CNY", "CNY"), self);
    EXPECT_EQ(observer.adds, 1);
    rates.SweepStale(std::numeric_limits<uint32_t>::max() - 1);
    EXPECT_EQ(rates.GetIndexByPrimary().size(), 1u);
}

TEST_F(RecordUpsertTest, MissingRateOfTwoCurrenciesAddsNothing)
{
    auto& rates = *store.m_sys_CurrencyExchangeRate_table;
    EXPECT_EQ(rates.GetExchangeRate("USD", "CNY"), rates.GetIndexByPrimary().end());
    EXPECT_EQ(rates.GetExchangeRate("usd", "USD"), rates.GetIndexByPrimary().end());
    EXPECT_TRUE(rates.GetIndexByPrimary().empty());
}

TEST_F(RecordUpsertTest, PositionUpsertUpdatesOneOfTheRowsOfTheSymbol)
{
    auto& positions = *store.m_trade_Position_table;
    trade_Position position;
    position.symbolId = 4;
    position.buyQuantity = 1.0;
    positions.Insert(position);
    positions.Insert(position);
    position.buyQuantity = 9.0;
    EXPECT_TRUE(positions.Upsert(position));
    EXPECT_EQ(positions.GetIndexByPrimary().size(), 2u);
    int updated = 0;
    for(const auto& p : positions.GetIndexByPrimary()) {
        updated += p.buyQuantity == 9.0 ? 1 : 0;
    }
    EXPECT_EQ(updated, 1);
}

TEST_F(RecordUpsertTest, ContractUpsertAndFindUseBothKeyParts)
{
    auto& contracts = *store.m_trade_Contract_table;
    trade_Contract contract;
    contract.contractId = int64_t{1} << 40;
    contract.symbolId = 3;
    contract.periodCount = 5;
    contract.periodUnit = '2';
    EXPECT_TRUE(contracts.Upsert(contract));
    contract.symbolId = 4;
    EXPECT_TRUE(contracts.Upsert(contract));
    contract.profitRate = 0.8;
    EXPECT_TRUE(contracts.Upsert(contract));
    EXPECT_EQ(contracts.GetIndexByPrimary().size(), 2u);
    EXPECT_DOUBLE_EQ(contracts.Find(int64_t{1} << 40, 4)->profitRate, 0.8);
    EXPECT_EQ(contracts.Find(1, 4), contracts.GetIndexByPrimary().end());
    EXPECT_EQ(contracts.GetIndex<BySymbolPeriod>().count(boost::make_tuple(3, 5, '2')), 1u);
}

TEST_F(RecordUpsertTest, UserInventoryUpsertKeysOnStoreAndSymbol)
{
    auto& inventory = *store.m_UserInventory_table;
    UserInventory row;
    row.storeId = 1;
    row.symbolId = 7;
    inventory.Upsert(row);
    row.storeId = 2;
    inventory.Upsert(row);
    row.userAmount = 3.0;
    inventory.Upsert(row);
    EXPECT_EQ(inventory.GetIndexByPrimary().size(), 2u);
    EXPECT_DOUBLE_EQ(inventory.GetIndexByPrimary().find(boost::make_tuple(2, 7))->userAmount, 3.0);
}

TEST_F(RecordUpsertTest, UpsertOfAKnownAccountUpdatesAndNotifies)
{
    auto& accounts = *store.m_user_Account_table;
    CountingObserver<user_Account, int> observer(accounts,
                                                 [](const user_Account& a) { return a.accountKey; });
    user_Account account;
    account.accountKey = 11;
    accounts.Upsert(account);
    account.marginRemain = 100.0;
    accounts.Upsert(account);
    EXPECT_EQ(observer.adds, 1);
    EXPECT_EQ(observer.updates, 1);
    EXPECT_DOUBLE_EQ(accounts.GetIndexByPrimary().find(11)->marginRemain, 100.0);
}
