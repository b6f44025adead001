#pragma once

// A record store holding what the trading panes link to, for the model tests:
// account 11 ("现货一部", CNY, logged in as user 1001) with the symbols AG
// (101: no decimals, contract unit 15, OTC spreads of 2 points) and PT (102:
// two decimals, unit 1), and symbol 900 whose account is missing.
#include "db/RecordStore.h"

#include <gtest/gtest.h>

class PaneTestRecords
{
public:
    static constexpr int kAccount = 11;
    static constexpr int kSilver = 101;
    static constexpr int kPlatinum = 102;
    static constexpr int kOrphan = 900; // its account is not in the table

    PaneTestRecords()
    {
        store.CreateTables();
        user_LoginInfo login;
        login.userId = 1001;
        store.m_user_LoginInfo_table->Insert(login);
        user_Account account;
        account.userId = 1001;
        account.accountKey = kAccount;
        account.currency = "CNY";
        account.marketName = wxString::FromUTF8("现货一部");
        store.m_user_Account_table->Insert(account);
        AddSymbol(kSilver, kAccount, "AG", wxString::FromUTF8("白银"), 0, 15, 5000);
        AddSymbol(kPlatinum, kAccount, "PT", wxString::FromUTF8("铂金"), 2, 1, 380.5);
        AddSymbol(kOrphan, 99, "XX", "Orphan", 2, 1, 10);
    }

    void AddSymbol(int id, int accountKey, const char* code, const wxString& name, int digits, int unit,
                   double lastPrice)
    {
        symbol_Info symbol;
        symbol.symbolId = id;
        symbol.accountKey = accountKey;
        symbol.symbolCode = code;
        symbol.marketType = '1';
        symbol.askSpreadPoints = 2;
        symbol.bidSpreadPoints = 2;
        store.m_symbol_Info_table->Insert(symbol);
        symbol_Property property;
        property.symbolId = id;
        property.symbolCode = code;
        property.symbolName = name;
        property.marketName = wxString::FromUTF8("现货一部");
        property.digits = digits;
        property.contractSize = unit;
        property.currency = "CNY";
        store.m_symbol_Property_table->Insert(property);
        symbol_price price;
        price.symbolId = id;
        price.digits = digits;
        price.lastPrice = lastPrice;
        price.live = true;
        store.m_symbol_price_table->Insert(price);
    }

    // A new last price, as a quote push writes it.
    void Quote(int symbolId, double lastPrice)
    {
        auto& prices = *store.m_symbol_price_table;
        const auto found = prices.GetIndexByPrimary().find(symbolId);
        ASSERT_NE(found, prices.GetIndexByPrimary().end());
        symbol_price quote = *found;
        quote.lastPrice = lastPrice;
        ASSERT_TRUE(prices.Update(found, quote));
    }

    void AddHold(const char* code, int symbolId, char side, double quantity, double holdPrice)
    {
        trade_HoldBill hold;
        hold.orderCode = code;
        hold.accountKey = kAccount;
        hold.symbolId = symbolId;
        hold.side = side;
        hold.quantity = quantity;
        hold.holdPrice = holdPrice;
        hold.openPrice = holdPrice;
        ASSERT_TRUE(store.m_trade_HoldBill_table->Insert(hold).second);
    }

    RecordStore store;
};
