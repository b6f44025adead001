#include "RiskService.h"

#include "MarketMath.h"

#include <algorithm>

namespace simmarket {

using namespace tradeapi::wire;
using tradeapi::SetFixedText;

RiskService::RiskService(SimServer& server, OrderEngine& orders)
    : m_server(server), m_state(server.State()), m_orders(orders),
      m_ticker(server.Io(), std::chrono::milliseconds(100), [this] { Tick(); })
{}

void RiskService::Load(const nlohmann::json& scenario)
{
    m_repeatMs = scenario.value("riskRepeatMs", static_cast<int64_t>(60000));
    if(m_repeatMs <= 0)
        throw std::runtime_error("\"riskRepeatMs\" must be positive");
}

void RiskService::Register()
{
    m_ticker.Start();
}

double RiskService::Rate(const SimAccount& account) const
{
    const double net = RoundCents(m_state.NetValue(account.key));
    return RiskRate(account.riskKind, net, m_state.MarginUsed(account.key), account.suretyMoney);
}

RiskService::Level RiskService::LevelOf(const SimAccount& account, double rate) const
{
    // Kinds '1' and '2' mean nothing without margin in use.
    if(account.riskKind != '3' && m_state.MarginUsed(account.key) <= 0)
        return kNormal;
    return static_cast<Level>(
        RiskLinesReached(account.riskKind, rate, account.warningLine, account.forceCloseLine));
}

void RiskService::Notify(const SimAccount& account, uint32_t code, char kind, double rate, int64_t nowMs)
{
    sFFixRiskInfo notice{};
    notice.accountKey = account.key;
    notice.riskCode1 = kind;
    notice.riskCode2 = account.riskKind;
    notice.value1 = rate;
    notice.value2 = account.warningLine;
    notice.value3 = account.forceCloseLine;
    notice.value4 = RoundCents(m_state.NetValue(account.key));
    SetFixedText(notice.noticeDate, SimClock::DateText(nowMs));
    SetFixedText(notice.noticeTime, SimClock::TimeText(nowMs));
    m_server.PushToUser(account.userId, code, notice);
}

void RiskService::Check(SimAccount& account)
{
    const int64_t now = m_server.Clock().NowMs();
    const double rate = Rate(account);
    const Level level = LevelOf(account, rate);
    Watch& watch = m_watch[account.key];
    if(level == kForce) {
        std::vector<std::string> codes;
        for(const auto& [code, hold] : m_state.holds)
            if(hold.accountKey == account.key)
                codes.push_back(code);
        // Once per crossing, and again only when new bills are opened while
        // the account is still past the line.
        if(watch.level == kForce && codes.empty())
            return;
        for(const auto& code : codes)
            m_orders.CloseByMarket(code, '9', '8');
        Notify(account, kNtfRiskInfo, '3', rate, now);
        watch.lastNoticeMs = now;
        watch.level = kForce;
        return;
    }
    if(level == kWarning && watch.level != kWarning) {
        Notify(account, kNtfRiskInfo, '2', rate, now);
        watch.lastNoticeMs = now;
    } else if(level == kWarning && now - watch.lastNoticeMs >= m_repeatMs) {
        Notify(account, kNtfRiskInfo2, '2', rate, now);
        watch.lastNoticeMs = now;
    }
    watch.level = level;
}

void RiskService::Tick()
{
    for(auto& [key, account] : m_state.accounts)
        Check(account);
}

std::string RiskService::MoveAcross(int accountKey, const std::string& line)
{
    SimAccount* account = m_state.FindAccount(accountKey);
    if(!account)
        return "unknown account";
    const double w = account->warningLine;
    const double f = account->forceCloseLine;
    if(w == 0 || f == 0)
        return "the account has no risk lines";
    const bool higherIsWorse = HigherIsWorse(account->riskKind);
    double target;
    if(line == "warning")
        target = (w + f) / 2;
    else if(line == "force")
        target = higherIsWorse ? f * 1.05 : f / 2;
    else if(line == "normal")
        target = higherIsWorse ? w / 2 : w * 2;
    else
        return "line must be normal, warning or force";
    const double used = m_state.MarginUsed(account->key);
    double net;
    if(account->riskKind == '1' || account->riskKind == '2') {
        if(used <= 0)
            return "the account has no margin in use";
        net = account->riskKind == '1' ? used / target : used * target;
    } else if(account->riskKind == '3') {
        const double surety = std::max(account->suretyMoney, 1.0);
        net = surety * (1 + target);
    } else
        return "the account's risk kind has no rate";
    m_state.ChangeBalance(*account, RoundCents(net - m_state.FloatingProfit(account->key)) - account->balance,
                          '3', "risk " + line, m_server.Clock().NowMs());
    m_server.PushToUser(account->userId, kNtfMoneyChanged, m_server.Rows().Money(*account));
    Check(*account);
    return {};
}

} // namespace simmarket
