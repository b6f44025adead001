#include "connection/AccountStatusLines.h"
#include "connection/Client.h"
#include "connection/IConnectionHost.h"
#include "connection/RequestFields.h"
#include "db/CTransaction.h"
#include "db/RecordStore.h"

#include <algorithm>
#include <climits>
#include <vector>
#include <wx/intl.h>
#include <wx/log.h>

int Client::SendUserQuery(QueryKind kind, int (CTradeApi::*operation)(const sFFixUserId*, int))
{
    sFFixUserId request{};
    request.userId = m_userId;
    const int id = Send(operation, &request);
    if(id != -1 && kind != eQueryKindCount) {
        m_queryStamps[kind] = m_clock();
    }
    return id;
}

int Client::ReqQryAccount()
{
    return SendUserQuery(eQryAccount, &CTradeApi::ReqQryAccount);
}

int Client::ReqQrySymbolInfo()
{
    return SendUserQuery(eQrySymbolInfo, &CTradeApi::ReqQrySymbolInfo);
}

int Client::ReqQryHoldDetail()
{
    return SendUserQuery(eQryHoldDetail, &CTradeApi::ReqQryHoldDetail);
}

int Client::ReqQryPosition()
{
    return SendUserQuery(eQryPosition, &CTradeApi::ReqQryPosition);
}

int Client::ReqQryCloseBill()
{
    return SendUserQuery(eQryCloseBill, &CTradeApi::ReqQryCloseBill);
}

int Client::ReqQryLimitOrder()
{
    return SendUserQuery(eQryLimitOrder, &CTradeApi::ReqQryLimitOrder);
}

int Client::ReqQryInOutMoney()
{
    return SendUserQuery(eQryInOutMoney, &CTradeApi::ReqQryInOutMoney);
}

int Client::ReqQryDeliveryOrder()
{
    return SendUserQuery(eQryDeliveryOrder, &CTradeApi::ReqQryDeliveryOrder);
}

int Client::ReqQryBonusPoint()
{
    return SendUserQuery(eQryBonusPoint, &CTradeApi::ReqQryBonusPoint);
}

int Client::ReqQryUserInventory()
{
    const int id = SendUserQuery(eQryUserInventory, &CTradeApi::ReqQryUserInventory);
    if(id != -1) {
        ++m_userInventoryQueries;
    }
    return id;
}

int Client::ReqQrySymbolInventory()
{
    return SendUserQuery(eQrySymbolInventory, &CTradeApi::ReqQrySymbolInventory);
}

int Client::ReqQryPayPortInfo()
{
    return SendUserQuery(eQueryKindCount, &CTradeApi::ReqQryPayPortInfo);
}

int Client::ReqQrySysPayPortInfo()
{
    if(m_pDb != nullptr && !m_pDb->m_sys_PayPort_table->GetIndexByPrimary().empty()) {
        return -1;
    }
    return SendUserQuery(eQueryKindCount, &CTradeApi::ReqQrySysPayPortInfo);
}

int Client::ReqQryBinaryOrer()
{
    sFFixQryBinaryOrder request{};
    request.userId = m_userId;
    const int id = Send(&CTradeApi::ReqQryBinaryOrer, &request);
    if(id != -1) {
        m_queryStamps[eQryBinaryOrder] = m_clock();
    }
    return id;
}

int Client::ReqQryBinaryContract()
{
    const sFFixQryBinaryContract request{};
    const int id = Send(&CTradeApi::ReqQryBinaryContract, &request);
    if(id != -1) {
        m_queryStamps[eQryBinaryContract] = m_clock();
    }
    return id;
}

int Client::ReqQryCurrencyExchangeRate()
{
    if(m_pDb != nullptr && !m_pDb->m_sys_CurrencyExchangeRate_table->GetIndexByPrimary().empty()) {
        return -1;
    }
    const char source[5] = {};
    const char target[5] = {};
    const int id = Send(&CTradeApi::ReqQryCurrencyExchangeRate, source, target);
    if(id != -1) {
        m_queryStamps[eQryCurrencyExchangeRate] = m_clock();
    }
    return id;
}

int Client::ReqQryPriceReport(int priceLevelId)
{
    if(m_pDb != nullptr && !m_pDb->m_trade_priceLevel_table->GetIndexByPrimary().empty()) {
        return -1;
    }
    sFFixQryPriceReport request{};
    request.priceLevelId = priceLevelId;
    return Send(&CTradeApi::ReqQryPriceReport, &request);
}

void Client::ReqSubscribeSymbolList()
{
    if(m_pMdApi == nullptr || m_pDb == nullptr) {
        return;
    }
    std::vector<sFFixSubscribeEntry> entries;
    for(const symbol_Info& symbol : m_pDb->m_symbol_Info_table->GetIndexByPrimary()) {
        entries.push_back(sFFixSubscribeEntry{symbol.symbolId, 2});
    }
    if(entries.empty()) {
        return;
    }
    if(Send(&CMDApi::ReqSubscribeMarketData, entries.data(), static_cast<int>(entries.size())) != -1) {
        m_queryStamps[eQryMdSymbolInfo] = m_clock();
    }
}

