#include "EventLog.h"

#include <algorithm>

void EventLog::Add(Event event)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_events.push_back(std::move(event));
    }
    m_changed.notify_all();
}

std::optional<Event> EventLog::WaitFor(const std::function<bool(const Event&)>& match, std::size_t from,
                                       int timeoutMs)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::size_t next = from;
    for(;;) {
        for(; next < m_events.size(); ++next)
            if(match(m_events[next]))
                return m_events[next];
        if(m_changed.wait_until(lock, deadline) == std::cv_status::timeout) {
            for(; next < m_events.size(); ++next)
                if(match(m_events[next]))
                    return m_events[next];
            return std::nullopt;
        }
    }
}

std::optional<Event> EventLog::WaitCode(int code, std::size_t from, int timeoutMs)
{
    return WaitFor([code](const Event& e) { return e.code == code; }, from, timeoutMs);
}

std::vector<Event> EventLog::Snapshot() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_events;
}

std::size_t EventLog::Size() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_events.size();
}

namespace {

template <class T> Event Row(int code, const T* row, int id, bool last)
{
    Event e;
    e.code = code;
    e.requestId = id;
    e.last = last;
    e.noRows = row == nullptr;
    if(row)
        e.row.assign(reinterpret_cast<const uint8_t*>(row),
                     reinterpret_cast<const uint8_t*>(row) + sizeof(T));
    return e;
}

template <class T> Event Answer(int code, const T* echo, const sFFixRspInfo* info, int id)
{
    Event e = Row(code, echo, id, true);
    e.hasInfo = info != nullptr;
    if(info)
        e.info = *info;
    return e;
}

template <class T> Event Push(int code, const T* value)
{
    return Row(code, value, 0, false);
}

Event Simple(int code, int value, const std::string& text = "")
{
    Event e;
    e.code = code;
    e.value = value;
    e.text = text;
    return e;
}

} // namespace

void TradeRecorder::Record(Event event)
{
    if(released)
        ++lateCalls;
    log.Add(std::move(event));
}

void TradeRecorder::OnConnect()
{
    Record(Simple(100, 0));
}
bool TradeRecorder::OnConnectFailed(int error, const char* text)
{
    Record(Simple(101, error, text ? text : ""));
    return false;
}
bool TradeRecorder::OnDisconnect(int reason)
{
    Record(Simple(102, reason));
    return false;
}
void TradeRecorder::OnErrorRsp(const sFFixRspInfo* info, int id, bool)
{
    Record(Answer<sFFixRspInfo>(1, nullptr, info, id));
}
void TradeRecorder::OnRspUserLogin(const sFFixRspUserLogin* rsp, const sFFixRspInfo* info, int id, bool)
{
    Record(Answer(10002, rsp, info, id));
}
void TradeRecorder::OnRspQrySymbolInfo(const sFFixRspQrySymbolInfo* row, int id, bool last)
{
    Record(Row(1004, row, id, last));
}
void TradeRecorder::OnNtfUserId(const sFFixUserId* value, int, int)
{
    Record(Push(1005, value));
}
void TradeRecorder::OnRspQryAccount(const sFFixRspQryAccount* row, int id, bool last)
{
    Record(Row(1007, row, id, last));
}
void TradeRecorder::OnRspSetOrder(const sFFixSetOrder* echo, const sFFixRspInfo* info, int id, bool)
{
    Record(Answer(1009, echo, info, id));
}
void TradeRecorder::OnNtfTrade(const sFFixTrade* value, int, int)
{
    Record(Push(1010, value));
}
void TradeRecorder::OnRspQryPosition(const sFFixPosition* row, int id, bool last)
{
    Record(Row(1013, row, id, last));
}
void TradeRecorder::OnRspQryHoldDetail(const sFFixHoldDetail* row, int id, bool last)
{
    Record(Row(1015, row, id, last));
}
void TradeRecorder::OnNtfMoneyChanged(const sFFixMoney* value, int, int)
{
    Record(Push(1016, value));
}
void TradeRecorder::OnNtfPosition(const sFFixPosition* value, int, int)
{
    Record(Push(1017, value));
}
void TradeRecorder::OnNtfHoldDetail(const sFFixHoldDetail* value, int, int)
{
    Record(Push(1018, value));
}
void TradeRecorder::OnNtfCloseBill(const sFFixCloseBill* value, int, int)
{
    Record(Push(1021, value));
}
void TradeRecorder::OnNtfLimitOrder(const sFFixLimitOrder* value, int, int)
{
    Record(Push(1022, value));
}
void TradeRecorder::OnRspCancelOrder(const sFFixCancelOrder* echo, const sFFixRspInfo* info, int id, bool)
{
    Record(Answer(1026, echo, info, id));
}
void TradeRecorder::OnRspModifyOrder(const sFFixModifyOrder* echo, const sFFixRspInfo* info, int id, bool)
{
    Record(Answer(1028, echo, info, id));
}
void TradeRecorder::OnRspQryDeliveryOrder(const sFFixDeliveryOrder* row, int id, bool last)
{
    Record(Row(1057, row, id, last));
}
void TradeRecorder::OnRspPositionCloseOrder(const sFFixPositionCloseOrder* echo, const sFFixRspInfo* info,
                                            int id, bool)
{
    Record(Answer(1053, echo, info, id));
}
void TradeRecorder::OnNtfCurrencyExchangeRate(const sFFixCurrencyExchangeRate* value, int, int)
{
    Record(Push(1034, value));
}
void TradeRecorder::OnRspQryCurrencyExchangeRate(const sFFixCurrencyExchangeRate* row, int id, bool last)
{
    Record(Row(1033, row, id, last));
}

void MdRecorder::Record(Event event)
{
    if(released)
        ++lateCalls;
    log.Add(std::move(event));
}

void MdRecorder::OnConnect()
{
    Record(Simple(100, 0));
}
bool MdRecorder::OnConnectFailed(int error, const char* text)
{
    Record(Simple(101, error, text ? text : ""));
    return false;
}
bool MdRecorder::OnDisconnect(int reason)
{
    Record(Simple(102, reason));
    return false;
}
void MdRecorder::OnRspUserLogin(const sFFixRspUserLogin* rsp, const sFFixRspInfo* info, int id, bool)
{
    Record(Answer(10002, rsp, info, id));
}
void MdRecorder::OnRspSubscribeMarketData(const int* ids, int count, const sFFixRspInfo* info, int id, bool)
{
    Event e = Answer<sFFixRspInfo>(1031, nullptr, info, id);
    e.ids.assign(ids, ids + count);
    Record(std::move(e));
}
void MdRecorder::OnRspQrySymbolInfo(const sFFixRspQrySymbolInfo* row, int id, bool last)
{
    Record(Row(1004, row, id, last));
}
void MdRecorder::OnNtfMarketData(const sFFixMarketData* value, int, int)
{
    ++ticks;
    Record(Push(1029, value));
}
