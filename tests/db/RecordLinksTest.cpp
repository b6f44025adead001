#include "CountingObserver.h"
#include "db/RecordStore.h"

#include <gtest/gtest.h>

namespace {

class RecordLinksTest : public ::testing::Test
{
protected:
    void SetUp() override { store.CreateTables(); }

    void AddSymbol(int symbolId, int accountKey = 0, const wxString& code = "S")
    {
        symbol_Info symbol;
        symbol.symbolId = symbolId;
        symbol.accountKey = accountKey;
        symbol.symbolCode = code;
        store.m_symbol_Info_table->Insert(symbol);
    }
    void RemoveSymbol(int symbolId)
    {
        auto& table = *store.m_symbol_Info_table;
        table.Remove(table.GetIndexByPrimary().find(symbolId));
    }

    RecordStore store;
};

} // namespace

TEST_F(RecordLinksTest, LinkFindsTheTargetAndKeepsIt)
{
    AddSymbol(3, 0, "GOLD");
    trade_HoldBill bill;
    bill.symbolId = 3;
    ASSERT_TRUE(bill.GetSymbolInfo(&store));
    EXPECT_EQ(bill.cachedSymbolInfo->symbolCode, "GOLD");
    const symbol_Info* cached = bill.cachedSymbolInfo.Get();
    ASSERT_TRUE(bill.GetSymbolInfo(&store));
    EXPECT_EQ(bill.cachedSymbolInfo.Get(), cached);
}

TEST_F(RecordLinksTest, LinkToARemovedSymbolFailsAndComesBackWithTheNextDelivery)
{
    AddSymbol(3, 0, "OLD");
    AddSymbol(4);
    trade_HoldBill bill;
    bill.symbolId = 3;
    ASSERT_TRUE(bill.GetSymbolInfo(&store));

    RemoveSymbol(3);
    EXPECT_FALSE(bill.GetSymbolInfo(&store));
    EXPECT_EQ(bill.cachedSymbolInfo.Get(), nullptr);

    AddSymbol(3, 0, "NEW");
    ASSERT_TRUE(bill.GetSymbolInfo(&store));
    EXPECT_EQ(bill.cachedSymbolInfo->symbolCode, "NEW");
}

TEST_F(RecordLinksTest, LinkNeverReadsARemovedTargetEvenWhenItsAddressIsReused)
{
    // Remove and re-deliver many times: a node freed by the removal may be
    // handed to the next insert, so only the removal count tells them apart.
    trade_HoldBill bill;
    bill.symbolId = 3;
    for(int round = 0; round < 50; ++round) {
        AddSymbol(3, 0, wxString::Format("R%d", round));
        ASSERT_TRUE(bill.GetSymbolInfo(&store));
        RemoveSymbol(3);
        AddSymbol(99);
        EXPECT_FALSE(bill.GetSymbolInfo(&store));
        RemoveSymbol(99);
    }
}

TEST_F(RecordLinksTest, ObserverOfTheRemovalSeesTheLinkAsBroken)
{
    AddSymbol(3);
    trade_Position position;
    position.symbolId = 3;
    ASSERT_TRUE(position.GetSymbolInfo(&store));
    CountingObserver<symbol_Info, int> observer(*store.m_symbol_Info_table,
                                                [](const symbol_Info& s) { return s.symbolId; });
    bool linkedDuringRemoval = true;
    observer.onCommitRemove = [&](const symbol_Info&) {
        linkedDuringRemoval = position.GetSymbolInfo(&store);
    };
    RemoveSymbol(3);
    EXPECT_FALSE(linkedDuringRemoval);
}

TEST_F(RecordLinksTest, LinkFollowsAKeyChangedByAnUpdate)
{
    AddSymbol(3, 1);
    AddSymbol(5, 2);
    trade_Limit limit;
    limit.symbolId = 3;
    ASSERT_TRUE(limit.GetSymbolInfo(&store));
    limit.symbolId = 5;
    ASSERT_TRUE(limit.GetSymbolInfo(&store));
    EXPECT_EQ(limit.cachedSymbolInfo->accountKey, 2);
}

TEST_F(RecordLinksTest, GetOrCreateInsertsExactlyOneDefaultProperty)
{
    AddSymbol(8);
    CountingObserver<symbol_Property, int> observer(*store.m_symbol_Property_table,
                                                    [](const symbol_Property& p) { return p.symbolId; });
    const symbol_Info& symbol = *store.m_symbol_Info_table->GetIndexByPrimary().find(8);
    ASSERT_TRUE(symbol.GetSymbolProperty(&store));
    EXPECT_EQ(observer.adds, 1);
    EXPECT_EQ(symbol.cachedSymbolProperty->symbolId, 8);
    EXPECT_EQ(symbol.cachedSymbolProperty->digits, 0);
    EXPECT_TRUE(symbol.cachedSymbolProperty->symbolName.empty());

    symbol_Info copy = symbol;
    copy.cachedSymbolProperty.Reset();
    ASSERT_TRUE(copy.GetSymbolProperty(&store));
    EXPECT_EQ(observer.adds, 1);
    EXPECT_EQ(store.m_symbol_Property_table->GetIndexByPrimary().size(), 1u);
}

