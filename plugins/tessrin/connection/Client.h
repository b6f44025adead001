#pragma once

#include "connection/ClientConnecter.h"
#include "connection/MdEvent.h"
#include "connection/QueryCycle.h"
#include "connection/RequestId.h"
#include "connection/TradeEvent.h"

#include <array>
#include <functional>
#include <memory>
#include <tradeapi/TradeApi.h>
#include <type_traits>
#include <utility>
#include <vector>
#include <wx/datetime.h>
#include <wx/event.h>
#include <wx/timer.h>

class AccountProfitBook;
class CGetLocalIp;
class IConnectionHost;
class MdClient;
class RecordStore;
class TradeClient;

// The one connection to the market of the current login. Owns both login
// machines and both callback objects; the library's callbacks arrive as queued
// TradeEvent/MdEvent and are dispatched by code on the GUI thread. Sends the
// queries of the trading day, re-sends those whose answer is late, keeps the
// server clock and reports the connection state. Release before destroying.
class Client : public wxEvtHandler
{
public:
    using Clock = std::function<wxDateTime()>;

    // The send stamps of the queries, index of m_queryStamps.
    enum QueryKind {
        eQryAccount = 0,
        eQrySymbolInfo,
        eQryHoldDetail,
        eQryCloseBill,
        eQryLimitOrder,
        eQryInOutMoney,
        eQryCurrencyExchangeRate,
        eQryBinaryContract,
        eQryDeliveryOrder,
        eQryBinaryOrder,
        eQryPosition,
        eQryBonusPoint,
        eQryMdSymbolInfo,
        eQryUserInventory,
        eQrySymbolInventory,
        eQueryKindCount
    };
    static constexpr int kTimerId = 101010;
    static constexpr int kStartupDelayMs = 300;
    static constexpr long kQueryLateMs = 3000;

    // The server record (addresses, server text) is taken from the host now.
    Client(const wxString& loginName, RecordStore* db, IConnectionHost* host);
    ~Client() override;
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    // Releases both library objects, then deletes both callback objects; no
    // request is sent and no callback arrives afterwards.
    void Release();

    // The library objects made over this Client's callback objects; the
    // login machines get them too.
    void SetTradeApi(CTradeApi* api);
    void SetMdApi(CMDApi* api);
    CTradeApi* GetTradeApi() const { return m_pTradeApi; }
    CMDApi* GetMdApi() const { return m_pMdApi; }
    TradeClient* GetTradeClient() const { return m_pTradeClient.get(); }
    MdClient* GetMdClient() const { return m_pMdClient.get(); }
    ClientConnecter<CTradeApi>& GetTradeConnecter() { return m_tradeConnecter; }
    ClientConnecter<CMDApi>& GetMdConnecter() { return m_mdConnecter; }
    // Starts both login machines with the password once the local address
    // is known, asking the servers for it first while it is not; nothing
    // waits, and a probe that fails logs in without it. Then calls
    // `started`. Release ends a probe still running: its login never starts.
    void StartLogin(const wxString& password, const wxArrayString& probeServers,
                    std::function<void()> started);
    // Both login machines log in with this password from now on.
    void SetLoginPassword(const wxString& password);

    // The time source of stamps and lateness (default: now, to the millisecond).
    void SetClock(Clock clock);

    void OnTradeEvent(wxThreadEvent& event);
    void OnMdEvent(wxThreadEvent& event);
    void OnTimer(wxTimerEvent& event);

    // Fails every waiting request with code 1 (the trade link dropped).
    void FailPendingRequests();
    // Host event 10004 and status field 5: server, login name, both state texts.
    void NotifyConnectionState();
    void SyncServerClock(const wxDateTime& serverTime);
    // A quote's time sets the server clock only within the window around the
    // local clock moved by the login answer's offset. One dated the trading
    // day first moves that offset to the market's date when only the time of
    // day agrees.
    void SyncServerClockFromQuote(const wxDateTime& quoteTime);
    void AdvanceServerClock(const wxDateTime& now);

    // Queries: the request id, or -1 when not sent.
    int ReqQryAccount();
    int ReqQryPayPortInfo(); // the user's pay ports; no stamp
    int ReqQrySymbolInfo();
    int ReqQryHoldDetail();
    int ReqQryPosition();
    int ReqQryCloseBill();
    int ReqQryLimitOrder();
    int ReqQryInOutMoney();
    int ReqQryDeliveryOrder();
    int ReqQryBonusPoint();
    int ReqQryUserInventory();
    int ReqQrySymbolInventory();
    int ReqQryBinaryOrer();
    int ReqQryBinaryContract();
    int ReqQryCurrencyExchangeRate();        // only while the rate table is empty
    int ReqQrySysPayPortInfo();              // only while the pay-port table is empty
    int ReqQryPriceReport(int priceLevelId); // only while the price-level table is empty
    void ReqSubscribeSymbolList();

