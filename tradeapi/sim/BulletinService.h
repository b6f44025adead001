#pragma once
// The market's bulletins as the HTTP routes of HttpRoutes.cpp serve them:
//   GET  /bulletin/trader?exchangeid=E&dealerid=D&orgid=O&userid=U&msg_count=N
//        &tradeMarketId=M[&curtime=T]
//        the user's bulletins (their own and those for every user; none for
//        an unknown user), newest
//        first, at most N when N > 0, with curtime only those dated at or
//        after T; a JSON array of {"is_read", "from", "title", "content",
//        "bulletinId" (decimal text), "date" ("YYYY-MM-DD HH:MM:SS", local)}
//   POST /bulletin/trader?  body "userid=U&last_time=T"
//        the user's bulletins dated at or before T become read for the user;
//        answers "true", or "false" for an unknown user, a bad time or when
//        the admin API asked for one refusal
// The routes run on HTTP worker threads and reach the service through
// SimMarket::RunOnIo; everything else runs on the market's I/O thread.
#include "HttpServices.h"
#include "SimServer.h"

#include <map>
#include <nlohmann/json.hpp>
#include <string>

namespace simmarket {

class SimMarket;

class BulletinService
{
public:
    explicit BulletinService(SimServer& server) : m_server(server) {}

    static HttpRoute PollRoute(SimMarket& market);
    static HttpRoute MarkReadRoute(SimMarket& market);

    // fromMs < 0: no lower bound; limit <= 0: no limit.
    nlohmann::json Bulletins(int userId, int64_t fromMs, int limit) const;
    bool MarkRead(int userId, int64_t lastMs);
    // The next MarkRead answers false and changes nothing.
    void RefuseNextMarkRead(bool refuse) { m_refuseNextMarkRead = refuse; }
    // A bulletin in the JSON of an answer item for the user of that login
    // (empty: every user); throws std::exception on bad JSON. Returns its id.
    int64_t Add(const nlohmann::json& bulletin, const std::string& login);
    // Every bulletin with the logins that read it, for /admin/state.
    nlohmann::json StateJson() const;

    // The fields of a form body "a=1&b=x%20y", with %XX and "+" decoded.
    static std::map<std::string, std::string> FormFields(const std::string& body);

private:
    SimServer& m_server;
    bool m_refuseNextMarkRead = false;
};

} // namespace simmarket
