#pragma once
// Delivery of goods against hold bills. An application marks the bill
// "waiting for delivery" (hold push, delivery state '2'); it may be withdrawn
// until the market pairs it. "deliveryDelayMs" of market time after the
// application the market pairs it (state '3') and pushes a delivery order
// waiting for confirmation ('1'); as long again later the delivery completes:
// the bill is closed at the market price (close type 'A'), the buyer pays the
// goods' value and receives the goods into store "deliveryStoreId", the
// seller is paid and gives goods up, the delivery order is pushed confirmed
// ('2') and the account's goods and money follow. Only the symbols listed in
// "deliverySymbols" can be delivered.
#include "GoodsService.h"
#include "OrderEngine.h"
#include "PeriodicTask.h"
#include "SimServer.h"

#include <set>

namespace simmarket {

struct DeliveryApplication
{
    std::string holdCode;
    int64_t appliedMs = 0;
    std::string deliveryCode; // set once paired
};

class DeliveryService
{
public:
    DeliveryService(SimServer& server, OrderEngine& orders, GoodsService& goods);

    void Load(const nlohmann::json& scenario);
    void Register();
    void Tick();

    // Applications not yet completed, by hold code.
    const std::map<std::string, DeliveryApplication>& Applications() const { return m_applications; }
    // Every delivery order, by its code.
    const std::map<std::string, sFFixDeliveryOrder>& Orders() const { return m_deliveries; }

private:
    using Application = DeliveryApplication;

    void OnHoldBillDelivery(const std::shared_ptr<Session>& session, const tradeapi::wire::Frame& frame);
    void OnQryDeliveryOrders(const std::shared_ptr<Session>& session, const tradeapi::wire::Frame& frame);

    void PushHold(const SimHold& hold, char deliveryState, int64_t dueMs);
    void Pair(Application& application, const SimHold& hold, int64_t nowMs);
    void Complete(Application& application, int64_t nowMs);
    void PushOrder(const sFFixDeliveryOrder& order);

    SimServer& m_server;
    MarketState& m_state;
    OrderEngine& m_orders;
    GoodsService& m_goods;
    std::set<int> m_symbols;
    int64_t m_delayMs = 10000;
    int m_storeId = 1;
    std::map<std::string, Application> m_applications;      // by hold code
    std::map<std::string, sFFixDeliveryOrder> m_deliveries; // by delivery code
    PeriodicTask m_ticker;
};

} // namespace simmarket
