#pragma once
// A bulletin server on a loopback port for the bulletin tests: answers the
// poll (GET /bulletin/trader) with the text set by SetPollAnswer and the
// mark-read (POST) with SetMarkReadReply, optionally holding the mark-read
// until released, and records every request it gets.
//
//     BulletinStubServer bulletins;
//     bulletins.SetPollAnswer(R"([{"title":"a","date":"2026-12-01 09:00:00"}])");
//     session.servers.Add(bulletins.Base());          // "http://127.0.0.1:PORT"
//     ASSERT_TRUE(loop.RunUntil([&] { return bulletins.RequestCount() == 1; }));
#include "LoopbackHttpServer.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class BulletinStubServer
{
public:
    struct Request
    {
        std::string method;
        std::string target; // path and raw query, as received
        std::string body;
    };

    BulletinStubServer() : m_http(std::make_unique<LoopbackHttpServer>())
    {
        m_http->server().Get("/bulletin/trader", [this](const httplib::Request& req, httplib::Response& res) {
            const std::string answer = Record(req);
            std::lock_guard<std::mutex> lock(m_mutex);
            if(!m_splitAt) {
                res.set_content(answer, "application/json");
                return;
            }
            // Two chunks, so the client receives the body in two writes.
            const size_t split = m_splitAt;
            res.set_chunked_content_provider("application/json",
                                             [answer, split](size_t offset, httplib::DataSink& sink) {
                                                 if(offset == 0) {
                                                     sink.write(answer.data(), split);
                                                 } else if(offset == split) {
                                                     sink.write(answer.data() + split, answer.size() - split);
                                                 } else {
                                                     sink.done();
                                                 }
                                                 return true;
                                             });
        });
        m_http->server().Post(
            "/bulletin/trader", [this](const httplib::Request& req, httplib::Response& res) {
                Record(req);
                std::unique_lock<std::mutex> lock(m_mutex);
                if(m_holdMarkRead) {
                    m_changed.wait_for(lock, std::chrono::seconds(10), [this] { return m_released; });
                }
                res.set_content(m_markReadReply, "text/plain");
            });
        m_http->Start();
    }
    // Held requests end first; the server's threads are joined before the
    // members they use go.
    ~BulletinStubServer()
    {
        Release();
        m_http.reset();
    }
    BulletinStubServer(const BulletinStubServer&) = delete;
    BulletinStubServer& operator=(const BulletinStubServer&) = delete;

    std::string Base() const { return m_http->Base(); }
    int Port() const { return m_http->Port(); }

    void SetPollAnswer(const std::string& answer, size_t splitAt = 0)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pollAnswer = answer;
        m_splitAt = splitAt;
    }
    void SetMarkReadReply(const std::string& reply, bool hold = false)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_markReadReply = reply;
        m_holdMarkRead = hold;
        m_released = false;
    }
    void Release()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_released = true;
        m_changed.notify_all();
    }

    std::vector<Request> Requests() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_requests;
    }
    size_t RequestCount() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_requests.size();
    }

private:
    std::string Record(const httplib::Request& req)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_requests.push_back({req.method, req.target, req.body});
        return m_pollAnswer;
    }

    std::unique_ptr<LoopbackHttpServer> m_http;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Request> m_requests;
    std::string m_pollAnswer = "[]";
    size_t m_splitAt = 0;
    std::string m_markReadReply = "true";
    bool m_holdMarkRead = false;
    bool m_released = false;
};
