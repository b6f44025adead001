#include "connection/Client.h"

#include "connection/ErrorTextTable.h"
#include "connection/IConnectionHost.h"
#include "connection/MdClient.h"
#include "connection/RequestId.h"
#include "connection/RequestNotify.h"
#include "connection/TradeClient.h"
#include "db/DateTimeText.h"
#include "db/RecordStore.h"

#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <tradeapi/FixedText.h>
#include <utility>
#include <wx/arrstr.h>
#include <wx/debug.h>
#include <wx/log.h>

wxBEGIN_EVENT_TABLE(Client, wxEvtHandler) EVT_TIMER(Client::kTimerId, Client::OnTimer) wxEND_EVENT_TABLE()

    Client::Client(const wxString& loginName, RecordStore* db, IConnectionHost* host)
    : m_loginName(loginName), m_pDb(db), m_pHost(host), m_serverText(host->GetServerText()),
      m_tradeConnecter(host->GetTradeAddresses(), loginName, "Trade"),
      m_mdConnecter(host->GetMdAddresses(), loginName, "Md"), m_timer(this, kTimerId),
      m_clock([] { return wxDateTime::UNow(); })
{
    m_pTradeClient = std::make_unique<TradeClient>(this);
    m_pMdClient = std::make_unique<MdClient>(this);
    SetAllQueryStamps(m_clock());
    Bind(wxEVT_THREAD, &Client::OnMdEvent, this, eMdEventId);
    Bind(wxEVT_THREAD, &Client::OnTradeEvent, this, eTradeEventId);
}

Client::~Client()
{
    wxASSERT_MSG(m_pTradeClient == nullptr && m_pMdClient == nullptr,
                 "m_pTradeClient == 0 && m_pMdClient == 0");
    // Never free a callback object the library may still call.
    Release();
    Unbind(wxEVT_THREAD, &Client::OnMdEvent, this, eMdEventId);
    Unbind(wxEVT_THREAD, &Client::OnTradeEvent, this, eTradeEventId);
}

void Client::Release()
{
    if(m_pTradeApi != nullptr) {
        m_pTradeApi->Release();
        m_pTradeApi = nullptr;
    }
    if(m_pMdApi != nullptr) {
        m_pMdApi->Release();
        m_pMdApi = nullptr;
    }
    m_tradeConnecter.SetApi(nullptr);
    m_mdConnecter.SetApi(nullptr);
    m_pTradeClient.reset();
    m_pMdClient.reset();
}

void Client::SetTradeApi(CTradeApi* api)
{
    m_pTradeApi = api;
    m_tradeConnecter.SetApi(api);
}

void Client::SetMdApi(CMDApi* api)
{
    m_pMdApi = api;
    m_mdConnecter.SetApi(api);
}

void Client::SetClock(Clock clock)
{
    if(clock) {
        m_clock = std::move(clock);
    }
}

void Client::SetAllQueryStamps(const wxDateTime& time)
{
    m_queryStamps.fill(time);
}

template <class Event>
void Client::Route(const wxThreadEvent& event, void (Client::*handler)(const Event&), QueryKind answered)
{
    // A foreign event under our id is dropped rather than misread.
    const auto* typed = dynamic_cast<const Event*>(&event);
    if(typed == nullptr) {
        return;
    }
    if(answered != eQueryKindCount) {
        ClearStamp(answered); // the answer has begun: no re-send
    }
    (this->*handler)(*typed);
}

