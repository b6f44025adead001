#pragma once

// A record store with a small market for the order tests: account 11 (CNY),
// symbol 101 "AG" (OTC, two decimals, last 10.00, buy spread 3, sell spread 2,
// limit distance 10, stop-loss and take-profit distance 5) and symbol 201
// "CU" (aggregate market '2'), plus helpers for bills, limit orders and
// positions.
#include "db/RecordStore.h"

#include <boost/tuple/tuple.hpp>
#include <gtest/gtest.h>

class OrderTestMarket
{
public:
    OrderTestMarket()
    {
        store.CreateTables();
        user_Account account;
        account.accountKey = 11;
        account.currency = "CNY";
        account.netValue = 100000.0;
        store.m_user_Account_table->Insert(account);

        sys_CurrencyExchangeRate rate;
        rate.fromCurrency = "CNY";
        rate.toCurrency = "CNY";
        rate.rate = 1.0;
        store.m_sys_CurrencyExchangeRate_table->Insert(rate);

        AddSymbol(101, "AG", "Silver", '1', 2, 10.0);
        AddSymbol(201, "CU", "Copper", '2', 1, 68500.0);
    }

    void AddSymbol(int id, const char* code, const char* name, char marketType, int digits, double last)
    {
        symbol_Info symbol;
        symbol.symbolId = id;
        symbol.accountKey = 11;
        symbol.symbolCode = code;
        symbol.marketType = marketType;
        symbol.askSpreadPoints = 3;
        symbol.bidSpreadPoints = 2;
        symbol.limitPoints = 10;
        symbol.stopLossPoints = 5;
        symbol.takeProfitPoints = 5;
        symbol.marginType = '2';
        symbol.buyMarginList.Add("0.1");
        symbol.sellMarginList.Add("0.1");
        store.m_symbol_Info_table->Insert(symbol);

        symbol_Property property;
        property.symbolId = id;
        property.symbolCode = code;
        property.symbolName = name;
        property.digits = digits;
        property.contractSize = 1;
        property.maxOrderQuantity = 50;
        property.maxHoldQuantity = 500;
        property.currency = "CNY";
        store.m_symbol_Property_table->Insert(property);

        symbol_price price;
        price.symbolId = id;
        price.digits = digits;
        price.lastPrice = last;
        price.live = true;
        store.m_symbol_price_table->Insert(price);
    }

    // A new quote through the table, so that its observers hear of it.
    void SetPrice(int symbolId, double last)
    {
        auto& table = *store.m_symbol_price_table;
        const auto found = table.GetIndexByPrimary().find(symbolId);
        ASSERT_NE(found, table.GetIndexByPrimary().end());
        symbol_price changed = *found;
        changed.lastPrice = last;
        ASSERT_TRUE(table.Update(found, changed));
    }

    const trade_HoldBill* AddHold(const char* code, char side, double quantity, char deliveryType = 0,
                                  double stopLoss = 0.0, double takeProfit = 0.0)
    {
        trade_HoldBill hold;
        hold.orderCode = code;
        hold.accountKey = 11;
        hold.symbolId = 101;
        hold.side = side;
        hold.quantity = quantity;
        hold.holdPrice = 9.5;
        hold.deliveryType = deliveryType;
        hold.stopLoss = stopLoss;
        hold.takeProfit = takeProfit;
        return &*store.m_trade_HoldBill_table->Insert(hold).first;
    }

    const trade_Limit* AddLimit(const char* code, char side, double price, double quantity)
    {
        trade_Limit limit;
        limit.orderCode = code;
        limit.accountKey = 11;
        limit.symbolId = 101;
        limit.side = side;
        limit.orderPrice = price;
        limit.quantityOrder = quantity;
        return &*store.m_trade_Limit_table->Insert(limit).first;
    }

    const trade_Position* AddPosition(int accountKey, double buyQuantity, double sellQuantity)
    {
        trade_Position position;
        position.accountKey = accountKey;
        position.symbolId = 101;
        position.buyQuantity = buyQuantity;
        position.sellQuantity = sellQuantity;
        return &*store.m_trade_Position_table->Insert(position).first;
    }

    const symbol_Info* Symbol(int id) const
    {
        return &*store.m_symbol_Info_table->GetIndexByPrimary().find(id);
    }

    RecordStore store;
};
