#include "SimMarket.h"

#include "MarketMath.h"

namespace simmarket {

SimMarket::SimMarket(boost::asio::io_context& io, const nlohmann::json& scenario, unsigned seed)
    : m_server(io), m_login(m_server), m_queries(m_server), m_orders(m_server),
      m_prices(m_server, m_orders, seed), m_payPorts(m_server), m_money(m_server, m_payPorts), m_goods(m_server),
      m_binary(m_server), m_risk(m_server, m_orders), m_deliveries(m_server, m_orders, m_goods),
      m_priceLevels(m_server)
{
    m_server.State().Load(scenario);
    m_login.Register();
    m_queries.Register();
    m_orders.Register();
    m_prices.Register();
    m_payPorts.Load(scenario);
    m_money.Load(scenario);
    m_goods.Load(scenario);
    m_binary.Load(scenario);
    m_risk.Load(scenario);
    m_deliveries.Load(scenario);
    // After the orders, whose handler the binary options hand non-binary orders to.
    m_payPorts.Register();
    m_money.Register();
    m_goods.Register();
    m_binary.Register();
    m_risk.Register();
    m_deliveries.Register();
    m_priceLevels.Register();
}

nlohmann::json SimMarket::StateJson()
{
    using nlohmann::json;
    MarketState& state = m_server.State();
    json accounts = json::array();
    for(const auto& [key, a] : state.accounts) {
        const double floating = RoundCents(state.FloatingProfit(key));
        accounts.push_back({{"key", key},
                            {"userId", a.userId},
                            {"currency", a.currency},
                            {"marketId", a.marketId},
                            {"marginRemain", a.balance},
                            {"marginUsed", state.MarginUsed(key)},
                            {"marginFreezed", state.MarginFreezed(key)},
                            {"profitDyn", floating},
                            {"netValue", RoundCents(a.balance + floating)},
                            {"profitClose", a.profitClose},
                            {"dailyCharge", a.dailyCharge},
                            {"withdrawable", state.Withdrawable(key)}});
    }
    json holds = json::array();
    for(const auto& [code, h] : state.holds)
        holds.push_back({{"code", code},
                         {"account", h.accountKey},
                         {"symbol", h.symbolId},
                         {"side", std::string(1, h.side)},
                         {"quantity", h.quantity},
                         {"openPrice", h.openPrice},
                         {"stopLoss", h.stopLoss},
                         {"takeProfit", h.takeProfit},
                         {"margin", h.margin},
                         {"profit", state.HoldProfit(h)}});
    json limits = json::array();
    for(const auto& [code, l] : state.limits)
        limits.push_back({{"code", code},
                          {"account", l.accountKey},
                          {"symbol", l.symbolId},
                          {"side", std::string(1, l.side)},
                          {"type", std::string(1, l.limitType)},
                          {"price", l.price},
                          {"quantity", l.quantity},
                          {"frozen", l.frozen}});
    json closeBills = json::array();
    for(const auto& c : state.closeBills)
        closeBills.push_back({{"code", c.code},
                              {"codeRe", c.codeRe},
                              {"account", c.accountKey},
                              {"symbol", c.symbolId},
                              {"quantity", c.quantity},
                              {"closePrice", c.closePrice},
                              {"profit", c.profit}});
    json prices = json::array();
    for(const auto& [id, s] : state.symbols)
        prices.push_back({{"symbol", id}, {"last", s.last}, {"bid", state.Bid(s)}, {"ask", state.Ask(s)}});
    return {{"sessions", m_server.SessionsJson()},
            {"accounts", accounts},
            {"holds", holds},
            {"limits", limits},
            {"closeBills", closeBills},
            {"prices", prices},
            {"clockOffsetMs", m_server.Clock().OffsetMs()},
            {"nowMs", m_server.Clock().NowMs()},
            {"pricePushesPerSecond", m_prices.Rate()}};
}

} // namespace simmarket
