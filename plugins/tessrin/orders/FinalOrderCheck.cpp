#include "orders/FinalOrderCheck.h"

#include "connection/RecordFromFix.h"
#include "db/NumberFormat.h"
#include "db/RecordStore.h"
#include "db/TradeArithmetic.h"
#include "orders/OrderRules.h"

#include <wx/intl.h>

namespace FinalOrderCheck {

namespace {

using V = Verdict;

Verdict Fail(Verdict::Failure failure, const wxString& message)
{
    Verdict verdict;
    verdict.failure = failure;
    verdict.message = message;
    return verdict;
}

bool IsLimitCode(char code)
{
    return code == '3' || code == '4' || code == 'B' || code == 'D';
}

// The records of the ticket found again; a failure says which is gone.
bool FindRecords(OrderRules& rules, Verdict& verdict)
{
    const OrderRules::CheckResult result = rules.Check();
    if(result == OrderRules::eCheckPassed) {
        return true;
    }
    verdict = Fail(V::eRecord, wxGetTranslation(OrderRules::CheckMessage(result)));
    return false;
}

bool CheckStops(const OrderRules& rules, double stopLoss, double takeProfit, Verdict& verdict)
{
    const char* invalid = rules.CheckStops(stopLoss, takeProfit);
    if(!invalid) {
        return true;
    }
    verdict =
        Fail(rules.IsTakeProfitValid(takeProfit) ? V::eStopLoss : V::eTakeProfit, wxGetTranslation(invalid));
    return false;
}

bool CheckQuantity(const OrderRules& rules, double quantity, Verdict& verdict)
{
    switch(rules.CheckQuantity(quantity)) {
    case OrderRules::eQuantityNone: // a refusal says why, whichever end it is
    case OrderRules::eQuantityTooLarge:
        verdict = Fail(V::eQuantity, wxString::Format(_("Quantity Error! (1~%d)"), rules.MaxQuantity()));
        verdict.maxQuantity = rules.MaxQuantity();
        return false;
    default:
        return true;
    }
}

bool CheckLiveQuote(const OrderRules& rules, Verdict& verdict)
{
    if(rules.IsQuoteLive()) {
        return true;
    }
    verdict = Fail(V::eStaleQuote, _("Price not live, wait for a fresh quote"));
    return false;
}

const symbol_Info* FindSymbol(RecordStore* store, int symbolId)
{
    if(!store || !store->m_symbol_Info_table) {
        return nullptr;
    }
    const auto& symbols = store->m_symbol_Info_table->GetIndexByPrimary();
    const auto found = symbols.find(symbolId);
    return found != symbols.end() ? &*found : nullptr;
}

Verdict CheckBinary(RecordStore* store, const sFFixSetOrder& request)
{
    const symbol_Info* symbol = FindSymbol(store, request.symbolId);
    if(!symbol || !symbol->GetSymbolProperty(store) || !symbol->cachedSymbolProperty->GetSymbolPrice(store)) {
        return Fail(V::eRecord, _("Symbol Invalid"));
    }
    if(!symbol->cachedSymbolProperty->cachedSymbolPrice->live) {
        return Fail(V::eStaleQuote, _("Price not live, wait for a fresh quote"));
    }
    const trade_Contract* contract = nullptr;
    for(const trade_Contract& candidate : store->m_trade_Contract_table->GetContainer()) {
        if(candidate.contractId == request.contractKey && candidate.symbolId == request.symbolId) {
            contract = &candidate;
        }
    }
    if(!contract || contract->contractState != '2') {
        return Fail(V::eContract, _("Invalid Contract"));
    }
    if(!(request.quantity >= contract->minInvestAmount && request.quantity <= contract->maxInvestAmount)) {
        return Fail(V::eAmount, _("Invalid invest amount"));
    }
    return Verdict();
}

} // namespace

Verdict Check(RecordStore* store, int kind, const sFFixSetOrder& request)
{
    if(request.orderType == 'F') {
        return CheckBinary(store, request);
    }
    OrderTicket ticket;
    ticket.m_pDb = store;
    ticket.m_symbolId = request.symbolId;
    ticket.m_direction = request.side;
    ticket.m_openCloseType = kind;
    ticket.m_orderType = IsLimitCode(request.orderType) ? eLimitOrder : eMarketOrder;
    if(ticket.m_orderType == eLimitOrder) {
        ticket.m_limitPrice = request.price;
    }
    if(!OrderKindTraits::Of(kind).opens) {
        ticket.m_orderCodeRe = NarrowText(request.closeOrderCode);
    }
    OrderRules rules(ticket);
    Verdict verdict;
    if(!FindRecords(rules, verdict)) {
        return verdict;
    }
    if(OrderKindTraits::Of(kind).opens && !CheckStops(rules, request.stopLoss, request.takeProfit, verdict)) {
        return verdict;
    }
    if(ticket.m_orderType == eLimitOrder &&
       (request.price == 0.0 || !rules.IsLimitPriceValid(request.price))) {
        return Fail(V::eLimitPrice, _("Limit Price Invalid"));
    }
    if(!CheckQuantity(rules, request.quantity, verdict)) {
        return verdict;
    }
    if(ticket.m_orderType == eMarketOrder && !CheckLiveQuote(rules, verdict)) {
        return verdict;
    }
    return Verdict();
}

Verdict Check(RecordStore* store, const sFFixModifyOrder& request)
{
    const wxString code = NarrowText(request.orderCode);
    OrderTicket ticket;
    ticket.m_pDb = store;
    ticket.m_openCloseType = eModify;
    ticket.m_orderCodeRe = code;
    const auto hold = store->m_trade_HoldBill_table->Find(code);
    const auto& limits = store->m_trade_Limit_table->GetIndexByPrimary();
    const auto limit = limits.find(code);
    if(hold != store->m_trade_HoldBill_table->GetIndexByPrimary().end()) {
        ticket.m_symbolId = hold->symbolId;
        ticket.m_direction = hold->side;
    } else if(limit != limits.end()) {
        // A limit order's bounds lie from its own price.
        ticket.m_orderType = eLimitOrder;
        ticket.m_symbolId = limit->symbolId;
        ticket.m_direction = limit->side;
        ticket.m_limitPrice = limit->orderPrice;
    } else {
        return Fail(V::eRecord, _("Order Invalid"));
    }
    OrderRules rules(ticket);
    Verdict verdict;
    if(!FindRecords(rules, verdict) || !CheckStops(rules, request.stopLoss, request.takeProfit, verdict)) {
        return verdict;
    }
    return Verdict();
}

Verdict Check(RecordStore* store, const sFFixCancelOrder& request)
{
    const auto& limits = store->m_trade_Limit_table->GetIndexByPrimary();
    const auto limit = limits.find(NarrowText(request.orderCode));
    if(limit == limits.end()) {
        return Fail(V::eRecord, _("Order Invalid"));
    }
    return Verdict();
}

Verdict Check(RecordStore* store, const sFFixHoldBillDelivery& request)
{
    const auto hold = store->m_trade_HoldBill_table->Find(NarrowText(request.orderCode));
    if(hold == store->m_trade_HoldBill_table->GetIndexByPrimary().end()) {
        return Fail(V::eRecord, _("Order Invalid"));
    }
    const OrderRules::DeliveryAction wanted =
        request.apply == '1' ? OrderRules::eApplyDelivery : OrderRules::eWithdrawDelivery;
    if(OrderRules::DeliveryActionOf(*hold) != wanted) {
        return Fail(V::eDelivery, _("Delivery can no longer be applied for or withdrawn"));
    }
    return Verdict();
}

Verdict Check(RecordStore* store, const sFFixPositionCloseOrder& request)
{
    OrderTicket ticket;
    ticket.m_pDb = store;
    ticket.m_openCloseType = eClosePosition;
    ticket.m_symbolId = request.symbolId;
    ticket.m_direction = request.side;
    OrderRules rules(ticket);
    Verdict verdict;
    if(!FindRecords(rules, verdict) || !CheckQuantity(rules, request.quantity, verdict) ||
       !CheckLiveQuote(rules, verdict)) {
        return verdict;
    }
    return Verdict();
}

wxString RiskWarning(RecordStore* store, int kind, const sFFixSetOrder& request)
{
    if(!OrderKindTraits::Of(kind).opens || request.orderType == 'F') {
        return wxString();
    }
    const symbol_Info* symbol = FindSymbol(store, request.symbolId);
    if(!symbol || !symbol->GetAccount(store)) {
        return wxString();
    }
    const user_Account& account = *symbol->cachedAccount;
    const double rate =
        CalcRiskRateAfterOrder(store, *symbol, request.side, kGivenPrice, request.price, request.quantity);
    if(!IsRiskLineReached(account.riskKind, rate, account.warningLine)) {
        return wxString();
    }
    return wxString::Format(_("This order takes the account's risk rate to %s, past its warning line of %s."),
                            RiskRateText(account.riskKind, rate),
                            RiskRateText(account.riskKind, account.warningLine));
}

} // namespace FinalOrderCheck
