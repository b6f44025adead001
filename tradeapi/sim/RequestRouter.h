#pragma once
// The table of request kinds: for each request code its body size, the shape
// of its answer, the front it belongs to and its handler. Faults injected by
// the admin API (swallow, delay, fail) are applied here, before the handler,
// so every handler gets them for free. Kinds without a handler of their own
// are answered with error 4 in their proper shape, never left unanswered.
// Every request frame goes into the request log first.
#include "Session.h"

#include <boost/asio.hpp>
#include <functional>
#include <map>
#include <memory>

namespace simmarket {

class RequestLog;

enum class AnswerShape {
    Answer,    // echoed request + result
    Plain,     // result only
    Rows,      // query rows
    Subscribe, // result + symbol ids
};

using RequestHandler = std::function<void(const std::shared_ptr<Session>&, const tradeapi::wire::Frame&)>;

struct Route
{
    AnswerShape shape = AnswerShape::Plain;
    std::size_t bodySize = 0;  // exact size of the request body
    bool variableBody = false; // the handler checks the size itself
    std::size_t echoSize = 0;  // echo of a failed answer when not the request itself
    bool trade = true;         // accepted on the trade fronts
    bool marketData = false;   // accepted on the market-data front
    RequestHandler handler;
};

struct Fault
{
    enum Mode { Normal, Swallow, Delay, Fail };
    Mode mode = Normal;
    int delayMs = 0;
    int errorId = 0;
};

class RequestRouter
{
public:
    RequestRouter(boost::asio::io_context& io, RequestLog& log);

    void SetHandler(uint32_t requestCode, RequestHandler handler);
    // The handler set so far (empty when none), for a service that takes over
    // part of a request kind and hands the rest on.
    RequestHandler HandlerOf(uint32_t requestCode) const;
    void Dispatch(const std::shared_ptr<Session>& session, const tradeapi::wire::Frame& frame);
    // Keyed by the answer code of the request kind (the code the client sees).
    bool SetFault(uint32_t answerCode, const Fault& fault);
    bool IsKnownAnswer(uint32_t answerCode) const;
    // The failure answer of a request kind in its proper shape.
    void ReplyFailure(Session& session, const tradeapi::wire::Frame& request, int errorId,
                      const std::string& message) const;

private:
    void Add(uint32_t requestCode, AnswerShape shape, std::size_t bodySize, bool trade, bool marketData);

    boost::asio::io_context& m_io;
    RequestLog& m_log;
    std::map<uint32_t, Route> m_routes;
    std::map<uint32_t, Fault> m_faults; // by request code
};

} // namespace simmarket