    // Requests filled by windows: the request id, or -1 when nothing was
    // sent (no request, no library object, or the library refused it).
    int ReqSetOrder(const sFFixSetOrder* request);
    int ReqModifyOrder(const sFFixModifyOrder* request);
    int ReqCancelOrder(const sFFixCancelOrder* request);
    int ReqPositionCloseOrder(const sFFixPositionCloseOrder* request);
    int ReqHoldBillDelivery(const sFFixHoldBillDelivery* request);
    int ReqModifyPassword(const sFFixModifyPassword* request);
    int ReqFinancingGoods(const sFFixFinancingGoods* request);
    int ReqMasterAccount(const sFFixMasterAccount* request);
    int ReqMoveMoney(const sFFixMoveMoney* request);
    int ReqSetSuretyMoney(const sFFixSetSuretyMoney* request);
    // Money requests filled by dialogs; the bank password is masked in place.
    int ReqInOutMoney(sFFixReqInOutMoney* request);
    int ReqRegistPayPort(sFFixRegistPayPort* request);
    int ReqUnRegistPayPort(sFFixUnRegistPayPort* request);

    // Every 500 ms: connection report, late queries, server clock, binary countdown.
    void CheckPendingQueries();
    // Every 5000 ms: the next account line into status field 2.
    void RotateAccountStatus();

    // Logged in to the trade front and every query of the login's cycle
    // answered in full: the tables hold the market's trading day. Until
    // then the connection state shows the trade side as logging in.
    bool IsReady() const;
    const QueryCycle& GetQueryCycle() const { return m_cycle; }

    int GetUserId() const { return m_userId; }
    // The name the user logged in with.
    const wxString& GetLoginName() const { return m_loginName; }
    const wxDateTime& GetQueryStamp(QueryKind kind) const { return m_queryStamps[kind]; }
    void SetAllQueryStamps(const wxDateTime& time);
    wxTimeSpan GetServerTimeOffset() const { return m_serverTimeOffset; }
    bool IsMdSubscribed() const { return m_bMdSubscribed; }
    int GetMdQueryDelayMs() const { return m_mdQueryDelayMs; }
    int GetUserInventoryQueries() const { return m_userInventoryQueries; }

private:
    // Every request leaves here: through the library object of the
    // operation's class (trade or market data) with the next request id,
    // which follows the given arguments; the id when the library took it
    // (above 0), else -1. Without that library object nothing is sent and
    // no id is used up.
    template <class Api, class... Params, class... Args>
    int Send(int (Api::*operation)(Params...), Args&&... args);
    // The same with the library call made by `call`(api, id), for a request
    // that needs its id before it goes; a result of 0 or below is a refusal.
    template <class Api, class Call> int SendWithId(Call&& call);
    // A request a window filled; none is not sent.
    template <class Request>
    int SendFilled(int (CTradeApi::*operation)(const Request*, int), const Request* request)
    {
        return request != nullptr ? Send(operation, request) : -1;
    }

    // Calls the handler when the event carries its payload, first clearing the
    // stamp of the query it answers, if any.
    template <class Event>
    void Route(const wxThreadEvent& event, void (Client::*handler)(const Event&),
               QueryKind answered = eQueryKindCount);
    // The trade dispatch of each family, next to its handlers; each says
    // whether the code was one of its own.
    bool DispatchQueryAnswer(const wxThreadEvent& event);
    bool DispatchRequestAnswer(const wxThreadEvent& event);
    bool DispatchPush(const wxThreadEvent& event);
    void ClearStamp(QueryKind kind) { m_queryStamps[kind] = wxDefaultDateTime; }
    // Sends a query of the login's cycle; refused or not, it is awaited.
    void Ask(CallbackCode answer, int (Client::*send)());
    // Each row of a trade query's answer moves the query's cycle wait on;
    // the last one ends it.
    template <class Event> void NoteAnswerRow(const Event& /*event*/) {}
    template <class Row> void NoteAnswerRow(const TradeQueryRowEvent<Row>& event);
    bool IsLate(QueryKind kind, const wxDateTime& now, long delayMs) const;
    int SendUserQuery(QueryKind kind, int (CTradeApi::*operation)(const sFFixUserId*, int));
    template <class Request>
    int SendMoneyRequest(Request* request, int (CTradeApi::*operation)(const Request*, int));
    void CountDownBinaryOrders();
    // A login failure under `title` in the output window and, while
    // "showErrMsgBox" is on, in a box; a reason already told since the last
    // successful login is not repeated (retried refusals come again and
    // again, and both fronts refuse a wrong password).
    void TellLoginFailure(const wxString& title, const wxString& reason);

