#pragma once
// The last requests the market received, for tests to see what a client
// sent: every request frame of the fronts (with the answer it got) and every
// request of the HTTP services. Written from the market's I/O thread and
// from the HTTP worker threads, read by /admin/state; the entries' members
// are listed in AdminApi.md.
#include "RequestRouter.h"

#include <cstdint>
#include <deque>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>

namespace simmarket {

class RequestLog
{
public:
    // Entries kept; the oldest go first.
    static constexpr std::size_t kCapacity = 2000;

    // A request frame as the router received it; returns its sequence number.
    int64_t AddFrame(const Session& session, const tradeapi::wire::Frame& frame, AnswerShape shape);
    // What the router did instead of the handler: "swallow", "delay",
    // "fail" or "muted".
    void SetFault(int64_t seq, const std::string& fault);
    // An answer frame a session sends: fills the open entry of its request.
    void OnAnswer(int sessionId, const std::vector<uint8_t>& frame);

    // A request of an HTTP service route (path as received, raw query) and
    // the fault it meets ("" for none); the status follows once answered.
    int64_t AddHttp(const std::string& route, const std::string& method, const std::string& path,
                    const std::string& query, const std::string& body, const std::string& fault);
    void SetHttpStatus(int64_t seq, int status);

    // Every entry, oldest first; only those after `afterSeq` when given.
    nlohmann::json Json(int64_t afterSeq = 0) const;
    int64_t LastSeq() const;

private:
    struct Entry
    {
        int64_t seq = 0;
        nlohmann::json json;
        AnswerShape shape = AnswerShape::Plain;
        int sessionId = 0;
        int32_t requestId = 0;
        bool open = false; // a frame request still waiting for (more of) its answer
    };

    int64_t Add(Entry entry);
    Entry* Find(int64_t seq);

    mutable std::mutex m_mutex;
    std::deque<Entry> m_entries;
    int64_t m_lastSeq = 0;
};

} // namespace simmarket
