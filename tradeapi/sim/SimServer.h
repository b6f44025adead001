#pragma once
// The market's network side and shared state: the fronts, the live sessions,
// the request table, the clock and the market records, with the helpers the
// services use to push to a user's sessions. Everything runs on one I/O
// thread, so the state needs no locks.
#include "Front.h"
#include "MarketState.h"
#include "PeriodicTask.h"
#include "Replies.h"
#include "RequestLog.h"
#include "RequestRouter.h"
#include "RowBuilder.h"
#include "SimClock.h"

#include <atomic>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <vector>

namespace simmarket {

class SimServer : private SessionHost
{
public:
    explicit SimServer(boost::asio::io_context& io);

    // Ports of trade1, trade2 and md (0 = free port); throws on failure.
    void Open(const std::vector<unsigned short>& ports);
    void Close();

    boost::asio::io_context& Io() { return m_io; }
    SimClock& Clock() { return m_clock; }
    MarketState& State() { return m_state; }
    RowBuilder& Rows() { return m_rows; }
    RequestRouter& Router() { return m_router; }
    RequestLog& Log() { return m_log; }

    // The HTTP port, once the HTTP side listens: pushed page addresses
    // carry it. Set from the thread that starts the HTTP side.
    void SetHttpPort(unsigned short port) { m_httpPort = port; }
    // "http://127.0.0.1:<port>"
    std::string HttpBase() const;

    Front* FindFront(const std::string& name);
    std::vector<unsigned short> Ports() const;
    // Closes every session accepted by the front.
    void DropFront(const std::string& name);
    // A muted front keeps its connections, old and new, open but says
    // nothing and answers nothing until it is unmuted.
    void MuteFront(const std::string& name, bool muted);
    // Logged-in sessions of a user on one kind of front.
    std::vector<std::shared_ptr<Session>> SessionsOf(int userId, FrontKind kind) const;
    std::vector<std::shared_ptr<Session>> AllSessions() const;

    template <class T> void PushToUser(int userId, uint32_t code, const T& value)
    {
        for(const auto& session : SessionsOf(userId, FrontKind::Trade))
            SendNtf(*session, code, value);
    }
    // Raw push of an already built structure; false when no session got it.
    bool PushBytes(int userId, FrontKind kind, uint32_t code, const std::vector<uint8_t>& body);

    nlohmann::json SessionsJson() const;
    nlohmann::json FrontsJson() const;
    // Request codes every client library refuses locally from now on; sent to
    // the open sessions and to each new one.
    void SetRefusedRequests(const std::vector<int32_t>& requestCodes);

private:
    void OnAccept(boost::asio::ip::tcp::socket socket, Front& front);
    void OnSessionFrame(const std::shared_ptr<Session>& session, const tradeapi::wire::Frame& frame) override;
    void OnSessionClosed(Session& session) override;
    void OnSessionAnswer(Session& session, const std::vector<uint8_t>& frame) override;
    void CheckLinks();

    boost::asio::io_context& m_io;
    SimClock m_clock;
    MarketState m_state;
    RowBuilder m_rows;
    RequestLog m_log;
    RequestRouter m_router;
    PeriodicTask m_linkCheck;
    std::vector<std::unique_ptr<Front>> m_fronts;
    std::map<int, std::shared_ptr<Session>> m_sessions;
    int m_lastSessionId = 0;
    std::vector<int32_t> m_refusedRequests;
    std::atomic<unsigned short> m_httpPort{0};
};

} // namespace simmarket
