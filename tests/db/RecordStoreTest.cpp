#include "db/RecordStore.h"

#include <gtest/gtest.h>

namespace {

class RecordStoreTest : public ::testing::Test
{
protected:
    void SetUp() override { store.CreateTables(); }
    RecordStore store;
};

trade_Position Position(int symbolId, double buyQuantity)
{
    trade_Position p;
    p.symbolId = symbolId;
    p.buyQuantity = buyQuantity;
    return p;
}

} // namespace

TEST(RecordStoreLifecycle, StoreWithoutTablesIsDestroyedQuietly)
{
    auto store = std::make_unique<RecordStore>();
    EXPECT_EQ(store->m_trade_HoldBill_table, nullptr);
    EXPECT_EQ(store->m_BookingAddrInfo_table, nullptr);
    store.reset();
}

TEST_F(RecordStoreTest, CreateTablesMakesEveryTableEmpty)
{
    EXPECT_TRUE(store.m_trade_HoldBill_table && store.m_trade_HoldBill_table->GetIndexByPrimary().empty());
    EXPECT_TRUE(store.m_user_LoginInfo_table && store.m_user_LoginInfo_table->GetIndexByPrimary().empty());
    EXPECT_TRUE(store.m_user_Account_table && store.m_user_Account_table->GetIndexByPrimary().empty());
    EXPECT_TRUE(store.m_symbol_Info_table && store.m_symbol_Info_table->GetIndexByPrimary().empty());
    EXPECT_TRUE(store.m_symbol_price_table && store.m_symbol_price_table->GetIndexByPrimary().empty());
    EXPECT_TRUE(store.m_symbol_Property_table && store.m_symbol_Property_table->GetIndexByPrimary().empty());
    EXPECT_TRUE(store.m_sys_CurrencyExchangeRate_table &&
                store.m_sys_CurrencyExchangeRate_table->GetIndexByPrimary().empty());
    EXPECT_TRUE(store.m_trade_CloseBill_table && store.m_trade_CloseBill_table->GetIndexByPrimary().empty());
    EXPECT_TRUE(store.m_trade_Limit_table && store.m_trade_Limit_table->GetIndexByPrimary().empty());
    EXPECT_TRUE(store.m_am_AmountInOut_table && store.m_am_AmountInOut_table->GetIndexByPrimary().empty());
    EXPECT_TRUE(store.m_user_AttPay_table && store.m_user_AttPay_table->GetIndexByPrimary().empty());
    EXPECT_TRUE(store.m_sys_PayPort_table && store.m_sys_PayPort_table->GetIndexByPrimary().empty());
    EXPECT_TRUE(store.m_user_Payport_table && store.m_user_Payport_table->GetIndexByPrimary().empty());
    EXPECT_TRUE(store.m_trade_priceLevel_table &&
                store.m_trade_priceLevel_table->GetIndexByPrimary().empty());
    EXPECT_TRUE(store.m_trade_priceList_table && store.m_trade_priceList_table->GetIndexByPrimary().empty());
    EXPECT_TRUE(store.m_trade_BinaryOrder_table &&
                store.m_trade_BinaryOrder_table->GetIndexByPrimary().empty());
    EXPECT_TRUE(store.m_trade_Contract_table && store.m_trade_Contract_table->GetIndexByPrimary().empty());
    EXPECT_TRUE(store.m_server_time_table && store.m_server_time_table->GetIndexByPrimary().empty());
    EXPECT_TRUE(store.m_risk_notice_table && store.m_risk_notice_table->GetIndexByPrimary().empty());
    EXPECT_TRUE(store.m_trade_DeliveryOrder_table &&
                store.m_trade_DeliveryOrder_table->GetIndexByPrimary().empty());
    EXPECT_TRUE(store.m_trade_Position_table && store.m_trade_Position_table->GetIndexByPrimary().empty());
    EXPECT_TRUE(store.m_UserInventory_table && store.m_UserInventory_table->GetIndexByPrimary().empty());
    EXPECT_TRUE(store.m_SymbolInventory_table && store.m_SymbolInventory_table->GetIndexByPrimary().empty());
    EXPECT_TRUE(store.m_SymbolBookingInfo_table &&
                store.m_SymbolBookingInfo_table->GetIndexByPrimary().empty());
    EXPECT_TRUE(store.m_BookingAddrInfo_table && store.m_BookingAddrInfo_table->GetIndexByPrimary().empty());
}

