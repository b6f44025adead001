#pragma once
// One TCP link to a market front with its own I/O thread. Every public
// operation may be called from any thread; the listener is called only on the
// I/O thread, and never after Stop() returns. The link keeps itself alive
// with heartbeats and closes itself when the market falls silent or a login
// goes unanswered (LinkTimes.h).
#include "Frame.h"

#include <array>
#include <atomic>
#include <boost/asio.hpp>
#include <chrono>
#include <cstdint>
#include <deque>
#include <string>
#include <thread>
#include <vector>

namespace tradeapi::client {

class ConnectionListener
{
public:
    virtual void OnLinkUp() = 0;
    virtual void OnLinkFailed(int error, const std::string& text) = 0;
    virtual void OnLinkDown(int reason) = 0;
    // False when the frame does not fit its code: the link is then closed.
    virtual bool OnFrame(const wire::Frame& frame) = 0;

protected:
    ~ConnectionListener() = default;
};

class Connection
{
public:
    explicit Connection(ConnectionListener& listener);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void Connect(const std::string& address);
    void SetAddress(const std::string& address);
    void ReConnect(int delayMs);
    // Ends an attempt (reported as failed) or the link (reported as down).
    void Disconnect();
    // False when no link is up; the frame is then dropped. With awaitAnswer
    // the link closes (kDisconnectLoginTimeout) unless a frame with the
    // request's id arrives within the login answer limit.
    bool Send(std::vector<uint8_t> frame, bool awaitAnswer = false);
    // Stops and joins the I/O thread; no listener call follows.
    void Stop();

private:
    enum class State { Idle, Waiting, Connecting, Connected };

    void StartConnecting();
    void FinishAttempt(int error, const std::string& text);
    void CancelAttempt();
    void CloseLink(int reason);
    void StartRead(unsigned generation);
    void StartWrite(unsigned generation);
    void Queue(std::vector<uint8_t> frame);
    void StartLinkCheck(unsigned generation);
    void CheckLink();

    ConnectionListener& m_listener;
    boost::asio::io_context m_io;
    boost::asio::executor_work_guard<boost::asio::io_context::executor_type> m_work;
    boost::asio::ip::tcp::resolver m_resolver;
    boost::asio::ip::tcp::socket m_socket;
    boost::asio::steady_timer m_timer;
    boost::asio::steady_timer m_linkTimer;
    std::atomic<bool> m_connected{false};
    // I/O thread only from here on.
    State m_state = State::Idle;
    std::string m_address;
    unsigned m_generation = 0; // bumped to orphan the handlers of an old attempt
    wire::FrameReader m_reader;
    std::array<uint8_t, 16384> m_readBuffer{};
    std::deque<std::vector<uint8_t>> m_writeQueue;
    std::chrono::steady_clock::time_point m_lastSent;
    std::chrono::steady_clock::time_point m_lastReceived;
    int32_t m_awaitedRequestId = 0; // 0: no answer awaited
    std::chrono::steady_clock::time_point m_answerDeadline;
    std::thread m_thread;
};

// "host:port", optionally with a scheme ("tcp://host:port"); false otherwise.
bool SplitAddress(const std::string& address, std::string& host, std::string& port);

} // namespace tradeapi::client
