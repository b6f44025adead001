#pragma once
// The market's HTTP services (bulletins, reports, K-line history, bank pages,
// the local-IP probe) share one facility: each route is registered once, in
// HttpRoutes.cpp; every request to a route goes into the request log; and a
// test can make any route misbehave (POST /admin/http, AdminApi.md):
//   delay   answer late by ms milliseconds
//   empty   answer 200 with an empty body
//   close   send the headers and part of the body, then close the connection
//   garbage answer 200 with a body that is not what the route serves
//   cut     answer 200 with the first half of the body only
//   status  answer with the given status (default 500)
// Faults are applied on the HTTP worker thread that serves the request, never
// on the market's I/O thread, so a delayed answer stalls nothing else.
#include "RequestLog.h"

#include <condition_variable>
#include <functional>
#include <httplib.h>
#include <map>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace simmarket {

struct HttpAnswer
{
    int status = 200;
    std::string contentType = "application/json";
    std::string body;
};

struct HttpRoute
{
    std::string method; // "GET" or "POST"
    std::string path;   // "/bulletin/trader"; also matched with extra leading slashes
    // Runs on an HTTP worker thread: reads the market through
    // SimMarket::RunOnIo, never directly.
    std::function<HttpAnswer(const httplib::Request&)> answer;
    // How "garbage" and "cut" spoil this route's body, when the defaults (a
    // text that is no JSON; the first half) do not fit what it serves.
    std::function<std::string(const std::string&)> garbage = {};
    std::function<std::string(const std::string&)> cut = {};
};

struct HttpFault
{
    enum Mode { None, Delay, Empty, Close, Garbage, Cut, Status };
    Mode mode = None;
    int delayMs = 0;
    int status = 500;

    static const char* Name(Mode mode);
    // "delay", "empty", ... or "none"; false for an unknown name.
    static bool Parse(const std::string& name, Mode& mode);
};

class HttpServices
{
public:
    HttpServices(httplib::Server& server, RequestLog& log);
    HttpServices(const HttpServices&) = delete;
    HttpServices& operator=(const HttpServices&) = delete;

    // Before the server starts listening.
    void Add(HttpRoute route);
    bool HasRoute(const std::string& path) const;
    // Fault None clears; false for a path that is no route.
    bool SetFault(const std::string& path, const HttpFault& fault);
    // Routes with their methods and current faults.
    nlohmann::json Json() const;
    // Ends the waits of delayed answers at once (the market is stopping).
    void Stop();

    // The route's path without extra leading slashes.
    static std::string Canonical(const std::string& path);

private:
    void Serve(const HttpRoute& route, const httplib::Request& req, httplib::Response& res);
    HttpFault FaultOf(const std::string& path) const;
    // False when the market stopped while waiting.
    bool Wait(int ms);

    httplib::Server& m_server;
    RequestLog& m_log;
    std::vector<std::unique_ptr<HttpRoute>> m_routes; // stable addresses for the handlers
    mutable std::mutex m_mutex;
    std::map<std::string, HttpFault> m_faults; // by canonical path
    std::condition_variable m_stopChanged;
    bool m_stopping = false;
};

} // namespace simmarket
