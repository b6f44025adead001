#pragma once
// Answers to the common queries of both fronts: rows, or the empty answer when
// there are none. The services that keep their own records answer theirs.
#include "SimServer.h"

namespace simmarket {

class QueryService
{
public:
    explicit QueryService(SimServer& server) : m_server(server) {}

    void Register();

private:
    using Handler = void (QueryService::*)(Session&, const tradeapi::wire::Frame&);
    void On(uint32_t code, Handler handler);

    void Symbols(Session& session, const tradeapi::wire::Frame& frame);
    void Accounts(Session& session, const tradeapi::wire::Frame& frame);
    void Positions(Session& session, const tradeapi::wire::Frame& frame);
    void Holds(Session& session, const tradeapi::wire::Frame& frame);
    void CloseBills(Session& session, const tradeapi::wire::Frame& frame);
    void Limits(Session& session, const tradeapi::wire::Frame& frame);
    void Rates(Session& session, const tradeapi::wire::Frame& frame);
    void MoneyMoves(Session& session, const tradeapi::wire::Frame& frame);
    void UserPayPorts(Session& session, const tradeapi::wire::Frame& frame);
    void SysPayPorts(Session& session, const tradeapi::wire::Frame& frame);
    void BonusPoints(Session& session, const tradeapi::wire::Frame& frame);

    bool OwnsAccount(const Session& session, int accountKey) const;

    SimServer& m_server;
};

} // namespace simmarket
