#include "HttpServices.h"

#include <algorithm>
#include <chrono>

namespace simmarket {

namespace {

const char kGarbage[] = "<<garbage>> this is not what the route serves {[";

std::string RegexEscaped(const std::string& text)
{
    std::string out;
    for(char c : text) {
        if(std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos)
            out += '\\';
        out += c;
    }
    return out;
}

std::string RawQuery(const httplib::Request& req)
{
    const auto mark = req.target.find('?');
    return mark == std::string::npos ? std::string() : req.target.substr(mark + 1);
}

} // namespace

const char* HttpFault::Name(Mode mode)
{
    switch(mode) {
    case Delay:
        return "delay";
    case Empty:
        return "empty";
    case Close:
        return "close";
    case Garbage:
        return "garbage";
    case Cut:
        return "cut";
    case Status:
        return "status";
    case None:
        break;
    }
    return "none";
}

bool HttpFault::Parse(const std::string& name, Mode& mode)
{
    for(Mode m : {None, Delay, Empty, Close, Garbage, Cut, Status})
        if(name == Name(m)) {
            mode = m;
            return true;
        }
    return false;
}

HttpServices::HttpServices(httplib::Server& server, RequestLog& log) : m_server(server), m_log(log) {}

std::string HttpServices::Canonical(const std::string& path)
{
    const auto first = path.find_first_not_of('/');
    return first == std::string::npos ? "/" : "/" + path.substr(first);
}

void HttpServices::Add(HttpRoute route)
{
    route.path = Canonical(route.path);
    m_routes.push_back(std::make_unique<HttpRoute>(std::move(route)));
    const HttpRoute* stored = m_routes.back().get();
    // Clients join a server address and a path with a slash of their own.
    const std::string pattern = "/+" + RegexEscaped(stored->path.substr(1));
    auto handler = [this, stored](const httplib::Request& req, httplib::Response& res) {
        Serve(*stored, req, res);
    };
    if(stored->method == "POST")
        m_server.Post(pattern, handler);
    else
        m_server.Get(pattern, handler);
}

bool HttpServices::HasRoute(const std::string& path) const
{
    const std::string canonical = Canonical(path);
    return std::any_of(m_routes.begin(), m_routes.end(),
                       [&](const auto& route) { return route->path == canonical; });
}

bool HttpServices::SetFault(const std::string& path, const HttpFault& fault)
{
    if(!HasRoute(path))
        return false;
    std::lock_guard<std::mutex> lock(m_mutex);
    if(fault.mode == HttpFault::None)
        m_faults.erase(Canonical(path));
    else
        m_faults[Canonical(path)] = fault;
    return true;
}

HttpFault HttpServices::FaultOf(const std::string& path) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_faults.find(path);
    return it == m_faults.end() ? HttpFault() : it->second;
}

nlohmann::json HttpServices::Json() const
{
    nlohmann::json routes = nlohmann::json::array();
    std::lock_guard<std::mutex> lock(m_mutex);
    for(const auto& route : m_routes) {
        auto fault = m_faults.find(route->path);
        nlohmann::json entry = {{"method", route->method}, {"path", route->path}, {"fault", nullptr}};
        if(fault != m_faults.end())
            entry["fault"] = {{"mode", HttpFault::Name(fault->second.mode)},
                              {"ms", fault->second.delayMs},
                              {"status", fault->second.status}};
        routes.push_back(entry);
    }
    return routes;
}

void HttpServices::Stop()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stopping = true;
    m_stopChanged.notify_all();
}

bool HttpServices::Wait(int ms)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return !m_stopChanged.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_stopping; });
}

void HttpServices::Serve(const HttpRoute& route, const httplib::Request& req, httplib::Response& res)
{
    const HttpFault fault = FaultOf(route.path);
    const int64_t seq = m_log.AddHttp(route.path, req.method, req.path, RawQuery(req), req.body,
                                      fault.mode == HttpFault::None ? "" : HttpFault::Name(fault.mode));
    if(fault.mode == HttpFault::Status) {
        res.status = fault.status;
        res.set_content("injected failure", "text/plain");
        m_log.SetHttpStatus(seq, res.status);
        return;
    }
    if(fault.mode == HttpFault::Delay && !Wait(fault.delayMs)) {
        res.status = 503;
        m_log.SetHttpStatus(seq, res.status);
        return;
    }
    HttpAnswer answer = route.answer(req);
    switch(fault.mode) {
    case HttpFault::Empty:
        answer.body.clear();
        break;
    case HttpFault::Garbage:
        answer.body = route.garbage ? route.garbage(answer.body) : kGarbage;
        break;
    case HttpFault::Cut:
        answer.body = route.cut ? route.cut(answer.body) : answer.body.substr(0, answer.body.size() / 2);
        break;
    case HttpFault::Close: {
        // The headers promise the whole body; half of it comes, then the
        // connection ends.
        const std::string half = answer.body.substr(0, answer.body.size() / 2);
        res.status = answer.status;
        res.set_content_provider(std::max<std::size_t>(answer.body.size(), 1), answer.contentType,
                                 [half](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                     if(offset == 0 && !half.empty())
                                         sink.write(half.data(), half.size());
                                     return false;
                                 });
        m_log.SetHttpStatus(seq, answer.status);
        return;
    }
    default:
        break;
    }
    res.status = answer.status;
    res.set_content(answer.body, answer.contentType);
    m_log.SetHttpStatus(seq, res.status);
}

} // namespace simmarket