    void OnRspUserLogin(const TradeAnswerEvent<sFFixRspUserLogin>& event);
    void OnMdRspUserLogin(const MdAnswerEvent<sFFixRspUserLogin>& event);
    // The market-data link is gone: every quote is stale until its next tick.
    void MarkQuotesStale();

    // Answer and push handlers, filled in ClientHandlers.cpp.
    void HandleRspQrySymbolInfo(const TradeQueryRowEvent<sFFixRspQrySymbolInfo>& event);
    void OnNtfUserId(const TradeNoticeEvent<sFFixUserId>& event);
    void OnRspQryAccount(const TradeQueryRowEvent<sFFixRspQryAccount>& event);
    void OnRspSetOrder(const TradeAnswerEvent<sFFixSetOrder>& event);
    void OnNtfTrade(const TradeNoticeEvent<sFFixTrade>& event);
    void OnRspQryPosition(const TradeQueryRowEvent<sFFixPosition>& event);
    void OnRspQryHoldDetail(const TradeQueryRowEvent<sFFixHoldDetail>& event);
    void OnNtfMoneyChanged(const TradeNoticeEvent<sFFixMoney>& event);
    void OnNtfPosition(const TradeNoticeEvent<sFFixPosition>& event);
    void OnNtfHoldDetail(const TradeNoticeEvent<sFFixHoldDetail>& event);
    void OnRspQryCloseBill(const TradeQueryRowEvent<sFFixCloseBill>& event);
    void OnNtfCloseBill(const TradeNoticeEvent<sFFixCloseBill>& event);
    void OnNtfLimitOrder(const TradeNoticeEvent<sFFixLimitOrder>& event);
    void OnRspQryLimitOrder(const TradeQueryRowEvent<sFFixLimitOrder>& event);
    void OnRspCancelOrder(const TradeAnswerEvent<sFFixCancelOrder>& event);
    void OnRspModifyOrder(const TradeAnswerEvent<sFFixModifyOrder>& event);
    void OnRspQryCurrencyExchangeRate(const TradeQueryRowEvent<sFFixCurrencyExchangeRate>& event);
    void OnNtfCurrencyExchangeRate(const TradeNoticeEvent<sFFixCurrencyExchangeRate>& event);
    void OnRspReqInOutMoney(const TradeAnswerEvent<sFFixReqInOutMoney>& event);
    void OnNtfInOutMoney(const TradeNoticeEvent<sFFixRspInOutMoney>& event);
    void OnRspQryInOutMoney(const TradeQueryRowEvent<sFFixRspInOutMoney>& event);
    void OnRspInOutMoneyId(const TradeAnswerEvent<sFFixInOutMoneyId>& event);
    void OnNtfRiskInfo(const TradeNoticeEvent<sFFixRiskInfo>& event);
    void OnNtfRiskInfo2(const TradeNoticeEvent<sFFixRiskInfo>& event);
    void OnRspPositionCloseOrder(const TradeAnswerEvent<sFFixPositionCloseOrder>& event);
    void OnRspQryDeliveryOrder(const TradeQueryRowEvent<sFFixDeliveryOrder>& event);
    void OnNtfDeliveryOrder(const TradeNoticeEvent<sFFixDeliveryOrder>& event);
    void OnRspQryPayPortInfo(const TradeQueryRowEvent<sFFixPayPortInfo>& event);
    void OnRspCommon(const TradeInfoEvent& event);
    void OnRspQrySysPayPortInfo(const TradeQueryRowEvent<sFFixSysPayPortInfo>& event);
    void OnNtfBankInUrl(const TradeNoticeEvent<sFFixBankInUrl>& event);
    void OnRspQryPriceReport(const TradeQueryRowEvent<sFFixPriceReport>& event);
    void OnRspQryBinaryContract(const TradeQueryRowEvent<sFFixBinaryContract>& event);
    void OnNtfBinaryContract(const TradeNoticeEvent<sFFixBinaryContract>& event);
    void OnRspQryBinaryOrer(const TradeQueryRowEvent<sFFixBinaryOrer>& event);
    void OnNtfBinaryOrer(const TradeNoticeEvent<sFFixBinaryOrer>& event);
    void OnRspMasterAccount(const TradeAnswerEvent<sFFixMasterAccount>& event);
    void OnRspMoveMoney(const TradeAnswerEvent<sFFixMoveMoney>& event);
    void OnRspQryMoney(const TradeQueryRowEvent<sFFixMoney>& event);
    void OnNtfAccount(const TradeNoticeEvent<sFFixAccount>& event);
    void OnRspQryBonusPoint(const TradeQueryRowEvent<sFFixBonusPoint>& event);
    void OnNtfBonusPoint(const TradeNoticeEvent<sFFixBonusPoint>& event);
    void OnRspQryUserInventory(const TradeQueryRowEvent<sFFixUserInventory>& event);
    void OnRspQrySymbolInventory(const TradeQueryRowEvent<sFFixSymbolInventory>& event);
    void OnNtfUserInventory(const TradeNoticeEvent<sFFixUserInventory>& event);
    void HandleMdRspQrySymbolInfo(const MdQueryRowEvent<sFFixRspQrySymbolInfo>& event);
    void OnNtfMarketData(const MdNoticeEvent<sFFixMarketData>& event);
    // The account's figures after its bills changed (the book saw them).
    void AccountProfitAfterBills(int accountKey);
    // Every account's figures after an exchange rate changed.
    void AccountProfitAfterRates();
    void OnRspSubscribeMarketData(const MdSubscribeEvent& event);
    void OnNtfPriceReport(const MdNoticeEvent<sFFixPriceReport>& event);

