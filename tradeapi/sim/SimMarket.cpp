#include "SimMarket.h"

#include "StateReport.h"

namespace simmarket {

SimMarket::SimMarket(boost::asio::io_context& io, const nlohmann::json& scenario, unsigned seed)
    : m_server(io), m_login(m_server), m_queries(m_server), m_orders(m_server),
      m_prices(m_server, m_orders, seed), m_payPorts(m_server), m_money(m_server, m_payPorts),
      m_goods(m_server), m_binary(m_server), m_risk(m_server, m_orders),
      m_deliveries(m_server, m_orders, m_goods), m_priceLevels(m_server)
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

nlohmann::json SimMarket::StateJson(int64_t logAfter)
{
    return StateReport(*this).Json(logAfter);
}

} // namespace simmarket