int Client::ReqSetOrder(const sFFixSetOrder* request)
{
    return SendFilled(&CTradeApi::ReqSetOrder, request);
}

int Client::ReqModifyOrder(const sFFixModifyOrder* request)
{
    return SendFilled(&CTradeApi::ReqModifyOrder, request);
}

int Client::ReqCancelOrder(const sFFixCancelOrder* request)
{
    return SendFilled(&CTradeApi::ReqCancelOrder, request);
}

int Client::ReqPositionCloseOrder(const sFFixPositionCloseOrder* request)
{
    // Both reserved numbers are 0.
    return request != nullptr ? Send(&CTradeApi::ReqPositionCloseOrder, request, 0, 0) : -1;
}

int Client::ReqHoldBillDelivery(const sFFixHoldBillDelivery* request)
{
    return SendFilled(&CTradeApi::ReqHoldBillDelivery, request);
}

int Client::ReqModifyPassword(const sFFixModifyPassword* request)
{
    return SendFilled(&CTradeApi::ReqModifyPassword, request);
}

int Client::ReqFinancingGoods(const sFFixFinancingGoods* request)
{
    return SendFilled(&CTradeApi::ReqFinancingGoods, request);
}

int Client::ReqMasterAccount(const sFFixMasterAccount* request)
{
    return SendFilled(&CTradeApi::ReqMasterAccount, request);
}

int Client::ReqMoveMoney(const sFFixMoveMoney* request)
{
    return SendFilled(&CTradeApi::ReqMoveMoney, request);
}

int Client::ReqSetSuretyMoney(const sFFixSetSuretyMoney* request)
{
    return SendFilled(&CTradeApi::ReqSetSuretyMoney, request);
}

template <class Request>
int Client::SendMoneyRequest(Request* request, int (CTradeApi::*operation)(const Request*, int))
{
    if(request == nullptr) {
        return -1;
    }
    return SendWithId<CTradeApi>([&](CTradeApi& api, int id) {
        if(!MaskPasswordField(request->bankPassword, id)) {
            wxLogError(_("The bank password is longer than %d bytes and was not sent."),
                       static_cast<int>(kMaxBankPasswordBytes));
            return 0;
        }
        return (api.*operation)(request, id);
    });
}

int Client::ReqInOutMoney(sFFixReqInOutMoney* request)
{
    return SendMoneyRequest(request, &CTradeApi::ReqInOutMoney);
}

int Client::ReqRegistPayPort(sFFixRegistPayPort* request)
{
    return SendMoneyRequest(request, &CTradeApi::ReqRegistPayPort);
}

int Client::ReqUnRegistPayPort(sFFixUnRegistPayPort* request)
{
    return SendMoneyRequest(request, &CTradeApi::ReqUnRegistPayPort);
}

bool Client::IsLate(QueryKind kind, const wxDateTime& now, long delayMs) const
{
    const wxDateTime& stamp = m_queryStamps[kind];
    return stamp.IsValid() && (now - stamp).GetMilliseconds() > delayMs;
}

