#pragma once
// The JSON of GET /admin/state: everything the market knows, in the members
// that AdminApi.md lists. Built on the market's I/O thread.
#include <nlohmann/json.hpp>

namespace simmarket {

class SimMarket;

class StateReport
{
public:
    explicit StateReport(SimMarket& market) : m_market(market) {}

    // The request log only after the entry `logAfter`.
    nlohmann::json Json(int64_t logAfter) const;

private:
    nlohmann::json Users() const;
    nlohmann::json Accounts() const;
    nlohmann::json Holds() const;
    nlohmann::json Positions() const;
    nlohmann::json Limits() const;
    nlohmann::json CloseBills() const;
    nlohmann::json Deliveries() const;
    nlohmann::json MoneyMoves() const;
    nlohmann::json CashLedger() const;
    nlohmann::json BinaryOptions(nlohmann::json& contracts) const;
    nlohmann::json Goods(nlohmann::json& symbolInventories) const;
    nlohmann::json PayPorts(nlohmann::json& registrations) const;
    nlohmann::json Prices(nlohmann::json& levels) const;

    SimMarket& m_market;
};

} // namespace simmarket
