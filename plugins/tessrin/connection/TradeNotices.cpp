#include "connection/TradeNotices.h"

#include "db/CodeTexts.h"
#include "db/NumberFormat.h"

#include <wx/intl.h>

namespace {

wxString Title(const wxString& word, const wxString& code)
{
    return word + wxString::Format("[%s]", code);
}

} // namespace

// Sides are words here: a notice is read as a sentence, not as a list cell.

TradeNotice MarketTradeNotice(const wxString& orderCode, const wxString& symbolName, char side, double price,
                              int digits, double quantity)
{
    return {Title(_("Market Trade"), orderCode),
            wxString::Format(_("symbolName[%s],bsCode[%s],tradePrice[%s],quantity[%s]"), symbolName,
                             SideWordText(side), FormatPrice(price, digits), FormatMoney(quantity))};
}

TradeNotice CloseTradeNotice(const wxString& orderCode, const wxString& symbolName, char side,
                             double closePrice, int digits, double quantity, double profit)
{
    return {Title(_("Close Trade"), orderCode),
            wxString::Format(_("symbolName[%s],bsCode[%s],priceClose[%s],quantityClose[%s],profitClose[%s]"),
                             symbolName, SideWordText(side), FormatPrice(closePrice, digits),
                             FormatMoney(quantity), FormatMoney(profit))};
}

TradeNotice LimitSetNotice(const wxString& orderCode, const wxString& symbolName, char side,
                           double orderPrice, int digits, double quantityOrder)
{
    return {Title(_("Limit Set"), orderCode),
            wxString::Format(_("symbolName[%s],bsCode[%s],orderPrice[%s],quantityOrder[%s]"), symbolName,
                             SideWordText(side), FormatPrice(orderPrice, digits),
                             FormatMoney(quantityOrder))};
}

TradeNotice LimitTradeNotice(const wxString& orderCode, const wxString& symbolName, char side,
                             double orderPrice, int digits, double quantityComplete)
{
    return {Title(_("Limit Trade"), orderCode),
            wxString::Format(_("symbolName[%s],bsCode[%s],orderPrice[%s],quantityComplete[%s]"), symbolName,
                             SideWordText(side), FormatPrice(orderPrice, digits),
                             FormatMoney(quantityComplete))};
}

TradeNotice LimitCancelNotice(const wxString& orderCode)
{
    return {Title(_("Limit Cancel"), orderCode), _("success")};
}

TradeNotice InOutNotice(char inOutType, double amount, char approveState)
{
    return {Title(_("InOut Nofity"), AmountTypeText(inOutType)),
            wxString::Format(_("amChange[%s],amStatus[%s]"), FormatMoney(amount),
                             ApproveStateText(approveState))};
}

TradeNotice MinOrderNotice(const wxString& orderCode, const wxString& symbolName, char side, double profit)
{
    return {Title(_("MinOrder Trade"), orderCode),
            wxString::Format(_("symbolName[%s],bsCode[%s],profitClose[%s]"), symbolName, SideWordText(side),
                             FormatMoney(profit))};
}