    wxString m_loginName;
    std::unique_ptr<TradeClient> m_pTradeClient;
    std::unique_ptr<MdClient> m_pMdClient;
    RecordStore* m_pDb; // not owned
    // The accounts' floating profit, kept by difference; null without tables.
    std::unique_ptr<AccountProfitBook> m_profitBook;
    std::vector<int> m_changedAccounts; // of one price push, kept for its capacity
    IConnectionHost* m_pHost;           // not owned: the plug-in object
    wxString m_serverText;
    ClientConnecter<CTradeApi> m_tradeConnecter;
    ClientConnecter<CMDApi> m_mdConnecter;
    std::unique_ptr<CGetLocalIp> m_localIpProbe;
    CTradeApi* m_pTradeApi = nullptr; // released, never deleted
    CMDApi* m_pMdApi = nullptr;
    int m_userId = 0;
    int m_symbolCount = 0;
    wxTimeSpan m_serverTimeOffset;
    wxTimeSpan m_loginClockOffset;  // the offset as the last login answer set it, on the market's date
    wxDateTime m_tradingDay;        // of the last login answer
    bool m_serverDateMoved = false; // the shown clock may step back to the market's date
    bool m_bMdSubscribed = false;
    int m_mdQueryDelayMs = 3000;
    wxTimer m_timer;
    std::array<wxDateTime, eQueryKindCount> m_queryStamps;
    int m_userInventoryQueries = 0;
    Clock m_clock;
    QueryCycle m_cycle;
    bool m_reportedReady = false; // what the last connection report said
    wxString m_toldLoginFailure;

    wxDECLARE_EVENT_TABLE();
};

template <class Api, class Call> int Client::SendWithId(Call&& call)
{
    static_assert(std::is_same_v<Api, CTradeApi> || std::is_same_v<Api, CMDApi>);
    Api* api = nullptr;
    if constexpr(std::is_same_v<Api, CTradeApi>) {
        api = m_pTradeApi;
    } else {
        api = m_pMdApi;
    }
    if(api == nullptr) {
        return -1;
    }
    const int id = NextRequestId();
    return std::forward<Call>(call)(*api, id) > 0 ? id : -1;
}

template <class Api, class... Params, class... Args>
int Client::Send(int (Api::*operation)(Params...), Args&&... args)
{
    return SendWithId<Api>(
        [&](Api& api, int id) { return (api.*operation)(std::forward<Args>(args)..., id); });
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
    NoteAnswerRow(*typed);
}

template <class Row> void Client::NoteAnswerRow(const TradeQueryRowEvent<Row>& event)
{
    if(event.IsComplete()) {
        m_cycle.Answered(event.GetCode());
    } else {
        m_cycle.Progressed(event.GetCode(), m_clock());
    }
}
