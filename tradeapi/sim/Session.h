#pragma once
// One client connection to a front: reads frames, hands them to its host,
// writes answers and pushes in the order they were queued. Heartbeats are
// answered here and never reach the host; a muted session reads and sends
// nothing on to anyone (a front that has hung).
#include "Frame.h"

#include <array>
#include <boost/asio.hpp>
#include <chrono>
#include <deque>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace simmarket {

enum class FrontKind { Trade, MarketData };

class Session;

class SessionHost
{
public:
    virtual void OnSessionFrame(const std::shared_ptr<Session>& session,
                                const tradeapi::wire::Frame& frame) = 0;
    virtual void OnSessionClosed(Session& session) = 0;
    // A frame with a request id (an answer) is being sent.
    virtual void OnSessionAnswer(Session& session, const std::vector<uint8_t>& frame) = 0;

protected:
    ~SessionHost() = default;
};

class Session : public std::enable_shared_from_this<Session>
{
public:
    Session(boost::asio::ip::tcp::socket socket, int id, std::string frontName, FrontKind kind,
            SessionHost& host);

    void Start();
    void Send(std::vector<uint8_t> bytes);
    // Closes at once; queued writes are dropped.
    void Close();
    // Closes once everything queued so far has been written.
    void CloseAfterFlush();
    // Sends a heartbeat when nothing went out for a while; closes a session
    // from which nothing arrived for too long. Called every kLinkCheckMs.
    void CheckLink(std::chrono::steady_clock::time_point now);
    void SetMuted(bool muted) { m_muted = muted; }
    bool IsMuted() const { return m_muted; }

    int Id() const { return m_id; }
    FrontKind Kind() const { return m_kind; }
    const std::string& FrontName() const { return m_frontName; }
    bool IsOpen() const { return m_open; }
    std::string PeerAddress() const;

    // Set by the login handler; 0 until a login succeeds.
    int userId = 0;
    std::string login;
    // Market-data subscriptions.
    std::set<int> subscribed;

private:
    void Read();
    void Write();
    void Queue(std::vector<uint8_t> bytes);

    boost::asio::ip::tcp::socket m_socket;
    int m_id;
    std::string m_frontName;
    FrontKind m_kind;
    SessionHost& m_host;
    tradeapi::wire::FrameReader m_reader;
    std::array<uint8_t, 16384> m_buffer{};
    std::deque<std::vector<uint8_t>> m_queue;
    bool m_open = true;
    bool m_closeWhenFlushed = false;
    bool m_muted = false;
    std::chrono::steady_clock::time_point m_lastSent = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point m_lastReceived = std::chrono::steady_clock::now();
};

} // namespace simmarket
