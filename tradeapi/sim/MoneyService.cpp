#include "MoneyService.h"

#include "BankPageService.h"
#include "ErrorCodes.h"
#include "MarketMath.h"
#include "RequestBody.h"

#include <cmath>
#include <cstdio>

namespace simmarket {

using namespace tradeapi::wire;
using tradeapi::FixedText;
using tradeapi::SetFixedText;

namespace {

constexpr double kEpsilon = 1e-9;

bool IsAmount(double value)
{
    return std::isfinite(value) && value > 0;
}

} // namespace

MoneyService::MoneyService(SimServer& server, PayPortService& payPorts)
    : m_server(server), m_state(server.State()), m_payPorts(payPorts),
      m_ticker(server.Io(), std::chrono::milliseconds(100), [this] { Tick(); })
{}

void MoneyService::Load(const nlohmann::json& scenario)
{
    m_stepMs = scenario.value("moneyStepMs", static_cast<int64_t>(5000));
    if(m_stepMs < 0)
        throw std::runtime_error("\"moneyStepMs\" must not be negative");
}

void MoneyService::Register()
{
    auto& router = m_server.Router();
    router.SetHandler(kReqInOutMoney, [this](const auto& s, const auto& f) { OnInOutMoney(s, f); });
    router.SetHandler(kReqMoveMoney, [this](const auto& s, const auto& f) { OnMoveMoney(s, f); });
    router.SetHandler(kReqMasterAccount, [this](const auto& s, const auto& f) { OnMasterAccount(s, f); });
    router.SetHandler(kReqSetSuretyMoney, [this](const auto& s, const auto& f) { OnSetSuretyMoney(s, f); });
    router.SetHandler(kReqModifyPassword, [this](const auto& s, const auto& f) { OnModifyPassword(s, f); });
    m_ticker.Start();
}

SimAccount* MoneyService::OwnAccount(const Session& session, int accountKey)
{
    SimAccount* account = m_state.FindAccount(accountKey);
    return account && account->userId == session.userId ? account : nullptr;
}

int MoneyService::CheckMoneyPassword(const Session& session, const std::string& password) const
{
    const SimUser* user = m_state.FindUserById(session.userId);
    if(!user)
        return kErrNoUser;
    if(user->moneyPassword.empty())
        return kErrNoMoneyPassword;
    return user->moneyPassword == password ? kErrNone : kErrBadMoneyPassword;
}

void MoneyService::PushMoney(const SimAccount& account)
{
    m_server.PushToUser(account.userId, kNtfMoneyChanged, m_server.Rows().Money(account));
}

void MoneyService::PushMovement(const SimMoneyMove& move)
{
    if(const SimAccount* account = m_state.FindAccount(move.accountKey))
        m_server.PushToUser(account->userId, kNtfInOutMoney, m_server.Rows().MoneyMove(move));
}

void MoneyService::OnInOutMoney(const std::shared_ptr<Session>& session, const Frame& frame)
{
    const auto req = RequestBody<sFFixReqInOutMoney>(frame);
    const int id = frame.header.requestId;
    auto refuse = [&](int error, const std::string& text) {
        SendAnswer(*session, kRspReqInOutMoney, id, req, MakeInfo(error, text));
    };
    SimAccount* account = OwnAccount(*session, req.accountKey);
    if(!account)
        return refuse(kErrNoAccount, "资金账号不存在");
    if(req.direction != '1' && req.direction != '2')
        return refuse(kErrBadInOutType, "出入金类型错误");
    if(!IsAmount(req.amount) || std::fabs(RoundCents(req.amount) - req.amount) > kEpsilon)
        return refuse(kErrBadInOutAmount, "出入金金额异常");
    if(int error = CheckMoneyPassword(*session, FixedText(req.moneyPassword)))
        return refuse(error, error == kErrBadMoneyPassword ? "资金密码错误" : "请先设置资金密码");
    const SimUserPayPort* registration = m_payPorts.FindRegistration(session->userId, account->currency);
    const SimSysPayPort* port =
        registration ? m_payPorts.FindSysPayPort(registration->sysPayPortId) : nullptr;
    if(!port)
        return refuse(kErrNotRegisteredForInOut, "未签约客户不允许出入金");
    if(!m_payPorts.CheckBankPassword(session->userId, *port, FixedText(req.bankPassword), id))
        return refuse(kErrPayPortRefused, "支付接口端返回错误");
    if(req.direction == '2' && req.amount > m_state.WithdrawLimit(account->key) + kEpsilon)
        return refuse(kErrNoWithdrawable, "可出资金不足");

    SimMoneyMove move;
    move.id = m_state.NextMoneyId();
    move.accountKey = account->key;
    move.type = req.direction;
    move.approveState = '1';
    move.amount = req.amount;
    move.changeTimeMs = m_server.Clock().NowMs();
    char serial[20];
    std::snprintf(serial, sizeof serial, "%s%d", req.direction == '1' ? "IN" : "OUT", move.id);
    move.serialCode = serial;
    m_state.moneyMoves[move.id] = move;
    if(m_stepMs > 0)
        m_nextStepMs[move.id] = move.changeTimeMs + m_stepMs;
    // A withdrawal holds its money until it passes or is rejected.
    if(req.direction == '2')
        m_state.ChangeBalance(*account, -req.amount, '2', std::to_string(move.id), move.changeTimeMs);

    SendAnswer(*session, kRspReqInOutMoney, id, req, MakeInfo(kErrNone, ""));
    sFFixInOutMoneyId moveId{};
    moveId.accountKey = account->key;
    moveId.inOutId = move.id;
    SetFixedText(moveId.serialCode, move.serialCode);
    SendAnswer(*session, kRspInOutMoneyId, id, moveId, MakeInfo(kErrNone, ""));
    PushMovement(move);
    if(req.direction == '1') {
        sFFixBankInUrl page{};
        page.accountKey = account->key;
        page.id = move.id;
        page.sysPayPortId = port->id;
        SetFixedText(page.url,
                     BankPageService::DepositUrl(m_server.HttpBase(), move.id, move.amount, port->id));
        m_server.PushToUser(account->userId, kNtfBankInUrl, page);
    } else
        PushMoney(*account);
}

bool MoneyService::SetMovementState(int inOutId, char state)
{
    auto it = m_state.moneyMoves.find(inOutId);
    if(it == m_state.moneyMoves.end())
        return false;
    SimMoneyMove& move = it->second;
    const char from = move.approveState;
    const bool open = from == '1' || from == '2';
    if(!open || state < '2' || state > '5' || (state == '2' && from != '1'))
        return false;
    SimAccount* account = m_state.FindAccount(move.accountKey);
    if(!account)
        return false;
    move.approveState = state;
    if(state == '2') {
        if(m_stepMs > 0)
            m_nextStepMs[move.id] = m_server.Clock().NowMs() + m_stepMs;
        PushMovement(move);
        return true;
    }
    m_nextStepMs.erase(move.id);
    move.confirmTimeMs = m_server.Clock().NowMs();
    bool moneyChanged = false;
    if(state == '3' && move.type == '1') {
        m_state.ChangeBalance(*account, move.amount, '1', std::to_string(move.id), move.confirmTimeMs);
        moneyChanged = true;
    } else if(state != '3' && move.type == '2') {
        m_state.ChangeBalance(*account, move.amount, 'I', std::to_string(move.id), move.confirmTimeMs);
        moneyChanged = true;
    }
    PushMovement(move);
    if(moneyChanged)
        PushMoney(*account);
    const double points = std::floor(move.amount / 100.0);
    if(state == '3' && move.type == '1' && points > 0) {
        account->bonusPoint = std::max(account->bonusPoint, 0.0) + points;
        sFFixBonusPoint bonus{};
        bonus.accountKey = account->key;
        bonus.bonusPoint = account->bonusPoint;
        m_server.PushToUser(account->userId, kNtfBonusPoint, bonus);
    }
    return true;
}

void MoneyService::Tick()
{
    const int64_t now = m_server.Clock().NowMs();
    std::vector<int> due;
    for(const auto& [id, at] : m_nextStepMs)
        if(at <= now)
            due.push_back(id);
    for(int id : due) {
        auto move = m_state.moneyMoves.find(id);
        if(move == m_state.moneyMoves.end()) {
            m_nextStepMs.erase(id);
            continue;
        }
        SetMovementState(id, move->second.approveState == '1' ? '2' : '3');
    }
}

void MoneyService::OnMoveMoney(const std::shared_ptr<Session>& session, const Frame& frame)
{
    const auto req = RequestBody<sFFixMoveMoney>(frame);
    auto reply = [&](int error, const std::string& text) {
        SendAnswer(*session, kRspMoveMoney, frame.header.requestId, req, MakeInfo(error, text));
    };
    SimAccount* from = OwnAccount(*session, req.fromAccountKey);
    SimAccount* to = OwnAccount(*session, req.toAccountKey);
    if(!from || !to)
        return reply(kErrNoAccount, "资金账号不存在");
    if(from == to)
        return reply(kErrSameAccount, "不能在同一个账户间转账");
    if(from->currency != to->currency)
        return reply(kErrCurrencyMismatch, "不同币种的市场间转账不支持");
    if(!IsAmount(req.amount))
        return reply(kErrBadTransferAmount, "转账金额异常");
    if(int error = CheckMoneyPassword(*session, FixedText(req.password)))
        return reply(error, error == kErrBadMoneyPassword ? "资金密码错误" : "请先设置资金密码");
    if(req.amount > m_state.AvailableCash(from->key) + kEpsilon)
        return reply(kErrNoWithdrawable, "可出资金不足");
    const int64_t now = m_server.Clock().NowMs();
    m_state.ChangeBalance(*from, -req.amount, 'N', std::to_string(to->key), now);
    m_state.ChangeBalance(*to, req.amount, 'M', std::to_string(from->key), now);
    reply(kErrNone, "");
    PushMoney(*from);
    PushMoney(*to);
}

void MoneyService::OnMasterAccount(const std::shared_ptr<Session>& session, const Frame& frame)
{
    const auto req = RequestBody<sFFixMasterAccount>(frame);
    auto reply = [&](int error, const std::string& text) {
        SendAnswer(*session, kRspMasterAccount, frame.header.requestId, req, MakeInfo(error, text));
    };
    if(req.userId != session->userId)
        return reply(kErrUserMismatch, "用户不匹配");
    SimAccount* chosen = OwnAccount(*session, req.accountKey);
    if(!chosen || chosen->marketId != req.marketId)
        return reply(kErrNoAccount, "资金账号不存在");
    std::vector<SimAccount*> changed;
    for(auto& [key, account] : m_state.accounts) {
        if(account.userId != session->userId || account.currency != chosen->currency)
            continue;
        const char state = &account == chosen ? '1' : '2';
        if(account.accountState != state) {
            account.accountState = state;
            changed.push_back(&account);
        }
    }
    reply(kErrNone, "");
    for(const SimAccount* account : changed) {
        sFFixAccount push{};
        push.accountKey = account->key;
        push.accStatus = account->accStatus;
        push.accountState = account->accountState;
        m_server.PushToUser(account->userId, kNtfAccount, push);
    }
}

void MoneyService::OnSetSuretyMoney(const std::shared_ptr<Session>& session, const Frame& frame)
{
    const auto req = RequestBody<sFFixSetSuretyMoney>(frame);
    auto reply = [&](int error, const std::string& text) {
        SendPlain(*session, kRspSetSuretyMoney, frame.header.requestId, MakeInfo(error, text));
    };
    SimAccount* account = OwnAccount(*session, req.accountKey);
    if(!account)
        return reply(kErrNoAccount, "资金账号不存在");
    if(account->riskKind != '3')
        return reply(kErrNoSuretyRight, "没有权限设置该账户的担保金！");
    if(!std::isfinite(req.amount) || req.amount < 0)
        return reply(kErrBadSuretyMoney, "设置的担保金额非法");
    if(int error = CheckMoneyPassword(*session, FixedText(req.password)))
        return reply(error, error == kErrBadMoneyPassword ? "资金密码错误" : "请先设置资金密码");
    // A raise the account's net value cannot cover would put it past its
    // force-close line at once: refused, not taken and then closed by force.
    const double amount = RoundCents(req.amount);
    const double net = RoundCents(m_state.NetValue(account->key));
    const double rate = RiskRate('3', net, m_state.MarginUsed(account->key), amount);
    if(amount > account->suretyMoney &&
       RiskLinesReached('3', rate, account->warningLine, account->forceCloseLine) == 2)
        return reply(kErrBadSuretyMoney, "设置的担保金额非法");
    account->suretyMoney = amount;
    reply(kErrNone, "");
    PushMoney(*account);
}

void MoneyService::OnModifyPassword(const std::shared_ptr<Session>& session, const Frame& frame)
{
    const auto req = RequestBody<sFFixModifyPassword>(frame);
    auto reply = [&](int error, const std::string& text) {
        SendPlain(*session, kRspModifyPassword, frame.header.requestId, MakeInfo(error, text));
    };
    if(req.userId != session->userId)
        return reply(kErrUserMismatch, "用户不匹配");
    auto user = m_state.users.find(session->userId);
    if(user == m_state.users.end())
        return reply(kErrNoUser, "用户不存在");
    const std::string next = FixedText(req.newPassword);
    const std::string old = FixedText(req.oldPassword);
    if(next.empty())
        return reply(kErrBadParameter, "参数异常");
    if(req.kind == '1') {
        if(old != user->second.password)
            return reply(kErrBadPassword, "用户名或口令错误");
        user->second.password = next;
        user->second.mustChangePassword = false;
    } else if(req.kind == '2') {
        if(old != user->second.moneyPassword)
            return reply(kErrBadMoneyPassword, "资金密码错误");
        user->second.moneyPassword = next;
    } else
        return reply(kErrInvalidRequest, "无效请求");
    reply(kErrNone, "");
    sFFixModifyPassword notice = req;
    std::memset(notice.newPassword, 0, sizeof notice.newPassword);
    std::memset(notice.oldPassword, 0, sizeof notice.oldPassword);
    m_server.PushToUser(session->userId, kNtfModifyPassword, notice);
}

bool MoneyService::SetExchangeRate(const std::string& from, const std::string& to, double rate)
{
    if(from.empty() || to.empty() || from.size() > 4 || to.size() > 4 || !IsAmount(rate))
        return false;
    SimRate* stored = nullptr;
    for(auto& r : m_state.rates)
        if(r.from == from && r.to == to)
            stored = &r;
    if(!stored) {
        m_state.rates.push_back({from, to, rate});
        stored = &m_state.rates.back();
    }
    stored->rate = rate;
    const sFFixCurrencyExchangeRate push = m_server.Rows().Rate(*stored);
    for(const auto& session : m_server.AllSessions())
        if(session->Kind() == FrontKind::Trade && session->userId != 0)
            SendNtf(*session, kNtfCurrencyExchangeRate, push);
    return true;
}

} // namespace simmarket
