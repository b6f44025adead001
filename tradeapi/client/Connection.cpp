#include "Connection.h"

#include "LinkTimes.h"
#include "WireCodes.h"
#include "tradeapi/TradeApi.h"

#include <cstring>

namespace tradeapi::client {

namespace asio = boost::asio;
using asio::ip::tcp;
using Clock = std::chrono::steady_clock;

bool SplitAddress(const std::string& address, std::string& host, std::string& port)
{
    std::string rest = address;
    const auto scheme = rest.find("://");
    if(scheme != std::string::npos)
        rest = rest.substr(scheme + 3);
    while(!rest.empty() && rest.back() == '/')
        rest.pop_back();
    const auto colon = rest.rfind(':');
    if(colon == std::string::npos || colon == 0 || colon + 1 == rest.size())
        return false;
    host = rest.substr(0, colon);
    port = rest.substr(colon + 1);
    if(host.size() > 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    for(char c : port)
        if(c < '0' || c > '9')
            return false;
    return port.size() <= 5 && std::stoi(port) > 0 && std::stoi(port) < 65536;
}

Connection::Connection(ConnectionListener& listener)
    : m_listener(listener), m_work(asio::make_work_guard(m_io)), m_resolver(m_io), m_socket(m_io),
      m_timer(m_io), m_linkTimer(m_io)
{
    m_thread = std::thread([this] { m_io.run(); });
}

Connection::~Connection()
{
    Stop();
}

void Connection::Stop()
{
    m_connected = false;
    m_work.reset();
    m_io.stop();
    if(m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id())
        m_thread.join();
}

void Connection::Connect(const std::string& address)
{
    asio::post(m_io, [this, address] {
        m_address = address;
        if(m_state == State::Connected)
            CloseLink(kDisconnectByClient);
        else if(m_state != State::Idle)
            CancelAttempt();
        StartConnecting();
    });
}

void Connection::SetAddress(const std::string& address)
{
    asio::post(m_io, [this, address] { m_address = address; });
}

void Connection::ReConnect(int delayMs)
{
    asio::post(m_io, [this, delayMs] {
        if(m_state == State::Connected)
            CloseLink(kDisconnectByClient);
        else if(m_state != State::Idle)
            CancelAttempt();
        m_state = State::Waiting;
        const unsigned generation = ++m_generation;
        m_timer.expires_after(std::chrono::milliseconds(delayMs > 0 ? delayMs : 0));
        m_timer.async_wait([this, generation](const boost::system::error_code& ec) {
            if(ec || generation != m_generation)
                return;
            StartConnecting();
        });
    });
}

void Connection::Disconnect()
{
    asio::post(m_io, [this] {
        if(m_state == State::Connected)
            CloseLink(kDisconnectByClient);
        else if(m_state != State::Idle)
            CancelAttempt();
    });
}

bool Connection::Send(std::vector<uint8_t> frame, bool awaitAnswer)
{
    if(!m_connected)
        return false;
    asio::post(m_io, [this, awaitAnswer, frame = std::move(frame)]() mutable {
        if(m_state != State::Connected)
            return;
        if(awaitAnswer && frame.size() >= sizeof(wire::FrameHeader)) {
            wire::FrameHeader header;
            std::memcpy(&header, frame.data(), sizeof header);
            m_awaitedRequestId = header.requestId;
            m_answerDeadline = Clock::now() + std::chrono::milliseconds(wire::kLoginAnswerLimitMs);
        }
        Queue(std::move(frame));
    });
    return true;
}

void Connection::Queue(std::vector<uint8_t> frame)
{
    m_lastSent = Clock::now();
    m_writeQueue.push_back(std::move(frame));
    if(m_writeQueue.size() == 1)
        StartWrite(m_generation);
}

void Connection::StartLinkCheck(unsigned generation)
{
    m_linkTimer.expires_after(std::chrono::milliseconds(wire::kLinkCheckMs));
    m_linkTimer.async_wait([this, generation](const boost::system::error_code& ec) {
        if(ec || generation != m_generation)
            return;
        CheckLink();
        if(generation == m_generation)
            StartLinkCheck(generation);
    });
}

void Connection::CheckLink()
{
    const auto now = Clock::now();
    if(now - m_lastReceived >= std::chrono::milliseconds(wire::kSilenceLimitMs)) {
        CloseLink(kDisconnectSilent);
        return;
    }
    if(m_awaitedRequestId != 0 && now >= m_answerDeadline) {
        CloseLink(kDisconnectLoginTimeout);
        return;
    }
    if(now - m_lastSent >= std::chrono::milliseconds(wire::kHeartbeatIntervalMs))
        Queue(wire::EncodeFrame(wire::kCtlHeartbeat, 0, 0, nullptr, 0));
}

void Connection::StartConnecting()
{
    m_state = State::Connecting;
    const unsigned generation = ++m_generation;
    std::string host, port;
    if(!SplitAddress(m_address, host, port)) {
        FinishAttempt(kConnectBadAddress, "bad address: " + m_address);
        return;
    }
    m_resolver.async_resolve(
        host, port,
        [this, generation](const boost::system::error_code& ec, tcp::resolver::results_type results) {
            if(generation != m_generation)
                return;
            if(ec) {
                FinishAttempt(ec.value(), ec.message());
                return;
            }
            asio::async_connect(
                m_socket, results,
                [this, generation](const boost::system::error_code& ec2, const tcp::endpoint&) {
                    if(generation != m_generation)
                        return;
                    if(ec2) {
                        boost::system::error_code ignored;
                        m_socket.close(ignored);
                        FinishAttempt(ec2.value(), ec2.message());
                        return;
                    }
                    boost::system::error_code ignored;
                    m_socket.set_option(tcp::no_delay(true), ignored);
                    m_state = State::Connected;
                    m_reader = wire::FrameReader();
                    m_lastSent = m_lastReceived = Clock::now();
                    m_awaitedRequestId = 0;
                    m_connected = true;
                    m_listener.OnLinkUp();
                    if(generation != m_generation)
                        return; // the listener ended the link at once
                    StartRead(generation);
                    StartLinkCheck(generation);
                });
        });
}

void Connection::FinishAttempt(int error, const std::string& text)
{
    ++m_generation;
    m_state = State::Idle;
    m_listener.OnLinkFailed(error, text);
}

void Connection::CancelAttempt()
{
    m_timer.cancel();
    m_resolver.cancel();
    boost::system::error_code ignored;
    m_socket.close(ignored);
    FinishAttempt(kConnectCancelled, "connection attempt cancelled");
}

void Connection::CloseLink(int reason)
{
    ++m_generation;
    m_connected = false;
    m_state = State::Idle;
    m_writeQueue.clear();
    m_awaitedRequestId = 0;
    m_linkTimer.cancel();
    boost::system::error_code ignored;
    m_socket.shutdown(tcp::socket::shutdown_both, ignored);
    m_socket.close(ignored);
    m_listener.OnLinkDown(reason);
}

void Connection::StartRead(unsigned generation)
{
    m_socket.async_read_some(
        asio::buffer(m_readBuffer), [this, generation](const boost::system::error_code& ec, std::size_t n) {
            if(generation != m_generation)
                return;
            if(ec) {
                CloseLink(ec == asio::error::eof ? kDisconnectByPeer : kDisconnectIoError);
                return;
            }
            m_lastReceived = Clock::now();
            m_reader.Append(m_readBuffer.data(), n);
            wire::Frame frame;
            while(m_reader.Next(frame)) {
                if(frame.header.code == wire::kCtlHeartbeat)
                    continue;
                if(m_awaitedRequestId != 0 && frame.header.requestId == m_awaitedRequestId)
                    m_awaitedRequestId = 0;
                if(!m_listener.OnFrame(frame)) {
                    CloseLink(kDisconnectBadFrame);
                    return;
                }
                if(generation != m_generation)
                    return;
            }
            if(!m_reader.Error().empty()) {
                CloseLink(kDisconnectBadFrame);
                return;
            }
            StartRead(generation);
        });
}

void Connection::StartWrite(unsigned generation)
{
    asio::async_write(m_socket, asio::buffer(m_writeQueue.front()),
                      [this, generation](const boost::system::error_code& ec, std::size_t) {
                          if(generation != m_generation)
                              return;
                          if(ec) {
                              CloseLink(kDisconnectIoError);
                              return;
                          }
                          m_writeQueue.pop_front();
                          if(!m_writeQueue.empty())
                              StartWrite(generation);
                      });
}

} // namespace tradeapi::client
