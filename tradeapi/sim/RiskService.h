#pragma once
// Risk lines of the accounts. Every 100 ms the market computes each account's
// risk rate (the client's formula for its risk kind) against its warning and
// force-close lines (a line of 0 switches the check off). For kind '1' a
// higher rate is worse, for kinds '2' and '3' a lower one. Crossing the
// warning line pushes a new notice (1047, kind '2': add deposit), repeated
// as 1048 every "riskRepeatMs" of market time while the account stays there;
// crossing the force line closes every hold bill of the account by force
// (close type '9') and pushes a new notice of kind '3'. The notice carries:
// kind, risk kind, rate, warning line, force line and net value.
#include "OrderEngine.h"
#include "PeriodicTask.h"
#include "SimServer.h"

namespace simmarket {

class RiskService
{
public:
    RiskService(SimServer& server, OrderEngine& orders);

    void Load(const nlohmann::json& scenario);
    void Register();

    // Sets the account's money so that its rate lies past the named line
    // ("normal", "warning" or "force") and checks it at once. Empty on
    // success, else why not.
    std::string MoveAcross(int accountKey, const std::string& line);
    void Tick();

private:
    enum Level { kNormal = 0, kWarning = 1, kForce = 2 };
    struct Watch
    {
        Level level = kNormal;
        int64_t lastNoticeMs = 0;
    };

    double Rate(const SimAccount& account) const;
    Level LevelOf(const SimAccount& account, double rate) const;
    void Check(SimAccount& account);
    void Notify(const SimAccount& account, uint32_t code, char kind, double rate, int64_t nowMs);

    SimServer& m_server;
    MarketState& m_state;
    OrderEngine& m_orders;
    int64_t m_repeatMs = 60000;
    std::map<int, Watch> m_watch; // by account key
    PeriodicTask m_ticker;
};

} // namespace simmarket
