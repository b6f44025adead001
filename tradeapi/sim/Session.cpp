#include "Session.h"

#include "LinkTimes.h"
#include "WireCodes.h"

#include <cstring>

namespace simmarket {

namespace asio = boost::asio;
using namespace tradeapi::wire;

Session::Session(asio::ip::tcp::socket socket, int id, std::string frontName, FrontKind kind,
                 SessionHost& host)
    : m_socket(std::move(socket)), m_id(id), m_frontName(std::move(frontName)), m_kind(kind), m_host(host)
{}

void Session::Start()
{
    boost::system::error_code ignored;
    m_socket.set_option(asio::ip::tcp::no_delay(true), ignored);
    Read();
}

std::string Session::PeerAddress() const
{
    boost::system::error_code ec;
    const auto endpoint = m_socket.remote_endpoint(ec);
    return ec ? std::string() : endpoint.address().to_string();
}

void Session::Send(std::vector<uint8_t> bytes)
{
    if(!m_open || m_closeWhenFlushed || m_muted)
        return;
    if(bytes.size() >= sizeof(FrameHeader)) {
        FrameHeader header;
        std::memcpy(&header, bytes.data(), sizeof header);
        if(header.requestId != 0)
            m_host.OnSessionAnswer(*this, bytes);
    }
    Queue(std::move(bytes));
}

void Session::Queue(std::vector<uint8_t> bytes)
{
    m_lastSent = std::chrono::steady_clock::now();
    m_queue.push_back(std::move(bytes));
    if(m_queue.size() == 1)
        Write();
}

void Session::CheckLink(std::chrono::steady_clock::time_point now)
{
    if(!m_open)
        return;
    if(now - m_lastReceived >= std::chrono::milliseconds(kSilenceLimitMs)) {
        Close();
        return;
    }
    if(!m_muted && !m_closeWhenFlushed && now - m_lastSent >= std::chrono::milliseconds(kHeartbeatIntervalMs))
        Queue(EncodeFrame(kCtlHeartbeat, 0, 0, nullptr, 0));
}

void Session::Close()
{
    if(!m_open)
        return;
    m_open = false;
    m_queue.clear();
    boost::system::error_code ignored;
    m_socket.shutdown(asio::ip::tcp::socket::shutdown_both, ignored);
    m_socket.close(ignored);
    m_host.OnSessionClosed(*this);
}

void Session::CloseAfterFlush()
{
    if(m_queue.empty())
        Close();
    else
        m_closeWhenFlushed = true;
}

void Session::Read()
{
    auto self = shared_from_this();
    m_socket.async_read_some(asio::buffer(m_buffer),
                             [this, self](const boost::system::error_code& ec, std::size_t n) {
                                 if(!m_open)
                                     return;
                                 if(ec) {
                                     Close();
                                     return;
                                 }
                                 m_lastReceived = std::chrono::steady_clock::now();
                                 m_reader.Append(m_buffer.data(), n);
                                 Frame frame;
                                 while(m_open && m_reader.Next(frame))
                                     if(frame.header.code != kCtlHeartbeat)
                                         m_host.OnSessionFrame(self, frame);
                                 if(!m_reader.Error().empty()) {
                                     // A broken header leaves no way to find the next frame.
                                     Close();
                                     return;
                                 }
                                 if(m_open)
                                     Read();
                             });
}

void Session::Write()
{
    auto self = shared_from_this();
    asio::async_write(m_socket, asio::buffer(m_queue.front()),
                      [this, self](const boost::system::error_code& ec, std::size_t) {
                          if(!m_open)
                              return;
                          if(ec) {
                              Close();
                              return;
                          }
                          m_queue.pop_front();
                          if(!m_queue.empty())
                              Write();
                          else if(m_closeWhenFlushed)
                              Close();
                      });
}

} // namespace simmarket