void Client::CheckPendingQueries()
{
    TellLoginFailure(_("Login Failed"), m_tradeConnecter.TakeFailure());
    TellLoginFailure(_("Market Data Login Failed"), m_mdConnecter.TakeFailure());
    // A login whose trading day is still arriving blinks like one in progress.
    const bool loading = m_tradeConnecter.GetStatus() == eLS_LoginSuccess && !m_cycle.IsComplete();
    if(m_tradeConnecter.IsChanged() || m_tradeConnecter.GetStatus() == eLS_Login1 ||
       m_tradeConnecter.GetStatus() == eLS_Login2 || m_mdConnecter.IsChanged() ||
       m_mdConnecter.GetStatus() == eLS_Login1 || m_mdConnecter.GetStatus() == eLS_Login2 || loading ||
       IsReady() != m_reportedReady) {
        NotifyConnectionState();
    }
    if(m_tradeConnecter.GetStatus() != eLS_LoginSuccess || m_pDb == nullptr) {
        return;
    }
    const wxDateTime now = m_clock();
    const RecordStore& db = *m_pDb;
    // Sent again when its table is empty and its answer late, or when the
    // login's cycle still awaits it and it has been silent too long (a
    // table filled before a reconnection must not hide a lost answer).
    auto resend = [&](QueryKind kind, CallbackCode answer, bool tableEmpty, int (Client::*send)()) {
        if((tableEmpty && IsLate(kind, now, kQueryLateMs)) || m_cycle.IsOverdue(answer, now, kQueryLateMs)) {
            (this->*send)();
            if(m_cycle.IsAwaited(answer)) {
                m_cycle.Asked(answer, now);
            }
        }
    };
    resend(eQryAccount, CallbackCode::RspQryAccount, db.m_user_Account_table->GetIndexByPrimary().empty(),
           &Client::ReqQryAccount);
    resend(eQrySymbolInfo, CallbackCode::RspQrySymbolInfo,
           db.m_symbol_Info_table->GetIndexByPrimary().empty(), &Client::ReqQrySymbolInfo);
    resend(eQryCurrencyExchangeRate, CallbackCode::RspQryCurrencyExchangeRate,
           db.m_sys_CurrencyExchangeRate_table->GetIndexByPrimary().empty(),
           &Client::ReqQryCurrencyExchangeRate);
    resend(eQryBinaryContract, CallbackCode::RspQryBinaryContract,
           db.m_trade_Contract_table->GetIndexByPrimary().empty(), &Client::ReqQryBinaryContract);
    resend(eQryDeliveryOrder, CallbackCode::RspQryDeliveryOrder,
           db.m_trade_DeliveryOrder_table->GetIndexByPrimary().empty(), &Client::ReqQryDeliveryOrder);
    resend(eQryHoldDetail, CallbackCode::RspQryHoldDetail,
           db.m_trade_HoldBill_table->GetIndexByPrimary().empty(), &Client::ReqQryHoldDetail);
    resend(eQryPosition, CallbackCode::RspQryPosition, db.m_trade_Position_table->GetIndexByPrimary().empty(),
           &Client::ReqQryPosition);

    if(!m_bMdSubscribed && IsLate(eQryMdSymbolInfo, now, m_mdQueryDelayMs)) {
        ReqSubscribeSymbolList();
        m_mdQueryDelayMs = static_cast<int>(kQueryLateMs);
    }

    // Bonus points are asked for until any account has an answer (-1.0 = none yet).
    const auto& accounts = db.m_user_Account_table->GetIndexByPrimary();
    bool noBonusYet = !accounts.empty();
    for(const user_Account& account : accounts) {
        if(account.bonusPoint != -1.0) {
            noBonusYet = false;
            break;
        }
    }
    if(noBonusYet && IsLate(eQryBonusPoint, now, kQueryLateMs)) {
        ReqQryBonusPoint();
    }

    resend(eQryCloseBill, CallbackCode::RspQryCloseBill,
           db.m_trade_CloseBill_table->GetIndexByPrimary().empty(), &Client::ReqQryCloseBill);
    resend(eQryLimitOrder, CallbackCode::RspQryLimitOrder,
           db.m_trade_Limit_table->GetIndexByPrimary().empty(), &Client::ReqQryLimitOrder);
    resend(eQryInOutMoney, CallbackCode::RspQryInOutMoney,
           db.m_am_AmountInOut_table->GetIndexByPrimary().empty(), &Client::ReqQryInOutMoney);
    resend(eQryBinaryOrder, CallbackCode::RspQryBinaryOrder,
           db.m_trade_BinaryOrder_table->GetIndexByPrimary().empty(), &Client::ReqQryBinaryOrer);

    const bool inventoryDue = !m_pHost->ReadConfigBool("HideStoreOrderPane", false) &&
                              m_userInventoryQueries < 3 &&
                              db.m_UserInventory_table->GetIndexByPrimary().empty();
    resend(eQryUserInventory, CallbackCode::RspQryUserInventory, inventoryDue, &Client::ReqQryUserInventory);
    if(m_cycle.IsOverdue(CallbackCode::RspQryPayPortInfo, now, kQueryLateMs)) {
        Ask(CallbackCode::RspQryPayPortInfo, &Client::ReqQryPayPortInfo);
    }

    AdvanceServerClock(now);
    CountDownBinaryOrders();
}

void Client::CountDownBinaryOrders()
{
    const auto& clock = m_pDb->m_server_time_table->GetIndexByPrimary();
    if(clock.empty() || !clock.begin()->serverTime.IsValid()) {
        return;
    }
    const wxDateTime serverTime = clock.begin()->serverTime;
    auto& orders = *m_pDb->m_trade_BinaryOrder_table;
    const auto running = orders.GetIndex<ByOrderState>().equal_range('3');
    // Copies first: the observers of each write may change the table.
    const std::vector<trade_BinaryOrder> copies(running.first, running.second);
    for(trade_BinaryOrder order : copies) {
        if(!order.expireTime.IsValid() || !order.expireTime.IsLaterThan(serverTime)) {
            order.remainingMs = 1;
        } else {
            wxDateTime from = serverTime;
            if(order.openTime.IsValid() && order.openTime.IsLaterThan(serverTime)) {
                from = order.openTime;
            }
            // Times the server put years apart still give an int.
            const wxLongLong_t remaining = (order.expireTime - from).GetMilliseconds().GetValue();
            order.remainingMs = static_cast<int>(std::clamp<wxLongLong_t>(remaining, INT_MIN, INT_MAX));
        }
        CTransaction transaction;
        orders.Upsert(order, &transaction);
        transaction.Commit(0);
    }
}

void Client::RotateAccountStatus()
{
    const AccountStatusLine* line = AccountStatusLines::Get().Next();
    if(line == nullptr) {
        return;
    }
    m_pHost->SetStatusFieldColour(2, line->colour);
    m_pHost->SetStatusField(2, line->text);
}

void Client::SetLoginPassword(const wxString& password)
{
    m_tradeConnecter.SetPassword(password);
    m_mdConnecter.SetPassword(password);
}