void Client::OnTradeEvent(wxThreadEvent& event)
{
    switch(event.GetInt()) {
    case 1:
        if(const auto* error = dynamic_cast<const TradeInfoEvent*>(&event)) {
            m_tradeConnecter.OnErrorRsp(error->Get<0>());
        }
        break;
    case 100:
        SetAllQueryStamps(m_clock());
        m_tradeConnecter.SetConnectResult(true);
        break;
    case 101:
        m_tradeConnecter.SetConnectResult(false);
        break;
    case 102:
        SetAllQueryStamps(m_clock());
        m_tradeConnecter.OnDisconnect();
        FailPendingRequests();
        break;
    case 1004:
        Route(event, &Client::HandleRspQrySymbolInfo, eQrySymbolInfo);
        break;
    case 1005:
        Route(event, &Client::OnNtfUserId);
        break;
    case 1007:
        Route(event, &Client::OnRspQryAccount, eQryAccount);
        break;
    case 1009:
        Route(event, &Client::OnRspSetOrder);
        break;
    case 1010:
        Route(event, &Client::OnNtfTrade);
        break;
    case 1013:
        Route(event, &Client::OnRspQryPosition, eQryPosition);
        break;
    case 1015:
        Route(event, &Client::OnRspQryHoldDetail, eQryHoldDetail);
        break;
    case 1016:
        Route(event, &Client::OnNtfMoneyChanged);
        break;
    case 1017:
        Route(event, &Client::OnNtfPosition);
        break;
    case 1018:
        Route(event, &Client::OnNtfHoldDetail);
        break;
    case 1020:
        Route(event, &Client::OnRspQryCloseBill, eQryCloseBill);
        break;
    case 1021:
        Route(event, &Client::OnNtfCloseBill);
        break;
    case 1022:
        Route(event, &Client::OnNtfLimitOrder);
        break;
    case 1024:
        Route(event, &Client::OnRspQryLimitOrder, eQryLimitOrder);
        break;
    case 1026:
        Route(event, &Client::OnRspCancelOrder);
        break;
    case 1028:
        Route(event, &Client::OnRspModifyOrder);
        break;
    case 1033:
        Route(event, &Client::OnRspQryCurrencyExchangeRate, eQryCurrencyExchangeRate);
        break;
    case 1034:
        Route(event, &Client::OnNtfCurrencyExchangeRate);
        break;
    case 1039:
        Route(event, &Client::OnRspReqInOutMoney);
        break;
    case 1040:
        Route(event, &Client::OnNtfInOutMoney);
        break;
    case 1042:
        Route(event, &Client::OnRspQryInOutMoney, eQryInOutMoney);
        break;
    case 1044:
        Route(event, &Client::OnRspInOutMoneyId);
        break;
    case 1047:
        Route(event, &Client::OnNtfRiskInfo);
        break;
    case 1048:
        Route(event, &Client::OnNtfRiskInfo2);
        break;
    case 1053:
        Route(event, &Client::OnRspPositionCloseOrder);
        break;
    case 1057:
        Route(event, &Client::OnRspQryDeliveryOrder, eQryDeliveryOrder);
        break;
    case 1058:
        Route(event, &Client::OnNtfDeliveryOrder);
        break;
    case 1065:
        Route(event, &Client::OnRspQryPayPortInfo);
        break;
    case 1067:
    case 1069:
    case 1072:
    case 1122:
    case 1124:
    case 1133:
        Route(event, &Client::OnRspCommon);
        break;
    case 1075:
        Route(event, &Client::OnRspQrySysPayPortInfo);
        break;
    case 1076:
        Route(event, &Client::OnNtfBankInUrl);
        break;
    case 1088:
        Route(event, &Client::OnRspQryPriceReport);
        break;
    case 1103:
        Route(event, &Client::OnRspQryBinaryContract, eQryBinaryContract);
        break;
    case 1104:
        Route(event, &Client::OnNtfBinaryContract);
        break;
    case 1106:
        Route(event, &Client::OnRspQryBinaryOrer, eQryBinaryOrder);
        break;
    case 1107:
        Route(event, &Client::OnNtfBinaryOrer);
        break;
    case 1109:
        Route(event, &Client::OnRspMasterAccount);
        break;
    case 1111:
        Route(event, &Client::OnRspMoveMoney);
        break;
    case 1113:
        Route(event, &Client::OnRspQryMoney);
        break;
    case 1114:
        Route(event, &Client::OnNtfAccount);
        break;
    case 1126:
        Route(event, &Client::OnRspQryBonusPoint, eQryBonusPoint);
        break;
    case 1127:
        Route(event, &Client::OnNtfBonusPoint);
        break;
    case 1129:
        Route(event, &Client::OnRspQryUserInventory, eQryUserInventory);
        break;
    case 1131:
        Route(event, &Client::OnRspQrySymbolInventory, eQrySymbolInventory);
        break;
    case 1134:
        Route(event, &Client::OnNtfUserInventory);
        break;
    case 10002:
        Route(event, &Client::OnRspUserLogin);
        break;
    default:
        // 1070, 1073, 1089, 1091, 1092, 2172-2178 and unknown codes: nothing to do.
        break;
    }
}

void Client::OnMdEvent(wxThreadEvent& event)
{
    switch(event.GetInt()) {
    case 1:
        if(const auto* error = dynamic_cast<const MdInfoEvent*>(&event)) {
            m_mdConnecter.OnErrorRsp(error->Get<0>());
        }
        break;
    case 100:
        m_mdConnecter.SetConnectResult(true);
        break;
    case 101:
        m_mdConnecter.SetConnectResult(false);
        break;
    case 102:
        m_mdConnecter.OnDisconnect(); // waiting requests are the trade side's
        break;
    case 1004:
        Route(event, &Client::HandleMdRspQrySymbolInfo);
        break;
    case 1029:
        Route(event, &Client::OnNtfMarketData);
        break;
    case 1031:
        Route(event, &Client::OnRspSubscribeMarketData, eQryMdSymbolInfo);
        break;
    case 1089:
        Route(event, &Client::OnNtfPriceReport);
        break;
    case 10002:
        Route(event, &Client::OnMdRspUserLogin);
        break;
    default:
        // 1091, 1092 and unknown codes.
        break;
    }
}

