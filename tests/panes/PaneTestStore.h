#pragma once

// A record store filled the way the client fills it, for the tests of the
// pane models: one logged-in user, accounts, symbols with property and
// quote, hold bills; and a notifier that records what a model tells its
// control.
#include "db/RecordStore.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <wx/dataview.h>

class PaneTestStore
{
public:
    static constexpr int kUserId = 1001;

    PaneTestStore()
    {
        store.CreateTables();
        user_LoginInfo login;
        login.userId = kUserId;
        login.userName = "Trader Name";
        login.loginAccount = "demo";
        store.m_user_LoginInfo_table->Insert(login);
    }

    user_Account MakeAccount(int key, char accountClass = '1', const char* market = "M1") const
    {
        user_Account account;
        account.userId = kUserId;
        account.accountKey = key;
        account.accountClass = accountClass;
        account.marketName = market;
        account.currency = "CNY";
        account.riskKind = '1';
        account.accountState = '2';
        return account;
    }
    const user_Account& AddAccount(const user_Account& account)
    {
        const auto inserted = store.m_user_Account_table->Insert(account);
        EXPECT_TRUE(inserted.second) << "account " << account.accountKey;
        return *inserted.first;
    }
    const user_Account& AddAccount(int key, char accountClass = '1', const char* market = "M1")
    {
        return AddAccount(MakeAccount(key, accountClass, market));
    }
    void ChangeAccount(int key, const std::function<void(user_Account&)>& change)
    {
        ASSERT_TRUE(store.m_user_Account_table->Modify(key, change));
    }
    void RemoveAccount(int key)
    {
        auto& table = *store.m_user_Account_table;
        ASSERT_TRUE(table.Remove(table.GetIndexByPrimary().find(key)));
    }

    // A symbol booked to the account, with a property and a quote.
    void AddSymbol(int id, int accountKey, char marketType = '1', double price = 100.0, int digits = 2,
                   int buySpread = 0, int sellSpread = 0, int contractSize = 1)
    {
        symbol_Info symbol;
        symbol.userId = kUserId;
        symbol.symbolId = id;
        symbol.accountKey = accountKey;
        symbol.marketType = marketType;
        symbol.askSpreadPoints = buySpread;
        symbol.bidSpreadPoints = sellSpread;
        ASSERT_TRUE(store.m_symbol_Info_table->Insert(symbol).second);
        symbol_Property property;
        property.symbolId = id;
        property.symbolName = wxString::Format("Sym%d", id);
        property.digits = digits;
        property.contractSize = contractSize;
        property.currency = "CNY";
        ASSERT_TRUE(store.m_symbol_Property_table->Insert(property).second);
        symbol_price quote;
        quote.symbolId = id;
        quote.digits = digits;
        quote.lastPrice = price;
        quote.live = true;
        ASSERT_TRUE(store.m_symbol_price_table->Insert(quote).second);
    }
    void SetPrice(int symbolId, double price)
    {
        auto& table = *store.m_symbol_price_table;
        symbol_price quote = *table.GetIndexByPrimary().find(symbolId);
        quote.lastPrice = price;
        ASSERT_TRUE(table.Update(table.GetIndexByPrimary().find(symbolId), quote));
    }

    trade_HoldBill MakeBill(const char* code, int accountKey, int symbolId, char side = 'b',
                            double quantity = 1.0, double holdPrice = 100.0) const
    {
        trade_HoldBill bill;
        bill.orderCode = code;
        bill.accountKey = accountKey;
        bill.symbolId = symbolId;
        bill.side = side;
        bill.quantity = quantity;
        bill.holdPrice = holdPrice;
        bill.openPrice = holdPrice;
        bill.openTime = wxDateTime(4, wxDateTime::May, 2016, 13, 20, 0);
        return bill;
    }
    const trade_HoldBill& AddBill(const trade_HoldBill& bill)
    {
        const auto inserted = store.m_trade_HoldBill_table->Insert(bill);
        EXPECT_TRUE(inserted.second) << bill.orderCode;
        return *inserted.first;
    }
    const trade_HoldBill& AddBill(const char* code, int accountKey, int symbolId, char side = 'b',
                                  double quantity = 1.0, double holdPrice = 100.0)
    {
        return AddBill(MakeBill(code, accountKey, symbolId, side, quantity, holdPrice));
    }
    void RemoveBill(const char* code)
    {
        auto& table = *store.m_trade_HoldBill_table;
        ASSERT_TRUE(table.Remove(table.Find(code)));
    }

    RecordStore store;
};

// What a model told its control, one line per call: "add 3", "delete 0",
// "change 2", "value 4 11" (row and column), "reset".
class StoreRecordingNotifier : public wxDataViewModelNotifier
{
public:
    explicit StoreRecordingNotifier(std::vector<std::string>& log) : m_log(log) {}

    bool ItemAdded(const wxDataViewItem&, const wxDataViewItem& item) override { return Log("add", item); }
    bool ItemDeleted(const wxDataViewItem&, const wxDataViewItem& item) override
    {
        return Log("delete", item);
    }
    bool ItemChanged(const wxDataViewItem& item) override { return Log("change", item); }
    bool ValueChanged(const wxDataViewItem& item, unsigned int column) override
    {
        return Log("value", item, " " + std::to_string(column));
    }
    bool Cleared() override
    {
        m_log.push_back("clear");
        return true;
    }
    void Resort() override {}
    bool BeforeReset() override { return true; }
    bool AfterReset() override
    {
        m_log.push_back("reset");
        return true;
    }

private:
    bool Log(const char* what, const wxDataViewItem& item, const std::string& more = "")
    {
        // Rows of a virtual list are item ids less one.
        m_log.push_back(std::string(what) + " " + std::to_string(wxPtrToUInt(item.GetID()) - 1) + more);
        return true;
    }

    std::vector<std::string>& m_log;
};
