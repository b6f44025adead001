#pragma once

#include "db/RecordStore.h"

#include <cstdint>
#include <tradeapi/FFixStructs.h>
#include <tradeapi/FixedText.h>
#include <wx/datetime.h>
#include <wx/string.h>

// The records the answers and pushes of the trade API become. Each builds a
// fresh record (every field zero, texts empty, times invalid, links null)
// from one structure; serials are left to the caller. Numbers the market
// cannot mean are bounded here: a value that is not finite becomes 0 (a tick
// keeps the price it would replace), a negative count 0, and price decimals
// stay within +-kMaxPointDigits.

user_Account AccountFromFix(const sFFixRspQryAccount& row, int userId);
// Copies the money push (and the money query row) into an account.
void ApplyMoney(user_Account& account, const sFFixMoney& money);

// The query answer also fills the delivery type and the double after it.
trade_HoldBill HoldBillFromFix(const sFFixHoldDetail& row, bool queryAnswer);
trade_Position PositionFromFix(const sFFixPosition& row);
trade_CloseBill CloseBillFromFix(const sFFixCloseBill& row);
trade_Limit LimitFromFix(const sFFixLimitOrder& row);
// Finished: cancelled (nothing ordered) or completely filled.
bool IsLimitFinished(const sFFixLimitOrder& row);

am_AmountInOut AmountInOutFromFix(const sFFixRspInOutMoney& row);
user_Payport PayportFromFix(const sFFixPayPortInfo& row);
sys_PayPort SysPayPortFromFix(const sFFixSysPayPortInfo& row);
sys_CurrencyExchangeRate ExchangeRateFromFix(const sFFixCurrencyExchangeRate& row);
trade_priceLevel PriceLevelFromFix(const sFFixPriceReport& row);
risk_notice RiskNoticeFromFix(const sFFixRiskInfo& row, bool isNew);

// With the value corrections: a step at or below 0 becomes 1.0, a negative
// largest amount 1.0, and a negative smallest amount zeroes the largest.
trade_Contract ContractFromFix(const sFFixBinaryContract& row);
// `arrival` plus the order's period gives its local expiry time.
trade_BinaryOrder BinaryOrderFromFix(const sFFixBinaryOrer& row, const wxDateTime& arrival);
trade_DeliveryOrder DeliveryOrderFromFix(const sFFixDeliveryOrder& row);

// The store name is UTF-8, in the query's answer and in the push alike.
UserInventory UserInventoryFromFix(const sFFixUserInventory& row);
SymbolInventory SymbolInventoryFromFix(const sFFixSymbolInventory& row);

// The three records of a symbol row.
symbol_Info SymbolInfoFromFix(const sFFixRspQrySymbolInfo& row, int userId);
void FillSymbolProperty(symbol_Property& property, const sFFixRspQrySymbolInfo& row);
// The answer's prices are stale by the quote's rule: they fill a quote that
// is not live and leave a live one's prices as they are.
void FillSymbolPrice(symbol_price& price, const sFFixRspQrySymbolInfo& row);
// A tick: the ten prices and the quote time.
void ApplyMarketData(symbol_price& price, const sFFixMarketData& tick);

// Text fields of the structures, read no further than the field.
template <std::size_t N> wxString NarrowText(const char (&field)[N])
{
    const std::string text = tradeapi::FixedText(field);
    return wxString(text.c_str(), wxConvLibc, text.size());
}
template <std::size_t N> wxString Utf8Text(const char (&field)[N])
{
    const std::string text = tradeapi::FixedText(field);
    return wxString::FromUTF8(text.data(), text.size());
}
