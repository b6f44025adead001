#include "QueryService.h"

#include <cstring>
#include <set>

namespace simmarket {

using namespace tradeapi::wire;
using tradeapi::FixedText;

void QueryService::On(uint32_t code, Handler handler)
{
    m_server.Router().SetHandler(code, [this, handler](const std::shared_ptr<Session>& s, const Frame& f) {
        (this->*handler)(*s, f);
    });
}

void QueryService::Register()
{
    On(kReqQrySymbolInfo, &QueryService::Symbols);
    On(kReqQryAccount, &QueryService::Accounts);
    On(kReqQryPosition, &QueryService::Positions);
    On(kReqQryHoldDetail, &QueryService::Holds);
    On(kReqQryCloseBill, &QueryService::CloseBills);
    On(kReqQryLimitOrder, &QueryService::Limits);
    On(kReqQryCurrencyExchangeRate, &QueryService::Rates);
    On(kReqQryInOutMoney, &QueryService::MoneyMoves);
    On(kReqQryPayPortInfo, &QueryService::UserPayPorts);
    On(kReqQrySysPayPortInfo, &QueryService::SysPayPorts);
    On(kReqQryBonusPoint, &QueryService::BonusPoints);
}

bool QueryService::OwnsAccount(const Session& session, int accountKey) const
{
    auto it = m_server.State().accounts.find(accountKey);
    return it != m_server.State().accounts.end() && it->second.userId == session.userId;
}

void QueryService::Symbols(Session& session, const Frame& frame)
{
    MarketState& state = m_server.State();
    std::vector<sFFixRspQrySymbolInfo> rows;
    const int64_t now = m_server.Clock().NowMs();
    for(auto& [id, symbol] : state.symbols)
        if(const SimAccount* account = state.AccountForSymbol(session.userId, symbol))
            rows.push_back(m_server.Rows().Symbol(symbol, account->key, now));
    SendRows(session, AnswerCode(frame.header.code), frame.header.requestId, rows);
}

void QueryService::Accounts(Session& session, const Frame& frame)
{
    std::vector<sFFixRspQryAccount> rows;
    const SimUser* user = m_server.State().FindUserById(session.userId);
    for(const auto& [key, account] : m_server.State().accounts)
        if(user && account.userId == session.userId)
            rows.push_back(m_server.Rows().Account(account, *user));
    SendRows(session, kRspQryAccount, frame.header.requestId, rows);
}

void QueryService::Positions(Session& session, const Frame& frame)
{
    std::set<std::pair<int, int>> pairs;
    for(const auto& [code, hold] : m_server.State().holds)
        if(OwnsAccount(session, hold.accountKey))
            pairs.emplace(hold.accountKey, hold.symbolId);
    std::vector<sFFixPosition> rows;
    for(const auto& [account, symbol] : pairs)
        rows.push_back(m_server.Rows().Position(account, symbol));
    SendRows(session, kRspQryPosition, frame.header.requestId, rows);
}

void QueryService::Holds(Session& session, const Frame& frame)
{
    std::vector<sFFixHoldDetail> rows;
    for(const auto& [code, hold] : m_server.State().holds)
        if(OwnsAccount(session, hold.accountKey))
            rows.push_back(m_server.Rows().Hold(hold));
    SendRows(session, kRspQryHoldDetail, frame.header.requestId, rows);
}

void QueryService::CloseBills(Session& session, const Frame& frame)
{
    std::vector<sFFixCloseBill> rows;
    for(const auto& bill : m_server.State().closeBills)
        if(!bill.history && OwnsAccount(session, bill.accountKey))
            rows.push_back(m_server.Rows().CloseBill(bill));
    SendRows(session, kRspQryCloseBill, frame.header.requestId, rows);
}

void QueryService::Limits(Session& session, const Frame& frame)
{
    std::vector<sFFixLimitOrder> rows;
    for(const auto& [code, limit] : m_server.State().limits)
        if(OwnsAccount(session, limit.accountKey))
            rows.push_back(m_server.Rows().Limit(limit, 0));
    SendRows(session, kRspQryLimitOrder, frame.header.requestId, rows);
}

void QueryService::Rates(Session& session, const Frame& frame)
{
    sFFixCurrencyExchangeRate req;
    std::memcpy(&req, frame.body.data(), sizeof req);
    const std::string from = FixedText(req.fromCurrency);
    const std::string to = FixedText(req.toCurrency);
    std::vector<sFFixCurrencyExchangeRate> rows;
    for(const auto& rate : m_server.State().rates)
        if((from.empty() || rate.from == from) && (to.empty() || rate.to == to))
            rows.push_back(m_server.Rows().Rate(rate));
    SendRows(session, kRspQryCurrencyExchangeRate, frame.header.requestId, rows);
}

void QueryService::MoneyMoves(Session& session, const Frame& frame)
{
    std::vector<sFFixRspInOutMoney> rows;
    for(const auto& [id, move] : m_server.State().moneyMoves)
        if(!move.history && OwnsAccount(session, move.accountKey))
            rows.push_back(m_server.Rows().MoneyMove(move));
    SendRows(session, kRspQryInOutMoney, frame.header.requestId, rows);
}

void QueryService::UserPayPorts(Session& session, const Frame& frame)
{
    std::vector<sFFixPayPortInfo> rows;
    for(const auto& port : m_server.State().userPayPorts)
        if(port.userId == session.userId)
            rows.push_back(m_server.Rows().UserPayPort(port));
    SendRows(session, kRspQryPayPortInfo, frame.header.requestId, rows);
}

void QueryService::SysPayPorts(Session& session, const Frame& frame)
{
    std::vector<sFFixSysPayPortInfo> rows;
    for(const auto& port : m_server.State().sysPayPorts)
        rows.push_back(m_server.Rows().SysPayPort(port));
    SendRows(session, kRspQrySysPayPortInfo, frame.header.requestId, rows);
}

void QueryService::BonusPoints(Session& session, const Frame& frame)
{
    std::vector<sFFixBonusPoint> rows;
    for(const auto& [key, account] : m_server.State().accounts)
        if(account.userId == session.userId && account.bonusPoint >= 0) {
            sFFixBonusPoint row{};
            row.accountKey = key;
            row.bonusPoint = account.bonusPoint;
            rows.push_back(row);
        }
    SendRows(session, kRspQryBonusPoint, frame.header.requestId, rows);
}

} // namespace simmarket