void Client::OnRspUserLogin(const TradeAnswerEvent<sFFixRspUserLogin>& event)
{
    const sFFixRspUserLogin login = event.Get<0>();
    const sFFixRspInfo result = event.Get<1>();
    m_tradeConnecter.SetLoginResult(login, result);
    if(result.errorId != 0) {
        m_tradeConnecter.OnErrorRsp(result);
        return;
    }
    m_userId = login.userId;
    user_LoginInfo record;
    record.userId = login.userId;
    record.userName = wxString::FromUTF8(tradeapi::FixedText(login.userName));
    record.loginAccount = wxString(tradeapi::FixedText(login.loginAccount));
    record.tradingDay = ParseCompactDate(wxString(tradeapi::FixedText(login.tradingDay)));
    record.carriedTime1 = ParseCompactTime(wxString(tradeapi::FixedText(login.serverTime)));
    if(m_pDb != nullptr) {
        m_pDb->m_user_LoginInfo_table->Upsert(record);
    }
    if(record.carriedTime1.IsValid()) {
        SyncServerClock(record.carriedTime1);
    }
    if(m_pDb != nullptr) {
        m_pDb->m_server_time_table->Clear();
    }
    m_timer.StartOnce(kStartupDelayMs);
    SetAllQueryStamps(m_clock());
    m_pHost->SetStatusField(1, wxString::Format("%s|%s", record.userName, record.loginAccount));
    m_pHost->SetStatusField(4, m_serverText);
    m_pHost->SetStatusField(3, FormatDate(record.tradingDay));
}

void Client::OnMdRspUserLogin(const MdAnswerEvent<sFFixRspUserLogin>& event)
{
    const sFFixRspUserLogin login = event.Get<0>();
    const sFFixRspInfo result = event.Get<1>();
    m_mdConnecter.SetLoginResult(login, result);
    if(result.errorId != 0) {
        return;
    }
    m_userId = login.userId;
    m_bMdSubscribed = false;
    m_mdQueryDelayMs = 100;
    if(m_pMdApi != nullptr) {
        sFFixUserId request{};
        request.userId = m_userId;
        m_pMdApi->ReqQrySymbolInfo(&request, NextRequestId());
    }
}

void Client::OnTimer(wxTimerEvent& /*event*/)
{
    ReqQryAccount();
    ReqQrySymbolInfo();
    ReqQryBinaryContract();
    ReqQryCurrencyExchangeRate();
}

void Client::FailPendingRequests()
{
    RequestNotify::Get()->NotifyAll(1, GetErrorText(1));
}

void Client::NotifyConnectionState()
{
    wxArrayString state;
    state.Add(m_serverText);
    state.Add(m_loginName);
    state.Add(m_tradeConnecter.GetStateString());
    state.Add(m_mdConnecter.GetStateString());
    EventNotifier::Get()->SendCommandEvent(wxEVT_CMD_CONNECTION_STATE, &state);
    m_pHost->SetStatusField(5, wxJoin(state, '\n', '\\'));
}

void Client::SyncServerClock(const wxDateTime& serverTime)
{
    const wxDateTime now = m_clock();
    const wxDateTime estimate = now + m_serverTimeOffset;
    const wxLongLong difference = (serverTime - estimate).GetMilliseconds();
    // A server up to one second behind the estimate is taken as jitter.
    if(difference > 0 || difference < -1000) {
        m_serverTimeOffset = serverTime - now;
    }
}

void Client::AdvanceServerClock(const wxDateTime& now)
{
    if(m_tradeConnecter.GetStatus() != eLS_LoginSuccess || m_pDb == nullptr) {
        return;
    }
    const wxDateTime serverNow = now + m_serverTimeOffset;
    const auto& table = *m_pDb->m_server_time_table;
    const auto& rows = table.GetIndexByPrimary();
    // The shown server time never runs backwards.
    if(rows.empty() || !rows.begin()->serverTime.IsValid() ||
       !rows.begin()->serverTime.IsLaterThan(serverNow)) {
        server_time record;
        record.id = 1;
        record.serverTime = serverNow;
        m_pDb->m_server_time_table->Upsert(record);
    }
}
