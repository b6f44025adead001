#pragma once
// Money: deposits and withdrawals with their states, transfers between
// accounts, the main account, surety money, passwords and exchange rates.
// A deposit or withdrawal is answered (1039, then its id 1044) and pushed as
// a movement in state '1' Waiting; a deposit also gets its bank page (1076).
// The market moves it on to '2' Processing and '3' Pass, one step every
// "moneyStepMs" of market time; a passed deposit credits the account and
// earns one bonus point per 100 deposited. A withdrawal holds its amount
// from the start; a rejected one ('4') gives it back. A raise of an
// account's surety money that would take its risk rate to the force-close
// line is refused with 141, as a lowering never is.
#include "PayPortService.h"
#include "PeriodicTask.h"
#include "SimServer.h"

namespace simmarket {

class MoneyService
{
public:
    MoneyService(SimServer& server, PayPortService& payPorts);

    void Load(const nlohmann::json& scenario);
    void Register();

    // Moves a movement to a state ('2'..'5') at once; false for an unknown
    // movement or a state it cannot reach from where it stands.
    bool SetMovementState(int inOutId, char state);
    // Sets (or adds) a rate and pushes it to every logged-in user.
    bool SetExchangeRate(const std::string& from, const std::string& to, double rate);
    // Pushes the account's money (1016).
    void PushMoney(const SimAccount& account);
    // Runs the due steps of the movements now.
    void Tick();

private:
    void OnInOutMoney(const std::shared_ptr<Session>& session, const tradeapi::wire::Frame& frame);
    void OnMoveMoney(const std::shared_ptr<Session>& session, const tradeapi::wire::Frame& frame);
    void OnMasterAccount(const std::shared_ptr<Session>& session, const tradeapi::wire::Frame& frame);
    void OnSetSuretyMoney(const std::shared_ptr<Session>& session, const tradeapi::wire::Frame& frame);
    void OnModifyPassword(const std::shared_ptr<Session>& session, const tradeapi::wire::Frame& frame);

    SimAccount* OwnAccount(const Session& session, int accountKey);
    int CheckMoneyPassword(const Session& session, const std::string& password) const;
    void PushMovement(const SimMoneyMove& move);

    SimServer& m_server;
    MarketState& m_state;
    PayPortService& m_payPorts;
    int64_t m_stepMs = 5000;
    std::map<int, int64_t> m_nextStepMs; // movements the market moves on, by id
    PeriodicTask m_ticker;
};

} // namespace simmarket
