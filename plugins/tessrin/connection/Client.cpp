#include "connection/Client.h"

#include "connection/CGetLocalIp.h"
#include "connection/ErrorTextTable.h"
#include "connection/IConnectionHost.h"
#include "connection/MdClient.h"
#include "connection/RequestNotify.h"
#include "connection/ServerClockWindow.h"
#include "connection/TradeClient.h"
#include "db/AccountProfitBook.h"
#include "db/DateTimeText.h"
#include "db/RecordStore.h"

#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <tradeapi/FixedText.h>
#include <utility>
#include <wx/arrstr.h>
#include <wx/debug.h>
#include <wx/intl.h>
#include <wx/log.h>

wxBEGIN_EVENT_TABLE(Client, wxEvtHandler) EVT_TIMER(Client::kTimerId, Client::OnTimer) wxEND_EVENT_TABLE()

    Client::Client(const wxString& loginName, RecordStore* db, IConnectionHost* host)
    : m_loginName(loginName), m_pDb(db), m_pHost(host), m_serverText(host->GetServerText()),
      m_tradeConnecter(host->GetTradeAddresses(), loginName, "Trade"),
      m_mdConnecter(host->GetMdAddresses(), loginName, "Md"), m_localIpProbe(std::make_unique<CGetLocalIp>()),
      m_timer(this, kTimerId), m_clock([] { return wxDateTime::UNow(); })
{
    if(m_pDb && m_pDb->m_trade_HoldBill_table && m_pDb->m_sys_CurrencyExchangeRate_table) {
        m_profitBook = std::make_unique<AccountProfitBook>(m_pDb);
    }
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
    m_localIpProbe->Cancel();
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

void Client::StartLogin(const wxString& password, const wxArrayString& probeServers,
                        std::function<void()> started)
{
    m_localIpProbe->SendRequests(probeServers, [this, password, started = std::move(started)] {
        m_tradeConnecter.StartLogin(password);
        m_mdConnecter.StartLogin(password);
        if(started) {
            started();
        }
    });
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

void Client::OnTradeEvent(wxThreadEvent& event)
{
    switch(CodeOf(event)) {
    case CallbackCode::ErrorRsp:
        if(const auto* error = dynamic_cast<const TradeInfoEvent*>(&event)) {
            m_tradeConnecter.OnErrorRsp(error->GetResult());
        }
        return;
    case CallbackCode::Connect:
        SetAllQueryStamps(m_clock());
        m_tradeConnecter.SetConnectResult(true);
        return;
    case CallbackCode::ConnectFailed:
        m_tradeConnecter.SetConnectResult(false);
        return;
    case CallbackCode::Disconnect:
        SetAllQueryStamps(m_clock());
        m_cycle.Reset();
        m_tradeConnecter.OnDisconnect();
        FailPendingRequests();
        return;
    case CallbackCode::RspUserLogin:
        Route(event, &Client::OnRspUserLogin);
        return;
    default:
        break;
    }
    if(!DispatchQueryAnswer(event) && !DispatchRequestAnswer(event)) {
        // Codes of no family (1070, 1073, 1089, 1091, 1092, 2172-2178, unknown ones) are dropped.
        DispatchPush(event);
    }
}

void Client::OnMdEvent(wxThreadEvent& event)
{
    switch(CodeOf(event)) {
    case CallbackCode::ErrorRsp:
        if(const auto* error = dynamic_cast<const MdInfoEvent*>(&event)) {
            m_mdConnecter.OnErrorRsp(error->GetResult());
        }
        break;
    case CallbackCode::Connect:
        m_mdConnecter.SetConnectResult(true);
        break;
    case CallbackCode::ConnectFailed:
        m_mdConnecter.SetConnectResult(false);
        break;
    case CallbackCode::Disconnect:
        m_mdConnecter.OnDisconnect(); // waiting requests are the trade side's
        MarkQuotesStale();
        break;
    case CallbackCode::RspQrySymbolInfo:
        Route(event, &Client::HandleMdRspQrySymbolInfo);
        break;
    case CallbackCode::NtfMarketData:
        Route(event, &Client::OnNtfMarketData);
        break;
    case CallbackCode::RspSubscribeMarketData:
        Route(event, &Client::OnRspSubscribeMarketData, eQryMdSymbolInfo);
        break;
    case CallbackCode::NtfPriceReport:
        Route(event, &Client::OnNtfPriceReport);
        break;
    case CallbackCode::RspUserLogin:
        Route(event, &Client::OnMdRspUserLogin);
        break;
    default:
        // 1091, 1092 and unknown codes.
        break;
    }
}

void Client::OnRspUserLogin(const TradeAnswerEvent<sFFixRspUserLogin>& event)
{
    const sFFixRspUserLogin& login = event.GetRequest();
    const sFFixRspInfo& result = event.GetResult();
    m_tradeConnecter.SetLoginResult(login, result);
    if(result.errorId != 0) {
        m_tradeConnecter.OnErrorRsp(result);
        return;
    }
    m_userId = login.userId;
    m_toldLoginFailure.clear();
    m_pHost->OnLoginAccepted(m_tradeConnecter.GetPassword());
    user_LoginInfo record;
    record.userId = login.userId;
    record.userName = wxString::FromUTF8(tradeapi::FixedText(login.userName));
    record.loginAccount = wxString(tradeapi::FixedText(login.loginAccount));
    record.tradingDay = ParseCompactDate(wxString(tradeapi::FixedText(login.tradingDay)));
    record.carriedTime1 =
        NearestServerTime(ParseCompactTime(wxString(tradeapi::FixedText(login.serverTime))), m_clock());
    m_tradingDay = record.tradingDay;
    if(m_pDb != nullptr) {
        m_pDb->m_user_LoginInfo_table->Upsert(record);
    }
    if(record.carriedTime1.IsValid()) {
        SyncServerClock(record.carriedTime1);
    }
    m_loginClockOffset = m_serverTimeOffset;
    if(m_pDb != nullptr) {
        m_pDb->m_server_time_table->Clear();
    }
    m_cycle.Reset();
    m_timer.StartOnce(kStartupDelayMs);
    SetAllQueryStamps(m_clock());
    m_pHost->SetStatusField(1, wxString::Format("%s|%s", record.userName, record.loginAccount));
    m_pHost->SetStatusField(4, m_serverText);
    m_pHost->SetStatusField(3, FormatDate(record.tradingDay));
}

void Client::MarkQuotesStale()
{
    if(m_pDb != nullptr) {
        m_pDb->MarkQuotesStale();
    }
}

void Client::OnMdRspUserLogin(const MdAnswerEvent<sFFixRspUserLogin>& event)
{
    const sFFixRspUserLogin& login = event.GetRequest();
    const sFFixRspInfo& result = event.GetResult();
    m_mdConnecter.SetLoginResult(login, result);
    if(result.errorId != 0) {
        return;
    }
    m_userId = login.userId;
    m_bMdSubscribed = false;
    m_mdQueryDelayMs = 100;
    sFFixUserId request{};
    request.userId = m_userId;
    Send(&CMDApi::ReqQrySymbolInfo, &request); // its refusal is not followed up
}

void Client::OnTimer(wxTimerEvent& /*event*/)
{
    m_cycle.Begin();
    Ask(CallbackCode::RspQryAccount, &Client::ReqQryAccount);
    Ask(CallbackCode::RspQrySymbolInfo, &Client::ReqQrySymbolInfo);
    Ask(CallbackCode::RspQryBinaryContract, &Client::ReqQryBinaryContract);
    // Only while no rate is known; the check asks again while none is.
    ReqQryCurrencyExchangeRate();
}

void Client::Ask(CallbackCode answer, int (Client::*send)())
{
    (this->*send)();
    m_cycle.Asked(answer, m_clock());
}

bool Client::IsReady() const
{
    return m_tradeConnecter.GetStatus() == eLS_LoginSuccess && m_cycle.IsComplete();
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
    const int blinkPhase = m_pHost->GetBlinkPhase();
    wxString trade = m_tradeConnecter.GetStateString(blinkPhase); // clears the changed flag
    if(m_tradeConnecter.GetStatus() == eLS_LoginSuccess && !m_cycle.IsComplete()) {
        // Logged in, the trading day's answers still on their way.
        trade = wxString::Format("%s|%d", m_tradeConnecter.GetName(), blinkPhase);
    }
    m_reportedReady = IsReady();
    state.Add(trade);
    state.Add(m_mdConnecter.GetStateString(blinkPhase));
    EventNotifier::Get()->SendCommandEvent(wxEVT_CMD_CONNECTION_STATE, &state);
    m_pHost->SetStatusField(5, wxJoin(state, '\n', '\\'));
}

void Client::TellLoginFailure(const wxString& title, const wxString& reason)
{
    if(reason.empty() || reason == m_toldLoginFailure) {
        return;
    }
    m_toldLoginFailure = reason;
    m_pHost->OutputLog(title, reason);
    if(m_pHost->ReadConfigBool("showErrMsgBox", true)) {
        // Not inside the tick that found it: the box runs a loop of its own.
        CallAfter([this, title, reason] { m_pHost->ShowMessageBox(reason, title); });
    }
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

void Client::SyncServerClockFromQuote(const wxDateTime& quoteTime)
{
    wxTimeSpan shift;
    if(FindServerDateShift(quoteTime, m_clock() + m_loginClockOffset, m_tradingDay, shift)) {
        // The market's date, which the login answer does not give.
        m_loginClockOffset += shift;
        m_serverTimeOffset += shift;
        m_serverDateMoved = true;
    }
    if(IsWithinServerClockWindow(quoteTime, m_clock() + m_loginClockOffset)) {
        SyncServerClock(quoteTime);
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
    // The shown server time never runs backwards, but to the market's date.
    if(rows.empty() || m_serverDateMoved || !rows.begin()->serverTime.IsValid() ||
       !rows.begin()->serverTime.IsLaterThan(serverNow)) {
        m_serverDateMoved = false;
        server_time record;
        record.id = 1;
        record.serverTime = serverNow;
        m_pDb->m_server_time_table->Upsert(record);
    }
}
