#include "Front.h"

namespace simmarket {

namespace asio = boost::asio;
using asio::ip::tcp;

Front::Front(asio::io_context& io, std::string name, FrontKind kind, AcceptFn onAccept)
    : m_io(io), m_name(std::move(name)), m_kind(kind), m_onAccept(std::move(onAccept)), m_acceptor(io)
{}

void Front::Open(unsigned short port)
{
    const tcp::endpoint endpoint(asio::ip::address_v4::loopback(), port);
    m_acceptor.open(endpoint.protocol());
    m_acceptor.set_option(tcp::acceptor::reuse_address(true));
    m_acceptor.bind(endpoint);
    m_acceptor.listen();
    m_port = m_acceptor.local_endpoint().port();
    StartAccept();
}

void Front::Refuse()
{
    boost::system::error_code ignored;
    m_acceptor.close(ignored);
}

void Front::Accept()
{
    if(!m_acceptor.is_open())
        Open(m_port);
}

void Front::Close()
{
    Refuse();
}

void Front::StartAccept()
{
    m_acceptor.async_accept([this](const boost::system::error_code& ec, tcp::socket socket) {
        if(ec == asio::error::operation_aborted || !m_acceptor.is_open())
            return;
        if(!ec)
            m_onAccept(std::move(socket), *this);
        StartAccept();
    });
}

} // namespace simmarket
