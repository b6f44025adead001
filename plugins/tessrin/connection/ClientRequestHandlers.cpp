// The answers to the requests that windows wait for: each is handed to the
// waiting window; three query answers also write rows.
#include "connection/Client.h"
#include "connection/HandlerSupport.h"
#include "connection/IConnectionHost.h"
#include "connection/MarketFilter.h"
#include "db/CodeTexts.h"
#include "db/NumberFormat.h"

#include <boost/tuple/tuple.hpp>
#include <wx/intl.h>

using namespace handler_support;

namespace {

template <class Request> void HandOverAnswer(const TradeAnswerEvent<Request>& event)
{
    HandOver(event.GetRequestId(), event.GetResult());
}

} // namespace

bool Client::DispatchRequestAnswer(const wxThreadEvent& event)
{
    switch(CodeOf(event)) {
    case CallbackCode::RspCancelOrder:
        Route(event, &Client::OnRspCancelOrder);
        return true;
    case CallbackCode::RspModifyOrder:
        Route(event, &Client::OnRspModifyOrder);
        return true;
    case CallbackCode::RspReqInOutMoney:
        Route(event, &Client::OnRspReqInOutMoney);
        return true;
    case CallbackCode::RspInOutMoneyId:
        Route(event, &Client::OnRspInOutMoneyId);
        return true;
    case CallbackCode::RspPositionCloseOrder:
        Route(event, &Client::OnRspPositionCloseOrder);
        return true;
    case CallbackCode::RspRegisterPayPort:
    case CallbackCode::RspUnregisterPayPort:
    case CallbackCode::RspModifyPassword:
    case CallbackCode::RspSetSuretyMoney:
    case CallbackCode::RspHoldBillDelivery:
    case CallbackCode::RspFinancingGoods:
        Route(event, &Client::OnRspCommon);
        return true;
    case CallbackCode::RspMasterAccount:
        Route(event, &Client::OnRspMasterAccount);
        return true;
    case CallbackCode::RspMoveMoney:
        Route(event, &Client::OnRspMoveMoney);
        return true;
    case CallbackCode::RspQryBonusPoint:
        Route(event, &Client::OnRspQryBonusPoint, eQryBonusPoint);
        return true;
    case CallbackCode::RspQryUserInventory:
        Route(event, &Client::OnRspQryUserInventory, eQryUserInventory);
        return true;
    case CallbackCode::RspQrySymbolInventory:
        Route(event, &Client::OnRspQrySymbolInventory, eQrySymbolInventory);
        return true;
    default:
        return false;
    }
}

void Client::OnRspCancelOrder(const TradeAnswerEvent<sFFixCancelOrder>& event)
{
    HandOverAnswer(event);
}

void Client::OnRspReqInOutMoney(const TradeAnswerEvent<sFFixReqInOutMoney>& event)
{
    HandOverAnswer(event);
}

void Client::OnRspInOutMoneyId(const TradeAnswerEvent<sFFixInOutMoneyId>& event)
{
    HandOverAnswer(event);
}

void Client::OnRspPositionCloseOrder(const TradeAnswerEvent<sFFixPositionCloseOrder>& event)
{
    HandOverAnswer(event);
}

void Client::OnRspCommon(const TradeInfoEvent& event)
{
    HandOver(event.GetRequestId(), event.GetResult());
}

void Client::OnRspMasterAccount(const TradeAnswerEvent<sFFixMasterAccount>& event)
{
    HandOverAnswer(event);
}

void Client::OnRspMoveMoney(const TradeAnswerEvent<sFFixMoveMoney>& event)
{
    HandOverAnswer(event);
}

