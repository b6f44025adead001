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
    HandOver(event.template Get<2>(), event.template Get<1>());
}

} // namespace

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
    HandOver(event.Get<1>(), event.Get<0>());
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

    const sFFixModifyOrder request = event.Get<0>();
    const sFFixRspInfo result = event.Get<1>();
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
        LoginText(m_pDb, *account), account->marketName, Utf8Text(result.errorMsg), result.errorId, orderCode,
        orderType, symbol->symbolCode, FormatPrice(oldStopLoss, digits),
        FormatPrice(request.stopLoss, digits), FormatPrice(oldTakeProfit, digits),
        FormatPrice(request.takeProfit, digits));
}

void Client::OnRspQryBonusPoint(const TradeQueryRowEvent<sFFixBonusPoint>& event)
{
    const int id = event.Get<1>();
    auto& accounts = *m_pDb->m_user_Account_table;
    if(event.Get<2>() == eLastTypeEmpty) {
        std::vector<user_Account> unknown;
        for(const user_Account& account : accounts.GetIndexByPrimary()) {
            if(account.bonusPoint == -1.0) {
                unknown.push_back(account);
            }
        }
        for(user_Account& account : unknown) {
            account.bonusPoint = 0.0;
            accounts.Upsert(account);
        }
        NotifyComplete(id);
        return;
    }
    const sFFixBonusPoint row = event.Get<0>();
    const auto found = accounts.GetIndexByPrimary().find(row.accountKey);
    if(found == accounts.GetIndexByPrimary().end()) {
        return;
    }
    user_Account copy = *found;
    copy.bonusPoint = row.bonusPoint;
    accounts.Update(found, copy);
    NotifyComplete(id);
}

void Client::OnRspQryUserInventory(const TradeQueryRowEvent<sFFixUserInventory>& event)
{
    const int id = event.Get<1>();
    const eLastType last = event.Get<2>();
    auto& table = *m_pDb->m_UserInventory_table;
    if(last != eLastTypeEmpty) {
        UserInventory record = UserInventoryFromFix(event.Get<0>(), true);
        record.refreshSerial = Serial(id);
        if(PassesMarketFilter(m_pHost->GetMarketIds(), record.marketId)) {
            table.Upsert(record);
        }
    }
    if(last != eLastTypeMore) {
        table.SweepStale(Serial(id));
    }
}

void Client::OnRspQrySymbolInventory(const TradeQueryRowEvent<sFFixSymbolInventory>& event)
{
    const int id = event.Get<1>();
    const eLastType last = event.Get<2>();
    auto& table = *m_pDb->m_SymbolInventory_table;
    if(last != eLastTypeEmpty) {
        SymbolInventory record = SymbolInventoryFromFix(event.Get<0>());
        record.refreshSerial = Serial(id);
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
    if(last != eLastTypeMore) {
        table.SweepStale(Serial(id));
        NotifyComplete(id);
    }
}
