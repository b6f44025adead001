#pragma once

#include <chrono>
#include <httplib.h>
#include <string>
#include <thread>

// A cpp-httplib server on a free loopback port, serving on its own thread
// for the lifetime of the object. Register routes through server() before
// Start(). Programs that use it link cpp-httplib (CPP_HTTPLIB_LIBRARY).
//
//     LoopbackHttpServer http;
//     http.server().Get("/bars", [](const httplib::Request&, httplib::Response& res) {
//         res.set_content("[1,2,3]", "application/json");
//     });
//     http.Start();
//     const std::string url = http.Url("/bars"); // http://127.0.0.1:<port>/bars
class LoopbackHttpServer
{
public:
    LoopbackHttpServer() { m_port = m_server.bind_to_any_port("127.0.0.1"); }
    ~LoopbackHttpServer()
    {
        m_server.stop();
        if(m_thread.joinable()) {
            m_thread.join();
        }
    }
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    httplib::Server& server() { return m_server; }

    // Starts serving. Returns once the server runs: a stop() that came
    // earlier would be lost and the thread would serve for ever.
    void Start()
    {
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while(!m_server.is_running() && std::chrono::steady_clock::now() < limit) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    int Port() const { return m_port; }
    std::string Base() const { return "http://127.0.0.1:" + std::to_string(m_port); }
    std::string Url(const std::string& path) const { return Base() + path; }

private:
    httplib::Server m_server;
    std::thread m_thread;
    int m_port = -1;
};