void Client::OnRspModifyOrder(const TradeAnswerEvent<sFFixModifyOrder>& event)
{
    HandOverAnswer(event);

    const sFFixModifyOrder& request = event.GetRequest();
    const sFFixRspInfo& result = event.GetResult();
    const wxString orderCode = NarrowText(request.orderCode);
    wxString orderType;
    double oldStopLoss = 0.0;
    double oldTakeProfit = 0.0;
    int accountKey = 0;
    int symbolId = 0;
    const auto hold = m_pDb->m_trade_HoldBill_table->Find(orderCode);
    const auto& limits = m_pDb->m_trade_Limit_table->GetIndexByPrimary();
    const auto limit = limits.find(orderCode);
    if(hold != m_pDb->m_trade_HoldBill_table->GetIndexByPrimary().end()) {
        orderType = _("HoldDetail");
        oldStopLoss = hold->stopLoss;
        oldTakeProfit = hold->takeProfit;
        accountKey = hold->accountKey;
        symbolId = hold->symbolId;
    } else if(limit != limits.end()) {
        orderType = LimitOrderTypeText(limit->limitType);
        oldStopLoss = limit->stopLoss;
        oldTakeProfit = limit->takeProfit;
        accountKey = limit->accountKey;
        symbolId = limit->symbolId;
    } else {
        return;
    }
    const user_Account* account = FindAccount(m_pDb, accountKey);
    const symbol_Info* symbol = FindSymbol(m_pDb, symbolId);
    const symbol_Property* property = FindProperty(m_pDb, symbolId);
    if(account == nullptr || symbol == nullptr || property == nullptr || !MessageLogEnabled()) {
        return;
    }
    const int digits = property->digits;
    wxLogMessage(
        _("[%s][%s]Modify Order Response : [%s:%d],OrderCode[%s],OrderType[%s],Symbol[%s],StopLoss[%s "
          "-> %s],TakeProfit[%s -> %s]"),
        LoginText(m_pDb, *account), account->marketName, ServerMessage(result), result.errorId, orderCode,
        orderType, symbol->symbolCode, FormatPrice(oldStopLoss, digits),
        FormatPrice(request.stopLoss, digits), FormatPrice(oldTakeProfit, digits),
        FormatPrice(request.takeProfit, digits));
}

void Client::OnRspQryBonusPoint(const TradeQueryRowEvent<sFFixBonusPoint>& event)
{
    auto& accounts = *m_pDb->m_user_Account_table;
    if(!event.HasRow()) {
        // No account has bonus points: every one still unknown gets 0.
        std::vector<int> unknown;
        for(const user_Account& account : accounts.GetIndexByPrimary()) {
            if(account.bonusPoint == -1.0) {
                unknown.push_back(account.accountKey);
            }
        }
        for(int accountKey : unknown) {
            accounts.Modify(accountKey, [](user_Account& account) { account.bonusPoint = 0.0; });
        }
        NotifyComplete(event.GetRequestId());
        return;
    }
    const sFFixBonusPoint& row = event.GetRow();
    if(accounts.Modify(row.accountKey, [&](user_Account& account) { account.bonusPoint = row.bonusPoint; })) {
        NotifyComplete(event.GetRequestId());
    }
}

void Client::OnRspQryUserInventory(const TradeQueryRowEvent<sFFixUserInventory>& event)
{
    const uint32_t serial = Serial(event.GetRequestId());
    auto& table = *m_pDb->m_UserInventory_table;
    if(event.HasRow()) {
        UserInventory record = UserInventoryFromFix(event.GetRow());
        record.refreshSerial = serial;
        if(PassesMarketFilter(m_pHost->GetMarketIds(), record.marketId)) {
            table.Upsert(record);
        }
    }
    if(event.IsComplete()) {
        table.SweepStale(serial);
    }
}

void Client::OnRspQrySymbolInventory(const TradeQueryRowEvent<sFFixSymbolInventory>& event)
{
    const uint32_t serial = Serial(event.GetRequestId());
    auto& table = *m_pDb->m_SymbolInventory_table;
    if(event.HasRow()) {
        SymbolInventory record = SymbolInventoryFromFix(event.GetRow());
        record.refreshSerial = serial;
        if(PassesMarketFilter(m_pHost->GetMarketIds(), record.marketId)) {
            const auto& bySymbol = table.GetIndex<BySymbolId>();
            const auto found = bySymbol.find(record.symbolId);
            if(found == bySymbol.end()) {
                table.Insert(record);
            } else {
                table.Update(found, record);
            }
        }
    }
    if(event.IsComplete()) {
        table.SweepStale(serial);
        NotifyComplete(event.GetRequestId());
    }
}
