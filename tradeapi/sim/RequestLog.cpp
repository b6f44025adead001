#include "RequestLog.h"

#include "RequestFields.h"
#include "WireCodes.h"
#include "tradeapi/FFixCommon.h"

#include <chrono>
#include <cstring>

namespace simmarket {

using nlohmann::json;
using namespace tradeapi::wire;

namespace {

int64_t WallClockMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

bool ErrorIdOf(const std::vector<uint8_t>& frame, std::size_t offset, int& errorId)
{
    if(frame.size() < sizeof(FrameHeader) + offset + sizeof(sFFixRspInfo))
        return false;
    sFFixRspInfo info;
    std::memcpy(&info, frame.data() + sizeof(FrameHeader) + offset, sizeof info);
    errorId = info.errorId;
    return true;
}

} // namespace

int64_t RequestLog::Add(Entry entry)
{
    entry.seq = ++m_lastSeq;
    entry.json["seq"] = entry.seq;
    entry.json["timeMs"] = WallClockMs();
    m_entries.push_back(std::move(entry));
    while(m_entries.size() > kCapacity)
        m_entries.pop_front();
    return m_lastSeq;
}

RequestLog::Entry* RequestLog::Find(int64_t seq)
{
    if(m_entries.empty() || seq < m_entries.front().seq || seq > m_entries.back().seq)
        return nullptr;
    Entry& entry = m_entries[static_cast<std::size_t>(seq - m_entries.front().seq)];
    return entry.seq == seq ? &entry : nullptr;
}

int64_t RequestLog::AddFrame(const Session& session, const Frame& frame, AnswerShape shape)
{
    Entry entry;
    entry.shape = shape;
    entry.sessionId = session.Id();
    entry.requestId = frame.header.requestId;
    entry.open = true;
    json fields = RequestFieldsJson(frame);
    entry.json = {{"kind", "frame"},
                  {"front", session.FrontName()},
                  {"session", session.Id()},
                  {"user", session.login},
                  {"code", frame.header.code},
                  {"request", RequestName(frame.header.code)},
                  {"requestId", frame.header.requestId},
                  {"account", fields.contains("accountKey") ? fields["accountKey"] : json()},
                  {"fields", std::move(fields)},
                  {"fault", nullptr},
                  {"answerCode", nullptr},
                  {"errorId", nullptr}};
    if(shape == AnswerShape::Rows)
        entry.json["rows"] = 0;
    std::lock_guard<std::mutex> lock(m_mutex);
    return Add(std::move(entry));
}

void RequestLog::SetFault(int64_t seq, const std::string& fault)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if(Entry* entry = Find(seq)) {
        entry->json["fault"] = fault;
        // A delayed or failed request is still answered.
        entry->open = fault == "delay" || fault == "fail";
    }
}

void RequestLog::OnAnswer(int sessionId, const std::vector<uint8_t>& frame)
{
    if(frame.size() < sizeof(FrameHeader))
        return;
    FrameHeader header;
    std::memcpy(&header, frame.data(), sizeof header);
    std::lock_guard<std::mutex> lock(m_mutex);
    // The newest open entry of that request: ids are unique per client.
    Entry* entry = nullptr;
    for(auto it = m_entries.rbegin(); it != m_entries.rend(); ++it)
        if(it->open && it->sessionId == sessionId && it->requestId == header.requestId) {
            entry = &*it;
            break;
        }
    if(!entry)
        return;
    json& j = entry->json;
    const bool first = j["answerCode"].is_null();
    if(first)
        j["answerCode"] = header.code;
    int errorId = 0;
    if(header.code == kRspError) {
        if(ErrorIdOf(frame, 0, errorId))
            j["errorId"] = errorId;
        entry->open = false;
        return;
    }
    switch(entry->shape) {
    case AnswerShape::Rows:
        if(!(header.flags & kFlagNoRows))
            j["rows"] = j["rows"].get<int>() + 1;
        if(first)
            j["errorId"] = 0;
        if(header.flags & (kFlagLast | kFlagNoRows))
            entry->open = false;
        break;
    case AnswerShape::Answer:
        if(first && header.length >= sizeof(sFFixRspInfo) &&
           ErrorIdOf(frame, header.length - sizeof(sFFixRspInfo), errorId))
            j["errorId"] = errorId;
        entry->open = false;
        break;
    case AnswerShape::Plain:
    case AnswerShape::Subscribe:
        if(first && ErrorIdOf(frame, 0, errorId))
            j["errorId"] = errorId;
        entry->open = false;
        break;
    }
}

int64_t RequestLog::AddHttp(const std::string& route, const std::string& method, const std::string& path,
                            const std::string& query, const std::string& body, const std::string& fault)
{
    Entry entry;
    entry.json = {{"kind", "http"},
                  {"route", route},
                  {"method", method},
                  {"path", path},
                  {"query", query},
                  {"body", body},
                  {"fault", fault.empty() ? json() : json(fault)},
                  {"status", nullptr}};
    std::lock_guard<std::mutex> lock(m_mutex);
    return Add(std::move(entry));
}

void RequestLog::SetHttpStatus(int64_t seq, int status)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if(Entry* entry = Find(seq))
        entry->json["status"] = status;
}

json RequestLog::Json(int64_t afterSeq) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    json list = json::array();
    for(const Entry& entry : m_entries)
        if(entry.seq > afterSeq)
            list.push_back(entry.json);
    return list;
}

int64_t RequestLog::LastSeq() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lastSeq;
}

} // namespace simmarket
