#pragma once
// Binary options: the contracts of a symbol (scenario "binaryContracts"),
// orders placed through the order request with type 'F', and their
// settlement when the market clock reaches their expiry.
//
// Settlement (price at expiry against the order's open price):
//   win  (up and higher, down and lower): the account gets the amount back
//        plus amount x profit rate - charge; profit = amount x rate - charge;
//   loss: the amount stays with the market; profit = -amount;
//   draw (the same price): the amount comes back; profit = 0.
// The charge is the contract's charge rate x amount. The amount leaves the
// account when the order opens. A running order is pushed in state '3' with
// its period in seconds, a settled one in state '2' with period 0.
#include "PeriodicTask.h"
#include "SimServer.h"

namespace simmarket {

struct SimBinaryContract
{
    int64_t no = 0;
    int symbolId = 0;
    int periodCount = 1;
    char periodUnit = '2'; // '1' seconds, '2' minutes, '3' hours
    double profitRate = 0.8;
    double chargeRate = 0.0;
    double minAmount = 10;
    double maxAmount = 10000;
    double step = 10;
    char state = '2'; // '2' open for orders
    int64_t startMs = 0;
    int64_t endMs = 0;
};

struct SimBinaryOrder
{
    std::string code;
    int accountKey = 0;
    int symbolId = 0;
    int64_t contractNo = 0;
    char side = 'b';
    int periodCount = 0;
    char periodUnit = '2';
    int periodSeconds = 0;
    double amount = 0;
    double openPrice = 0;
    double expirePrice = 0;
    double profitRate = 0;
    double charge = 0;
    double profit = 0;
    char state = '3'; // '3' running, '2' settled
    int64_t openMs = 0;
    int64_t expireMs = 0;
};

class BinaryOptionService
{
public:
    explicit BinaryOptionService(SimServer& server);

    void Load(const nlohmann::json& scenario);
    // Takes over the order request for type 'F' and hands the others on.
    void Register();

    // Changes a contract's state and pushes it to every logged-in user.
    bool SetContractState(int64_t contractNo, char state);
    // Settles every running order whose expiry the market clock has reached.
    void Tick();

    const std::vector<SimBinaryContract>& Contracts() const { return m_contracts; }
    // Every order, running and settled (kept for history), by code.
    const std::map<std::string, SimBinaryOrder>& Orders() const { return m_orders; }

    // Length of a contract period in seconds, 0 for an unknown unit.
    static int PeriodSeconds(int count, char unit);
    // The result of an order settled at a price: profit and money returned.
    static void Settle(SimBinaryOrder& order, double expirePrice, double& moneyBack);

private:
    void OnSetOrder(const std::shared_ptr<Session>& session, const tradeapi::wire::Frame& frame);
    void OnQryContracts(const std::shared_ptr<Session>& session, const tradeapi::wire::Frame& frame);
    void OnQryOrders(const std::shared_ptr<Session>& session, const tradeapi::wire::Frame& frame);

    sFFixBinaryContract ContractRow(const SimBinaryContract& contract) const;
    sFFixBinaryOrer OrderRow(const SimBinaryOrder& order) const;
    void PushOrder(const SimBinaryOrder& order);

    SimServer& m_server;
    MarketState& m_state;
    RequestHandler m_otherOrders;
    std::vector<SimBinaryContract> m_contracts;
    std::map<std::string, SimBinaryOrder> m_orders; // by code
    PeriodicTask m_ticker;
};

} // namespace simmarket
