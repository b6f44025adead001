#pragma once
// Orders: market open and close, limit and stop orders that wait for their
// price, cancel, modify and the close of a position. Each request is answered
// first; its pushes follow in the order the client reads them: fill notice,
// closed bill, hold bill, position, then the account's money.
#include "SimServer.h"

namespace simmarket {

class OrderEngine
{
public:
    // The close type of the close a delivery makes.
    static constexpr char kDeliveryCloseType = 'A';

    explicit OrderEngine(SimServer& server);

    void Register();
    // Fills the waiting orders and the stop-loss / take-profit of the hold
    // bills that the symbol's new price reaches.
    void OnPriceChanged(int symbolId);
    // Closes a whole hold bill at the market price on the market's own
    // decision (risk, delivery) and pushes it with the account's money.
    void CloseByMarket(const std::string& holdCode, char closeType, char operation);

private:
    void OnSetOrder(const std::shared_ptr<Session>& session, const tradeapi::wire::Frame& frame);
    void OnCancelOrder(const std::shared_ptr<Session>& session, const tradeapi::wire::Frame& frame);
    void OnModifyOrder(const std::shared_ptr<Session>& session, const tradeapi::wire::Frame& frame);
    void OnPositionClose(const std::shared_ptr<Session>& session, const tradeapi::wire::Frame& frame);

    // Error id, or 0 with the account and symbol of a request.
    int Resolve(const Session& session, int accountKey, int symbolId, SimAccount*& account,
                SimSymbol*& symbol);
    int CheckOpen(const SimAccount& account, const SimSymbol& symbol, char side, double quantity,
                  double price, double stopLoss, double takeProfit);
    // A new hold bill at the market price: pushes fill, hold and position.
    void FillOpen(const std::string& code, SimAccount& account, SimSymbol& symbol, char side, double quantity,
                  double stopLoss, double takeProfit, char operation);
    // Closes part or all of a hold bill: pushes fill, closed bill, hold and
    // position. Returns the close order code.
    std::string CloseHold(const std::string& holdCode, double quantity, char closeType, char operation);
    void PushLimit(const SimLimit& limit, double quantityComplete, double quantityOrder);
    void PushMoney(const SimAccount& account);
    void PushPosition(const SimAccount& account, int symbolId);

    SimServer& m_server;
    MarketState& m_state;
};

} // namespace simmarket
