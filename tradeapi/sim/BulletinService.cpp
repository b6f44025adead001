#include "BulletinService.h"

#include "AdminRequest.h"
#include "SimMarket.h"

#include <algorithm>
#include <cctype>
#include <climits>

namespace simmarket {

using nlohmann::json;

namespace {

bool IsFor(const SimBulletin& b, int userId)
{
    return b.userId == 0 || b.userId == userId;
}

int HexValue(char c)
{
    if(std::isdigit(static_cast<unsigned char>(c)))
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::string Decoded(const std::string& text)
{
    std::string out;
    for(std::size_t i = 0; i < text.size(); ++i) {
        if(text[i] == '+') {
            out += ' ';
        } else if(text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
                  HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

HttpAnswer Unavailable()
{
    return HttpAnswer{503, "text/plain", "the market did not answer"};
}

// The poll: the query's user, count and lower date bound.
HttpAnswer BulletinList(SimMarket& market, const httplib::Request& req)
{
    int userId = 0;
    int limit = 0;
    int64_t fromMs = -1;
    try {
        userId = Id(req, "userid");
        if(req.has_param("msg_count"))
            limit = static_cast<int>(WholeNumber(req, "msg_count", 0, INT_MAX));
    } catch(const std::exception& e) {
        return HttpAnswer{400, "text/plain", e.what()};
    }
    if(req.has_param("curtime")) {
        fromMs = SimClock::ParseDashedDateTime(req.get_param_value("curtime"));
        if(fromMs < 0)
            return HttpAnswer{400, "text/plain", "curtime must be YYYY-MM-DD HH:MM:SS"};
    }
    auto list = market.RunOnIo([&market, userId, fromMs, limit] {
        return market.Bulletins().Bulletins(userId, fromMs, limit).dump();
    });
    return list ? HttpAnswer{200, "application/json", *list} : Unavailable();
}

// The mark-read of a bulletin and the older ones: "true" or "false".
HttpAnswer BulletinMarkRead(SimMarket& market, const httplib::Request& req)
{
    const auto fields = BulletinService::FormFields(req.body);
    int userId = 0;
    int64_t lastMs = -1;
    try {
        const auto user = fields.find("userid");
        const auto last = fields.find("last_time");
        if(user != fields.end() && last != fields.end()) {
            userId = static_cast<int>(WholeNumber(user->second, "userid", INT_MIN, INT_MAX));
            lastMs = SimClock::ParseDashedDateTime(last->second);
        }
    } catch(const std::exception&) {
        lastMs = -1;
    }
    auto marked =
        market.RunOnIo([&market, userId, lastMs] { return market.Bulletins().MarkRead(userId, lastMs); });
    if(!marked)
        return Unavailable();
    return HttpAnswer{200, "text/plain", *marked ? "true" : "false"};
}

} // namespace

HttpRoute BulletinService::PollRoute(SimMarket& market)
{
    return {"GET", "/bulletin/trader",
            [&market](const httplib::Request& req) { return BulletinList(market, req); }};
}

HttpRoute BulletinService::MarkReadRoute(SimMarket& market)
{
    return {"POST", "/bulletin/trader",
            [&market](const httplib::Request& req) { return BulletinMarkRead(market, req); }};
}

json BulletinService::Bulletins(int userId, int64_t fromMs, int limit) const
{
    std::vector<const SimBulletin*> chosen;
    if(!m_server.State().FindUserById(userId))
        return json::array();
    for(const auto& b : m_server.State().bulletins)
        if(IsFor(b, userId) && (fromMs < 0 || b.dateMs >= fromMs))
            chosen.push_back(&b);
    std::stable_sort(chosen.begin(), chosen.end(),
                     [](const SimBulletin* a, const SimBulletin* b) { return a->dateMs > b->dateMs; });
    if(limit > 0 && chosen.size() > static_cast<std::size_t>(limit))
        chosen.resize(static_cast<std::size_t>(limit));
    json list = json::array();
    for(const SimBulletin* b : chosen)
        list.push_back({{"is_read", b->readBy.count(userId) > 0},
                        {"from", b->from},
                        {"title", b->title},
                        {"content", b->content},
                        {"bulletinId", std::to_string(b->id)},
                        {"date", SimClock::DashedDateTimeText(b->dateMs)}});
    return list;
}

bool BulletinService::MarkRead(int userId, int64_t lastMs)
{
    if(m_refuseNextMarkRead) {
        m_refuseNextMarkRead = false;
        return false;
    }
    if(!m_server.State().FindUserById(userId) || lastMs < 0)
        return false;
    for(auto& b : m_server.State().bulletins)
        if(IsFor(b, userId) && b.dateMs <= lastMs)
            b.readBy.insert(userId);
    return true;
}

int64_t BulletinService::Add(const json& bulletin, const std::string& login)
{
    MarketState& state = m_server.State();
    return state.AddBulletin(state.ReadBulletin(bulletin, login, m_server.Clock().NowMs()));
}

json BulletinService::StateJson() const
{
    const MarketState& state = m_server.State();
    json list = json::array();
    for(const auto& b : state.bulletins) {
        json readBy = json::array();
        for(int id : b.readBy)
            if(const SimUser* user = state.FindUserById(id))
                readBy.push_back(user->login);
        const SimUser* user = state.FindUserById(b.userId);
        list.push_back({{"bulletinId", b.id},
                        {"user", user ? user->login : std::string()},
                        {"title", b.title},
                        {"content", b.content},
                        {"from", b.from},
                        {"date", SimClock::DashedDateTimeText(b.dateMs)},
                        {"readBy", readBy}});
    }
    return list;
}

std::map<std::string, std::string> BulletinService::FormFields(const std::string& body)
{
    std::map<std::string, std::string> fields;
    std::size_t start = 0;
    while(start <= body.size()) {
        const std::size_t end = std::min(body.find('&', start), body.size());
        const std::string pair = body.substr(start, end - start);
        const std::size_t equals = pair.find('=');
        if(!pair.empty())
            fields[Decoded(pair.substr(0, equals))] =
                equals == std::string::npos ? std::string() : Decoded(pair.substr(equals + 1));
        start = end + 1;
    }
    return fields;
}

} // namespace simmarket
