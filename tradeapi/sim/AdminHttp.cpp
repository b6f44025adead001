#include "AdminHttp.h"

#include "MarketEventAdmin.h"
#include "WireCodes.h"
#include "tradeapi/FFixStructs.h"

#include <map>
#include <sstream>
#include <stdexcept>
#include <sys/socket.h>

namespace simmarket {

using nlohmann::json;
using namespace tradeapi::wire;

namespace {

void Reply(httplib::Response& res, int status, const json& body)
{
    res.status = status;
    res.set_content(body.dump(), "application/json");
}

void Fail(httplib::Response& res, int status, const std::string& error)
{
    Reply(res, status, {{"ok", false}, {"error", error}});
}

// Parameter as a number; throws std::invalid_argument with the name.
double Number(const httplib::Request& req, const char* name)
{
    if(!req.has_param(name))
        throw std::invalid_argument(std::string("missing parameter ") + name);
    try {
        std::size_t used = 0;
        const std::string text = req.get_param_value(name);
        const double value = std::stod(text, &used);
        if(used != text.size())
            throw std::invalid_argument(name);
        return value;
    } catch(const std::exception&) {
        throw std::invalid_argument(std::string("parameter ") + name + " is not a number");
    }
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

AdminHttp::AdminHttp(SimMarket& market) : m_market(market)
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
    m_thread = std::thread([this] { m_http.listen_after_bind(); });
    return static_cast<unsigned short>(bound);
}

void AdminHttp::Stop()
{
    m_http.stop();
    if(m_thread.joinable())
        m_thread.join();
}

void AdminHttp::Routes()
{
    // Wraps a handler: bad parameters become 400, a market that does not
    // answer in time 503.
    auto guarded = [this](auto body) {
        return [this, body](const httplib::Request& req, httplib::Response& res) {
            try {
                auto result = m_market.RunOnIo([&] { return body(req); });
                if(!result)
                    return Fail(res, 503, "market not answering");
                if(result->contains("error"))
                    return Reply(res, 400, *result);
                Reply(res, 200, *result);
            } catch(const std::exception& e) {
                Fail(res, 400, e.what());
            }
        };
    };
    const json ok = {{"ok", true}};
    auto error = [](const std::string& text) { return json{{"ok", false}, {"error", text}}; };

    m_http.Get("/getip", [](const httplib::Request& req, httplib::Response& res) {
        res.set_content(req.remote_addr, "text/plain");
    });

    m_http.Get("/admin/state", guarded([this](const httplib::Request&) { return m_market.StateJson(); }));

    m_http.Post("/admin/front", guarded([this, ok, error](const httplib::Request& req) {
                    Front* front = m_market.Server().FindFront(req.get_param_value("name"));
                    const std::string action = req.get_param_value("action");
                    if(!front)
                        return error("unknown front");
                    if(action == "drop")
                        m_market.Server().DropFront(front->Name());
                    else if(action == "refuse")
                        front->Refuse();
                    else if(action == "accept")
                        front->Accept();
                    else
                        return error("action must be drop, refuse or accept");
                    return ok;
                }));

    m_http.Post(
        "/admin/answer", guarded([this, ok, error](const httplib::Request& req) {
            Fault fault;
            const std::string mode = req.get_param_value("mode");
            if(mode == "normal")
                fault.mode = Fault::Normal;
            else if(mode == "swallow")
                fault.mode = Fault::Swallow;
            else if(mode == "delay") {
                fault.mode = Fault::Delay;
                fault.delayMs = static_cast<int>(Number(req, "ms"));
                if(fault.delayMs < 0 || fault.delayMs > 600000)
                    return error("ms out of range");
            } else if(mode == "fail") {
                fault.mode = Fault::Fail;
                fault.errorId = static_cast<int>(Number(req, "error"));
            } else
                return error("mode must be normal, swallow, delay or fail");
            if(!m_market.Server().Router().SetFault(static_cast<uint32_t>(Number(req, "code")), fault))
                return error("code is no answer of a request");
            return ok;
        }));

    m_http.Post("/admin/refuse", guarded([this, ok, error](const httplib::Request& req) {
                    std::vector<int32_t> codes;
                    std::stringstream list(req.get_param_value("codes"));
                    std::string item;
                    while(std::getline(list, item, ',')) {
                        if(item.empty())
                            continue;
                        const uint32_t answer = static_cast<uint32_t>(std::stoul(item));
                        if(!m_market.Server().Router().IsKnownAnswer(answer))
                            return error("code " + item + " is no answer of a request");
                        codes.push_back(static_cast<int32_t>(answer - 1));
                    }
                    m_market.Server().SetRefusedRequests(codes);
                    return ok;
                }));

    m_http.Post("/admin/kick", guarded([this, ok, error](const httplib::Request& req) {
                    const SimUser* user = m_market.Server().State().FindUser(req.get_param_value("user"));
                    if(!user)
                        return error("unknown user");
                    return json{{"ok", true}, {"kicked", m_market.Login().Kick(user->userId)}};
                }));

    m_http.Post(
        "/admin/price", guarded([this, ok, error](const httplib::Request& req) {
            if(!m_market.Prices().SetPrice(static_cast<int>(Number(req, "symbol")), Number(req, "price")))
                return error("unknown symbol or bad price");
            return ok;
        }));

    m_http.Post("/admin/push", guarded([this, ok, error](const httplib::Request& req) {
                    const SimUser* user = m_market.Server().State().FindUser(req.get_param_value("user"));
                    if(!user)
                        return error("unknown user");
                    const uint32_t code = static_cast<uint32_t>(Number(req, "code"));
                    auto size = PushSizes().find(code);
                    if(size == PushSizes().end())
                        return error("no push has that code");
                    if(req.body.size() != size->second)
                        return error("the structure of code " + std::to_string(code) + " has " +
                                     std::to_string(size->second) + " bytes");
                    const bool md = req.get_param_value("front") == "md";
                    const std::vector<uint8_t> body(req.body.begin(), req.body.end());
                    const bool sent = m_market.Server().PushBytes(
                        user->userId, md ? FrontKind::MarketData : FrontKind::Trade, code, body);
                    return json{{"ok", true}, {"sent", sent}};
                }));

    m_http.Post("/admin/clock", guarded([this, ok](const httplib::Request& req) {
                    m_market.Server().Clock().SetOffsetMs(static_cast<int64_t>(Number(req, "offsetMs")));
                    return ok;
                }));

    m_http.Post("/admin/walk", guarded([this, ok](const httplib::Request& req) {
                    m_market.Prices().SetRate(Number(req, "rate"));
                    return ok;
                }));

    MarketEventAdmin::AddRoutes(m_http, m_market);
}

} // namespace simmarket