TEST_F(RecordStoreTest, SecondCreateTablesKeepsTheTablesAndTheirRows)
{
    user_Account account;
    account.accountKey = 7;
    store.m_user_Account_table->Insert(account);
    const auto* table = store.m_user_Account_table.get();
    store.CreateTables();
    EXPECT_EQ(store.m_user_Account_table.get(), table);
    EXPECT_EQ(store.m_user_Account_table->GetIndexByPrimary().size(), 1u);
}

TEST_F(RecordStoreTest, PositionsMayShareASymbolButAccountsMayNotShareAKey)
{
    EXPECT_TRUE(store.m_trade_Position_table->Insert(Position(5, 1.0)).second);
    EXPECT_TRUE(store.m_trade_Position_table->Insert(Position(5, 2.0)).second);
    EXPECT_EQ(store.m_trade_Position_table->GetIndexByPrimary().count(5), 2u);

    user_Account account;
    account.accountKey = 3;
    EXPECT_TRUE(store.m_user_Account_table->Insert(account).second);
    account.accountName = "other";
    const auto clash = store.m_user_Account_table->Insert(account);
    EXPECT_FALSE(clash.second);
    EXPECT_EQ(clash.first->accountName, "");
    EXPECT_EQ(store.m_user_Account_table->GetIndexByPrimary().size(), 1u);
}

TEST_F(RecordStoreTest, ExchangeRatePairAndItsReverseAreDistinctRows)
{
    sys_CurrencyExchangeRate rate;
    rate.fromCurrency = "USD";
    rate.toCurrency = "CNY";
    rate.rate = 7.1;
    EXPECT_TRUE(store.m_sys_CurrencyExchangeRate_table->Insert(rate).second);
    std::swap(rate.fromCurrency, rate.toCurrency);
    rate.rate = 0.14;
    EXPECT_TRUE(store.m_sys_CurrencyExchangeRate_table->Insert(rate).second);
    const auto found = store.m_sys_CurrencyExchangeRate_table->GetExchangeRate("USD", "CNY");
    ASSERT_NE(found, store.m_sys_CurrencyExchangeRate_table->GetIndexByPrimary().end());
    EXPECT_DOUBLE_EQ(found->rate, 7.1);
}

TEST_F(RecordStoreTest, OrderCodeKeysAreCaseSensitive)
{
    trade_HoldBill bill;
    bill.orderCode = "hb01";
    EXPECT_TRUE(store.m_trade_HoldBill_table->Insert(bill).second);
    bill.orderCode = "HB01";
    EXPECT_TRUE(store.m_trade_HoldBill_table->Insert(bill).second);
    EXPECT_NE(store.m_trade_HoldBill_table->Find("hb01"), store.m_trade_HoldBill_table->Find("HB01"));
    EXPECT_EQ(store.m_trade_HoldBill_table->Find("Hb01"),
              store.m_trade_HoldBill_table->GetIndexByPrimary().end());
}

TEST_F(RecordStoreTest, RiskNoticesWithoutTimeSortBeforeTimedOnes)
{
    risk_notice timed;
    timed.accountKey = 1;
    timed.noticeTime = wxDateTime(8, wxDateTime::Dec, 2026, 10, 0, 0);
    risk_notice untimed;
    untimed.accountKey = 1;
    untimed.riskRate = 0.5;
    EXPECT_TRUE(store.m_risk_notice_table->Insert(timed).second);
    EXPECT_TRUE(store.m_risk_notice_table->Insert(untimed).second);
    const auto& byTime = store.m_risk_notice_table->GetIndex<ByNoticeTime>();
    EXPECT_FALSE(byTime.begin()->noticeTime.IsValid());
    EXPECT_TRUE(std::next(byTime.begin())->noticeTime.IsValid());
}

