#pragma once
// The whole simulated market: network, state and the services that answer
// requests. Services of further request families register their handlers in
// the constructor next to the others.
#include "BinaryOptionService.h"
#include "DeliveryService.h"
#include "GoodsService.h"
#include "LoginService.h"
#include "MoneyService.h"
#include "OrderEngine.h"
#include "PayPortService.h"
#include "PriceFeed.h"
#include "PriceLevelService.h"
#include "QueryService.h"
#include "RiskService.h"
#include "SimServer.h"

#include <chrono>
#include <future>
#include <optional>

namespace simmarket {

class SimMarket
{
public:
    // Throws on a malformed scenario.
    SimMarket(boost::asio::io_context& io, const nlohmann::json& scenario, unsigned seed);

    SimServer& Server() { return m_server; }
    LoginService& Login() { return m_login; }
    OrderEngine& Orders() { return m_orders; }
    PriceFeed& Prices() { return m_prices; }
    MoneyService& Money() { return m_money; }
    BinaryOptionService& BinaryOptions() { return m_binary; }
    RiskService& Risk() { return m_risk; }
    DeliveryService& Deliveries() { return m_deliveries; }
    PriceLevelService& PriceLevels() { return m_priceLevels; }
    GoodsService& Goods() { return m_goods; }
    PayPortService& PayPorts() { return m_payPorts; }

    // Everything the market knows (AdminApi.md lists the members); the
    // request log only after the entry `logAfter`.
    nlohmann::json StateJson(int64_t logAfter = 0);

    // Runs fn on the market's I/O thread and returns its result; empty when
    // the thread did not run it within the time limit (shutting down).
    template <class Fn> auto RunOnIo(Fn fn) -> std::optional<decltype(fn())>
    {
        auto task = std::make_shared<std::packaged_task<decltype(fn())()>>(std::move(fn));
        auto result = task->get_future();
        boost::asio::post(m_server.Io(), [task] { (*task)(); });
        if(result.wait_for(std::chrono::seconds(5)) != std::future_status::ready)
            return std::nullopt;
        return result.get();
    }

private:
    SimServer m_server;
    LoginService m_login;
    QueryService m_queries;
    OrderEngine m_orders;
    PriceFeed m_prices;
    PayPortService m_payPorts;
    MoneyService m_money;
    GoodsService m_goods;
    BinaryOptionService m_binary;
    RiskService m_risk;
    DeliveryService m_deliveries;
    PriceLevelService m_priceLevels;
};

} // namespace simmarket
