#pragma once

#include <wx/string.h>

// The notice kinds a user may switch off, as IConnectionHost::IsShowNotify
// takes them.
enum NoticeKind {
    eNoticeMarketOpen = 0,
    eNoticeLimitOrder = 1,
    eNoticeClosedOrder = 2,
    eNoticeInOutMoney = 3,
    eNoticeBinaryOption = 4,
};

// One line for the host's output window: a title with the order code in
// brackets, and the values of the event.
struct TradeNotice
{
    wxString title;
    wxString text;
};

// Prices are shown with the symbol's decimals, untrimmed; quantities and
// money with two decimals; sides as their direction text.
TradeNotice MarketTradeNotice(const wxString& orderCode, const wxString& symbolName, char side, double price,
                              int digits, double quantity);
TradeNotice CloseTradeNotice(const wxString& orderCode, const wxString& symbolName, char side,
                             double closePrice, int digits, double quantity, double profit);
TradeNotice LimitSetNotice(const wxString& orderCode, const wxString& symbolName, char side,
                           double orderPrice, int digits, double quantityOrder);
TradeNotice LimitTradeNotice(const wxString& orderCode, const wxString& symbolName, char side,
                             double orderPrice, int digits, double quantityComplete);
TradeNotice LimitCancelNotice(const wxString& orderCode);
TradeNotice InOutNotice(char inOutType, double amount, char approveState);
TradeNotice MinOrderNotice(const wxString& orderCode, const wxString& symbolName, char side, double profit);
