#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

// Loopback sockets that answer HTTP badly on purpose: a silent server (the
// connection is accepted into the backlog and never answered) or a port that
// refuses connections.
//
//     TestSocket silent(true);
//     servers.Add(silent.Base()); // "http://127.0.0.1:<port>"
class TestSocket
{
public:
    // listen: accept connections into the backlog and never read or answer
    // them (a silent server); otherwise a bound port that refuses connections.
    explicit TestSocket(bool listen)
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        socklen_t length = sizeof(address);
        if(m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
           ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
           (listen && ::listen(m_fd, 16) != 0)) {
            return;
        }
        m_port = ntohs(address.sin_port);
    }
    ~TestSocket()
    {
        if(m_fd >= 0) {
            ::close(m_fd);
        }
    }
    TestSocket(const TestSocket&) = delete;
    TestSocket& operator=(const TestSocket&) = delete;

    int Port() const { return m_port; }
    std::string Base() const { return "http://127.0.0.1:" + std::to_string(m_port); }

private:
    int m_fd = -1;
    int m_port = -1;
};
