#pragma once
// What the library called back, recorded on its thread and awaited by the
// test with a time limit.
#include "tradeapi/ClientApi.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct Event
{
    int code = 0; // callback code: 100, 101, 102, 1, 10002, 1004 ...
    int requestId = 0;
    bool last = false;
    bool noRows = false; // query answer without rows
    int value = 0;       // reason of 102, error of 101
    std::string text;    // text of 101
    bool hasInfo = false;
    sFFixRspInfo info{};
    std::vector<uint8_t> row; // the row, push or echoed request
    std::vector<int> ids;     // subscription answer

    template <class T> T As() const
    {
        T value{};
        std::memcpy(&value, row.data(), std::min(row.size(), sizeof value));
        return value;
    }
};

class EventLog
{
public:
    void Add(Event event);
    // The first event from `from` on that matches; empty after the timeout.
    std::optional<Event> WaitFor(const std::function<bool(const Event&)>& match, std::size_t from = 0,
                                 int timeoutMs = 5000);
    std::optional<Event> WaitCode(int code, std::size_t from = 0, int timeoutMs = 5000);
    // Events recorded so far.
    std::vector<Event> Snapshot() const;
    std::size_t Size() const;

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Event> m_events;
};

// Records every callback the tests use.
class TradeRecorder : public CTradeApiCallback
{
public:
    EventLog log;
    std::atomic<bool> released{false};
    std::atomic<int> lateCalls{0};

    void OnConnect() override;
    bool OnConnectFailed(int error, const char* text) override;
    bool OnDisconnect(int reason) override;
    void OnErrorRsp(const sFFixRspInfo* info, int id, bool last) override;
    void OnRspUserLogin(const sFFixRspUserLogin* rsp, const sFFixRspInfo* info, int id, bool last) override;
    void OnRspQrySymbolInfo(const sFFixRspQrySymbolInfo* row, int id, bool last) override;
    void OnNtfUserId(const sFFixUserId* value, int, int) override;
    void OnRspQryAccount(const sFFixRspQryAccount* row, int id, bool last) override;
    void OnRspSetOrder(const sFFixSetOrder* echo, const sFFixRspInfo* info, int id, bool last) override;
    void OnNtfTrade(const sFFixTrade* value, int, int) override;
    void OnRspQryPosition(const sFFixPosition* row, int id, bool last) override;
    void OnRspQryHoldDetail(const sFFixHoldDetail* row, int id, bool last) override;
    void OnNtfMoneyChanged(const sFFixMoney* value, int, int) override;
    void OnNtfPosition(const sFFixPosition* value, int, int) override;
    void OnNtfHoldDetail(const sFFixHoldDetail* value, int, int) override;
    void OnNtfCloseBill(const sFFixCloseBill* value, int, int) override;
    void OnNtfLimitOrder(const sFFixLimitOrder* value, int, int) override;
    void OnRspCancelOrder(const sFFixCancelOrder* echo, const sFFixRspInfo* info, int id, bool last) override;
    void OnRspModifyOrder(const sFFixModifyOrder* echo, const sFFixRspInfo* info, int id, bool last) override;
    void OnRspQryDeliveryOrder(const sFFixDeliveryOrder* row, int id, bool last) override;
    void OnRspPositionCloseOrder(const sFFixPositionCloseOrder* echo, const sFFixRspInfo* info, int id,
                                 bool last) override;
    void OnNtfCurrencyExchangeRate(const sFFixCurrencyExchangeRate* value, int, int) override;
    void OnRspQryCurrencyExchangeRate(const sFFixCurrencyExchangeRate* row, int id, bool last) override;

private:
    void Record(Event event);
};

class MdRecorder : public CMDApiCallback
{
public:
    EventLog log;
    std::atomic<bool> released{false};
    std::atomic<int> lateCalls{0};
    std::atomic<int> ticks{0};

    void OnConnect() override;
    bool OnConnectFailed(int error, const char* text) override;
    bool OnDisconnect(int reason) override;
    void OnRspUserLogin(const sFFixRspUserLogin* rsp, const sFFixRspInfo* info, int id, bool last) override;
    void OnRspSubscribeMarketData(const int* ids, int count, const sFFixRspInfo* info, int id,
                                  bool last) override;
    void OnRspQrySymbolInfo(const sFFixRspQrySymbolInfo* row, int id, bool last) override;
    void OnNtfMarketData(const sFFixMarketData* value, int, int) override;

private:
    void Record(Event event);
};
