#include "AdminHttp.h"

#include "AdminRequest.h"
#include "HttpRoutes.h"
#include "MarketEventAdmin.h"
#include "WireCodes.h"
#include "tradeapi/FFixStructs.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <sstream>
#include <stdexcept>
#include <sys/socket.h>

namespace simmarket {

using nlohmann::json;
using namespace tradeapi::wire;

namespace {

constexpr int64_t kMaxDelayMs = 600000;
constexpr int64_t kMaxClockOffsetMs = 100LL * 366 * 24 * 3600 * 1000; // a century either way

uint32_t Code(const httplib::Request& req)
{
    return static_cast<uint32_t>(WholeNumber(req, "code", 0, UINT32_MAX));
}

// Sizes of the structures each push code carries.
const std::map<uint32_t, std::size_t>& PushSizes()
{
    static const std::map<uint32_t, std::size_t> sizes = {
        {kNtfUserId, sizeof(sFFixUserId)},
        {kNtfTrade, sizeof(sFFixTrade)},
        {kNtfMoneyChanged, sizeof(sFFixMoney)},
        {kNtfPosition, sizeof(sFFixPosition)},
        {kNtfHoldDetail, sizeof(sFFixHoldDetail)},
        {kNtfCloseBill, sizeof(sFFixCloseBill)},
        {kNtfLimitOrder, sizeof(sFFixLimitOrder)},
        {kNtfMarketData, sizeof(sFFixMarketData)},
        {kNtfCurrencyExchangeRate, sizeof(sFFixCurrencyExchangeRate)},
        {kNtfInOutMoney, sizeof(sFFixRspInOutMoney)},
        {kNtfRiskInfo, sizeof(sFFixRiskInfo)},
        {kNtfRiskInfo2, sizeof(sFFixRiskInfo)},
        {kNtfDeliveryOrder, sizeof(sFFixDeliveryOrder)},
        {kNtfPayPortInfo, sizeof(sFFixPayPortInfo)},
        {kNtfModifyPassword, sizeof(sFFixModifyPassword)},
        {kNtfBankInUrl, sizeof(sFFixBankInUrl)},
        {kNtfPriceReport, sizeof(sFFixPriceReport)},
        {kNtfPriceTrade, sizeof(sFFixPriceTrade)},
        {kNtfBinaryContract, sizeof(sFFixBinaryContract)},
        {kNtfBinaryOrer, sizeof(sFFixBinaryOrer)},
        {kNtfAccount, sizeof(sFFixAccount)},
        {kNtfBonusPoint, sizeof(sFFixBonusPoint)},
        {kNtfUserInventory, sizeof(sFFixUserInventory)},
        {kNtfSymbolBookingInfo, sizeof(sFFixSymbolBookingInfo)},
        {kNtfBookingAddrInfo, sizeof(sFFixBookingAddrInfo)},
    };
    return sizes;
}

} // namespace

AdminHttp::AdminHttp(SimMarket& market) : m_market(market), m_services(m_http, market.Server().Log())
{
    // Only SO_REUSEADDR: a second market must not share the port.
    m_http.set_socket_options([](socket_t sock) {
        int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    Routes();
}

AdminHttp::~AdminHttp()
{
    Stop();
}

unsigned short AdminHttp::Start(unsigned short port)
{
    int bound = port;
    if(port == 0)
        bound = m_http.bind_to_any_port("127.0.0.1");
    else if(!m_http.bind_to_port("127.0.0.1", port))
        bound = -1;
    if(bound <= 0)
        throw std::runtime_error("cannot listen on the HTTP port " + std::to_string(port));
    m_market.Server().SetHttpPort(static_cast<unsigned short>(bound));
    m_thread = std::thread([this] { m_http.listen_after_bind(); });
    // Serving before the caller says ready: a stop that came before the
    // loop had started would not end it, and the market would never exit.
    while(!m_http.is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return static_cast<unsigned short>(bound);
}

void AdminHttp::Stop()
{
    m_services.Stop();
    m_http.stop();
    if(m_thread.joinable())
        m_thread.join();
}

void AdminHttp::Routes()
{
    const json ok = {{"ok", true}};

    AddHttpRoutes(m_services, m_market);

    m_http.Get("/admin/state", Guarded(m_market, [this](const httplib::Request& req) {
                   const int64_t after =
                       req.has_param("logAfter") ? WholeNumber(req, "logAfter", 0, int64_t{1} << 52) : 0;
                   nlohmann::json state = m_market.StateJson(after);
                   state["httpRoutes"] = m_services.Json();
                   return state;
               }));

    // Faults live in the facility, not on the market's thread.
    m_http.Post("/admin/http", [this](const httplib::Request& req, httplib::Response& res) {
        json result = {{"ok", true}};
        try {
            HttpFault fault;
            if(!HttpFault::Parse(req.get_param_value("fault"), fault.mode))
                result = Error("fault must be none, delay, empty, close, garbage, cut or status");
            else {
                if(fault.mode == HttpFault::Delay)
                    fault.delayMs = static_cast<int>(WholeNumber(req, "ms", 0, kMaxDelayMs));
                if(fault.mode == HttpFault::Status && req.has_param("status"))
                    fault.status = static_cast<int>(WholeNumber(req, "status", 100, 599));
                if(!m_services.SetFault(req.get_param_value("route"), fault))
                    result = Error("no HTTP service has the route " + req.get_param_value("route"));
            }
        } catch(const std::exception& e) {
            result = Error(e.what());
        }
        res.status = result.contains("error") ? 400 : 200;
        res.set_content(result.dump(), "application/json");
    });

    m_http.Post("/admin/front", Guarded(m_market, [this, ok](const httplib::Request& req) {
                    Front* front = m_market.Server().FindFront(req.get_param_value("name"));
                    const std::string action = req.get_param_value("action");
                    if(!front)
                        return Error("unknown front");
                    if(action == "drop")
                        m_market.Server().DropFront(front->Name());
                    else if(action == "refuse")
                        front->Refuse();
                    else if(action == "accept")
                        front->Accept();
                    else if(action == "mute" || action == "unmute")
                        m_market.Server().MuteFront(front->Name(), action == "mute");
                    else
                        return Error("action must be drop, refuse, accept, mute or unmute");
                    return ok;
                }));

    m_http.Post("/admin/answer", Guarded(m_market, [this, ok](const httplib::Request& req) {
                    Fault fault;
                    const std::string mode = req.get_param_value("mode");
                    if(mode == "normal")
                        fault.mode = Fault::Normal;
                    else if(mode == "swallow")
                        fault.mode = Fault::Swallow;
                    else if(mode == "delay") {
                        fault.mode = Fault::Delay;
                        fault.delayMs = static_cast<int>(WholeNumber(req, "ms", 0, kMaxDelayMs));
                    } else if(mode == "fail") {
                        fault.mode = Fault::Fail;
                        fault.errorId = Id(req, "error");
                    } else
                        return Error("mode must be normal, swallow, delay or fail");
                    if(!m_market.Server().Router().SetFault(Code(req), fault))
                        return Error("code is no answer of a request");
                    return ok;
                }));

    m_http.Post("/admin/refuse", Guarded(m_market, [this, ok](const httplib::Request& req) {
                    std::vector<int32_t> codes;
                    std::stringstream list(req.get_param_value("codes"));
                    std::string item;
                    while(std::getline(list, item, ',')) {
                        if(item.empty())
                            continue;
                        const uint32_t answer =
                            static_cast<uint32_t>(WholeNumber(item, "codes", 0, UINT32_MAX));
                        if(!m_market.Server().Router().IsKnownAnswer(answer))
                            return Error("code " + item + " is no answer of a request");
                        codes.push_back(static_cast<int32_t>(answer - 1));
                    }
                    m_market.Server().SetRefusedRequests(codes);
                    return ok;
                }));

    m_http.Post("/admin/kick", Guarded(m_market, [this, ok](const httplib::Request& req) {
                    const SimUser* user = m_market.Server().State().FindUser(req.get_param_value("user"));
                    if(!user)
                        return Error("unknown user");
                    return json{{"ok", true}, {"kicked", m_market.Login().Kick(user->userId)}};
                }));

    m_http.Post("/admin/price", Guarded(m_market, [this, ok](const httplib::Request& req) {
                    if(!m_market.Prices().SetPrice(Id(req, "symbol"), Number(req, "price")))
                        return Error("unknown symbol or bad price");
                    return ok;
                }));

    m_http.Post("/admin/push", Guarded(m_market, [this, ok](const httplib::Request& req) {
                    const SimUser* user = m_market.Server().State().FindUser(req.get_param_value("user"));
                    if(!user)
                        return Error("unknown user");
                    const uint32_t code = Code(req);
                    auto size = PushSizes().find(code);
                    if(size == PushSizes().end())
                        return Error("no push has that code");
                    if(req.body.size() != size->second)
                        return Error("the structure of code " + std::to_string(code) + " has " +
                                     std::to_string(size->second) + " bytes");
                    const bool md = req.get_param_value("front") == "md";
                    const std::vector<uint8_t> body(req.body.begin(), req.body.end());
                    const bool sent = m_market.Server().PushBytes(
                        user->userId, md ? FrontKind::MarketData : FrontKind::Trade, code, body);
                    return json{{"ok", true}, {"sent", sent}};
                }));

    m_http.Post("/admin/clock", Guarded(m_market, [this, ok](const httplib::Request& req) {
                    m_market.Server().Clock().SetOffsetMs(
                        WholeNumber(req, "offsetMs", -kMaxClockOffsetMs, kMaxClockOffsetMs));
                    return ok;
                }));

    m_http.Post("/admin/walk", Guarded(m_market, [this, ok](const httplib::Request& req) {
                    m_market.Prices().SetRate(Number(req, "rate"));
                    return ok;
                }));

    // A bulletin for a user (body: one bulletin's JSON), and whether the next
    // mark-read is refused.
    m_http.Post("/admin/bulletin", Guarded(m_market, [this](const httplib::Request& req) {
                    json result = {{"ok", true}};
                    const bool markRead = req.has_param("markRead");
                    if(markRead) {
                        const std::string value = req.get_param_value("markRead");
                        if(value != "true" && value != "false")
                            return Error("markRead must be true or false");
                        m_market.Bulletins().RefuseNextMarkRead(value == "false");
                    }
                    if(req.has_param("user") || !req.body.empty()) {
                        const json bulletin = json::parse(req.body, nullptr, false);
                        if(bulletin.is_discarded())
                            return Error("the body must be one bulletin as JSON");
                        result["bulletinId"] =
                            m_market.Bulletins().Add(bulletin, req.get_param_value("user"));
                    } else if(!markRead) {
                        return Error("give user and a bulletin as the body, or markRead");
                    }
                    return result;
                }));

    MarketEventAdmin::AddRoutes(m_http, m_market);
}

} // namespace simmarket