TEST(RecordHash, VectorsOfTheThirtyTwoBitCombine)
{
    EXPECT_EQ(hash_value(wxString()), 0u);
    EXPECT_EQ(hash_value("a"), 0x9e377a1au);
    EXPECT_EQ(hash_value("ab"), 0xcd94a53bu);
    EXPECT_EQ(hash_value("HB20261208000123"), 0xe367219du);
    // Bytes above 0x7f are sign-extended before they are combined.
    EXPECT_EQ(hash_value(wxString::FromUTF8("\xc3\xa9")), 0xcd94cfbdu);
    EXPECT_EQ(hash_value(wxString::FromUTF8("\xe4\xba\xa4\xe6\x98\x93")), 0xe8d9256au);
    // A character outside the basic plane is four bytes.
    EXPECT_EQ(hash_value(wxString::FromUTF8("\xf0\x9f\x98\x80x")), 0xdc4e5ff5u);
}

TEST(PayportKey, SecondIdFillsOnlyTheLowHalf)
{
    EXPECT_EQ(user_Payport::MakePayportKey(1, 2), (int64_t{1} << 32) | 2);
    // A negative second id must not overwrite the first id in the high half.
    EXPECT_EQ(user_Payport::MakePayportKey(5, -1), (int64_t{5} << 32) | int64_t{0xffffffff});
    EXPECT_EQ(user_Payport::MakePayportKey(5, -1) >> 32, 5);
    EXPECT_NE(user_Payport::MakePayportKey(5, -1), user_Payport::MakePayportKey(6, -1));
}

TEST(PriceLevel, NamedAccessorsReadTheBlockInAnswerOrder)
{
    trade_priceLevel level;
    for(int i = 0; i < 24; ++i) {
        level.levels[i] = static_cast<float>(i);
    }
    EXPECT_EQ(level.BuyPrice(0), 0.0f);
    EXPECT_EQ(level.BuyVolume(0), 5.0f);
    EXPECT_EQ(level.SellPrice(4), 14.0f);
    EXPECT_EQ(level.SellVolume(4), 19.0f);
}

TEST_F(RecordStoreTest, GoodsTableHandsObserversAFullCopyOfTheOldRow)
{
    struct OldValueObserver : CCommitTrigger<SymbolInventory>
    {
        SymbolInventory oldValue;
        void commitUpdate(const SymbolInventory& old, const SymbolInventory&, int) override
        {
            oldValue = old;
        }
    } observer;
    store.m_SymbolInventory_table->AddCommitTrigger(&observer);

    symbol_Info symbol;
    symbol.symbolId = 9;
    store.m_symbol_Info_table->Insert(symbol);

    SymbolInventory goods;
    goods.inventorySN = "SN-1";
    goods.symbolId = 9;
    goods.vendorName = wxString::FromUTF8("\xe4\xbb\x93");
    goods.inventoryKeyB = 4;
    goods.refreshSerial = 77;
    goods.stockInTime = wxDateTime(1, wxDateTime::Mar, 2026, 9, 30, 0);
    const auto stored = store.m_SymbolInventory_table->Insert(goods).first;
    ASSERT_TRUE(stored->GetSymbolInfo(&store));

    SymbolInventory changed = *stored;
    changed.inventoryAmount = 12.5;
    changed.vendorName = "B";
    ASSERT_TRUE(store.m_SymbolInventory_table->Update(stored, changed));

    EXPECT_EQ(observer.oldValue.inventorySN, "SN-1");
    EXPECT_EQ(observer.oldValue.vendorName, wxString::FromUTF8("\xe4\xbb\x93"));
    EXPECT_EQ(observer.oldValue.inventoryKeyB, 4);
    EXPECT_EQ(observer.oldValue.refreshSerial, 77u);
    EXPECT_EQ(observer.oldValue.inventoryAmount, 0.0);
    EXPECT_EQ(observer.oldValue.cachedSymbolInfo.Get(),
              &*store.m_symbol_Info_table->GetIndexByPrimary().find(9));
    EXPECT_TRUE(observer.oldValue.stockInTime == goods.stockInTime);
    store.m_SymbolInventory_table->RemoveCommitTrigger(&observer);
}