TEST_F(RecordLinksTest, PropertyCreatesItsPriceRowAndThePriceLinksBack)
{
    symbol_Info symbol;
    symbol.symbolId = 6;
    ASSERT_TRUE(symbol.GetSymbolProperty(&store));
    ASSERT_TRUE(symbol.cachedSymbolProperty->GetSymbolPrice(&store));
    const auto price = store.m_symbol_price_table->GetIndexByPrimary().find(6);
    ASSERT_NE(price, store.m_symbol_price_table->GetIndexByPrimary().end());
    EXPECT_EQ(price->lastPrice, 0.0);
    ASSERT_TRUE(price->GetSymbolProperty(&store));
    EXPECT_EQ(price->cachedSymbolProperty.Get(), symbol.cachedSymbolProperty.Get());
}

TEST_F(RecordLinksTest, PriceToPropertyLinkCreatesNothing)
{
    symbol_price price;
    price.symbolId = 2;
    EXPECT_FALSE(price.GetSymbolProperty(&store));
    EXPECT_TRUE(store.m_symbol_Property_table->GetIndexByPrimary().empty());
}

TEST_F(RecordLinksTest, RefusedCreateLeavesTheLinkEmpty)
{
    struct Refuse : CActionTrigger<symbol_Property>
    {
        bool beforeAdd(const symbol_Property&, CTransaction*, void*) override { return false; }
    } refuse;
    store.m_symbol_Property_table->AddActionTrigger(&refuse);
    symbol_Info symbol;
    symbol.symbolId = 1;
    EXPECT_FALSE(symbol.GetSymbolProperty(&store));
    EXPECT_EQ(symbol.cachedSymbolProperty.Get(), nullptr);
    store.m_symbol_Property_table->RemoveActionTrigger(&refuse);
}

TEST_F(RecordLinksTest, LinksWithoutTablesFail)
{
    RecordStore empty;
    trade_HoldBill bill;
    bill.symbolId = 1;
    EXPECT_FALSE(bill.GetSymbolInfo(&empty));
    EXPECT_FALSE(bill.GetAccount(nullptr));
    symbol_Info symbol;
    EXPECT_FALSE(symbol.GetSymbolProperty(&empty));
}

TEST_F(RecordLinksTest, MoneyMovementUsesTheSymbolsAccountLink)
{
    user_Account account;
    account.accountKey = 21;
    account.marketName = "Spot";
    store.m_user_Account_table->Insert(account);
    am_AmountInOut row;
    row.accountKey = 21;
    ASSERT_TRUE(symbol_Info::GetAccount(row, &store));
    EXPECT_EQ(row.cachedAccount->marketName, "Spot");
}

TEST_F(RecordLinksTest, FindUserPayportMatchesTheAccountsCurrency)
{
    auto& payports = *store.m_user_Payport_table;
    user_Payport usd;
    usd.payportKey = 1;
    usd.currency = "USD";
    payports.Insert(usd);
    user_Account account;
    account.currency = "USD";
    const auto found = FindUserPayport(payports, account);
    ASSERT_NE(found, payports.GetIndexByPrimary().end());
    EXPECT_EQ(found->payportKey, 1);
    account.currency = "usd";
    EXPECT_EQ(FindUserPayport(payports, account), payports.GetIndexByPrimary().end());
}

TEST_F(RecordLinksTest, PayportLinksToTheMarketsPayPort)
{
    sys_PayPort port;
    port.sysPayPortId = 12;
    port.payPortCode = "Ostrel";
    store.m_sys_PayPort_table->Upsert(port);
    user_Payport registration;
    registration.sysPayPortId = 12;
    ASSERT_TRUE(registration.GetSysPayPort(&store));
    EXPECT_EQ(registration.cachedSysPayPort->payPortCode, "Ostrel");
    user_AttPay attachment;
    attachment.sysPayPortId = 13;
    EXPECT_FALSE(attachment.GetSysPayPort(&store));
}

TEST_F(RecordLinksTest, GoodsRowsLinkToTheUsersHoldingAndSymbol)
{
    AddSymbol(7);
    UserInventory holding;
    holding.storeId = 2;
    holding.symbolId = 7;
    holding.userAmount = 40.0;
    store.m_UserInventory_table->Upsert(holding);

    const UserInventory& stored = *store.m_UserInventory_table->GetIndexByPrimary().begin();
    ASSERT_TRUE(stored.GetSymbolInfo(&store));

    SymbolInventory goods;
    goods.symbolId = 7;
    goods.inventoryKeyB = 2;
    ASSERT_TRUE(goods.GetUserInventory(&store));
    EXPECT_DOUBLE_EQ(goods.cachedUserInventory->userAmount, 40.0);
    goods.inventoryKeyB = 3;
    EXPECT_FALSE(goods.GetUserInventory(&store));

    SymbolBookingInfo booking;
    booking.storeId = 2;
    booking.symbolId = 7;
    EXPECT_TRUE(booking.GetUserInventory(&store));

    store.m_UserInventory_table->SweepStale(1);
    EXPECT_FALSE(booking.GetUserInventory(&store));
}

TEST_F(RecordLinksTest, AccountLinksToTheLoggedInUser)
{
    user_LoginInfo login;
    login.userId = 1001;
    login.loginAccount = "trader";
    store.m_user_LoginInfo_table->Upsert(login);
    user_Account account;
    account.userId = 1001;
    ASSERT_TRUE(account.GetLoginInfo(&store));
    EXPECT_EQ(account.cachedLoginInfo->loginAccount, "trader");
    risk_notice notice;
    notice.accountKey = 5;
    EXPECT_FALSE(notice.GetAccount(&store));
}
