#pragma once
// One listening port on loopback. Refusing closes the listener, so clients get
// "connection refused"; accepting again reopens it on the same port.
#include "Session.h"

#include <boost/asio.hpp>
#include <functional>
#include <string>

namespace simmarket {

class Front
{
public:
    using AcceptFn = std::function<void(boost::asio::ip::tcp::socket, Front&)>;

    Front(boost::asio::io_context& io, std::string name, FrontKind kind, AcceptFn onAccept);

    // Port 0 picks a free port; throws on failure.
    void Open(unsigned short port);
    void Refuse();
    void Accept();
    void Close();

    const std::string& Name() const { return m_name; }
    FrontKind Kind() const { return m_kind; }
    unsigned short Port() const { return m_port; }
    bool Refusing() const { return !m_acceptor.is_open(); }
    bool Muted() const { return m_muted; }
    void SetMuted(bool muted) { m_muted = muted; }

private:
    void StartAccept();

    boost::asio::io_context& m_io;
    std::string m_name;
    FrontKind m_kind;
    AcceptFn m_onAccept;
    boost::asio::ip::tcp::acceptor m_acceptor;
    unsigned short m_port = 0;
    bool m_muted = false;
};

} // namespace simmarket
