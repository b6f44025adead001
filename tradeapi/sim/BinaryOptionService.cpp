#include "BinaryOptionService.h"

#include "ErrorCodes.h"
#include "MarketMath.h"
#include "RequestBody.h"

#include <cmath>

namespace simmarket {

using namespace tradeapi::wire;
using nlohmann::json;
using tradeapi::SetFixedText;

namespace {

constexpr double kEpsilon = 1e-9;

char OneChar(const json& j, const char* key, char fallback)
{
    if(!j.contains(key))
        return fallback;
    const std::string text = j.at(key).get<std::string>();
    if(text.size() != 1)
        throw std::runtime_error(std::string("\"") + key + "\" must be one character");
    return text[0];
}

} // namespace

BinaryOptionService::BinaryOptionService(SimServer& server)
    : m_server(server), m_state(server.State()),
      m_ticker(server.Io(), std::chrono::milliseconds(100), [this] { Tick(); })
{}

int BinaryOptionService::PeriodSeconds(int count, char unit)
{
    switch(unit) {
    case '1':
        return count;
    case '2':
        return count * 60;
    case '3':
        return count * 3600;
    default:
        return 0;
    }
}

void BinaryOptionService::Settle(SimBinaryOrder& order, double expirePrice, double& moneyBack)
{
    order.expirePrice = expirePrice;
    order.state = '2';
    const bool up = expirePrice > order.openPrice + kEpsilon;
    const bool down = expirePrice < order.openPrice - kEpsilon;
    if(!up && !down) {
        order.profit = 0;
        moneyBack = order.amount;
    } else if((order.side == 'b') == up) {
        order.profit = RoundCents(order.amount * order.profitRate - order.charge);
        moneyBack = RoundCents(order.amount + order.profit);
    } else {
        order.profit = -order.amount;
        moneyBack = 0;
    }
}

void BinaryOptionService::Load(const json& scenario)
{
    for(const auto& j : scenario.value("binaryContracts", json::array())) {
        SimBinaryContract c;
        c.no = j.at("no").get<int64_t>();
        c.symbolId = j.at("symbol").get<int>();
        c.periodCount = j.at("periodCount").get<int>();
        c.periodUnit = OneChar(j, "periodUnit", '2');
        c.profitRate = j.value("profitRate", 0.8);
        c.chargeRate = j.value("chargeRate", 0.0);
        c.minAmount = j.value("minAmount", 10.0);
        c.maxAmount = j.value("maxAmount", 10000.0);
        c.step = j.value("step", 10.0);
        c.state = OneChar(j, "state", '2');
        if(!m_state.FindSymbol(c.symbolId))
            throw std::runtime_error("binary contract " + std::to_string(c.no) + " names an unknown symbol");
        if(PeriodSeconds(c.periodCount, c.periodUnit) <= 0 || c.minAmount > c.maxAmount || c.profitRate < 0 ||
           c.chargeRate < 0)
            throw std::runtime_error("binary contract " + std::to_string(c.no) + " has bad terms");
        m_contracts.push_back(c);
    }
}

void BinaryOptionService::Register()
{
    auto& router = m_server.Router();
    m_otherOrders = router.HandlerOf(kReqSetOrder);
    router.SetHandler(kReqSetOrder, [this](const auto& s, const auto& f) { OnSetOrder(s, f); });
    router.SetHandler(kReqQryBinaryContract, [this](const auto& s, const auto& f) { OnQryContracts(s, f); });
    router.SetHandler(kReqQryBinaryOrer, [this](const auto& s, const auto& f) { OnQryOrders(s, f); });
    m_ticker.Start();
}

sFFixBinaryContract BinaryOptionService::ContractRow(const SimBinaryContract& c) const
{
    sFFixBinaryContract r{};
    r.value1 = c.maxAmount;
    r.value2 = c.minAmount;
    r.value3 = c.step;
    r.contractNo = c.no;
    r.state = c.state;
    if(c.startMs > 0)
        SetFixedText(r.startTime, SimClock::DateTimeText(c.startMs));
    r.int1 = c.periodCount;
    r.char1 = c.periodUnit;
    r.value5 = c.profitRate;
    if(c.endMs > 0)
        SetFixedText(r.endTime, SimClock::DateTimeText(c.endMs));
    r.contractId = c.symbolId; // second part of the key: the symbol
    r.value6 = c.chargeRate;
    return r;
}

sFFixBinaryOrer BinaryOptionService::OrderRow(const SimBinaryOrder& o) const
{
    sFFixBinaryOrer r{};
    r.int1 = o.accountKey;
    r.symbolId = o.symbolId;
    r.side = o.side;
    r.periodCount = o.periodCount;
    r.periodUnit = o.periodUnit;
    r.referencePrice = o.openPrice;
    r.openPrice = o.openPrice;
    r.expirePrice = o.expirePrice;
    r.orderAmount = o.amount;
    SetFixedText(r.orderCode, o.code);
    r.profit = o.profit;
    SetFixedText(r.openTime, SimClock::DateTimeText(o.openMs));
    SetFixedText(r.expireTime, SimClock::DateTimeText(o.expireMs));
    r.periodSeconds = o.state == '3' ? o.periodSeconds : 0;
    r.profitRate = o.profitRate;
    r.int2 = static_cast<int32_t>(o.contractNo & 0xffffffff);
    r.int3 = static_cast<int32_t>(o.contractNo >> 32);
    r.orderState = o.state;
    r.charge = o.charge;
    return r;
}

void BinaryOptionService::PushOrder(const SimBinaryOrder& order)
{
    if(const SimAccount* account = m_state.FindAccount(order.accountKey))
        m_server.PushToUser(account->userId, kNtfBinaryOrer, OrderRow(order));
}

void BinaryOptionService::OnSetOrder(const std::shared_ptr<Session>& session, const Frame& frame)
{
    auto req = RequestBody<sFFixSetOrder>(frame);
    if(req.orderType != 'F') {
        if(m_otherOrders)
            m_otherOrders(session, frame);
        else
            m_server.Router().ReplyFailure(*session, frame, kErrOrderTypeUnsupported,
                                           "order type not supported");
        return;
    }
    const int id = frame.header.requestId;
    auto refuse = [&](int error, const char* text) {
        SendAnswer(*session, kRspSetOrder, id, req, MakeInfo(error, text));
    };
    SimAccount* account = m_state.FindAccount(req.accountKey);
    if(!account || account->userId != session->userId)
        return refuse(kErrNoAccount, "资金账号不存在");
    SimSymbol* symbol = m_state.FindSymbol(req.symbolId);
    if(!symbol)
        return refuse(kErrNoSymbol, "商品不存在");
    if(symbol->marketId != account->marketId)
        return refuse(kErrSymbolNotAllowed, "无权使用该商品");
    const SimBinaryContract* contract = nullptr;
    for(const auto& c : m_contracts)
        if(c.no == req.contractKey && c.symbolId == symbol->id)
            contract = &c;
    if(!contract)
        return refuse(kErrBadContract, "无效合约编号");
    if(contract->state != '2')
        return refuse(kErrContractClosed, "合约不允许交易");
    if(req.side != 'b' && req.side != 's')
        return refuse(kErrBadSide, "买卖方向错误");
    if(!std::isfinite(req.quantity) || req.quantity < contract->minAmount - kEpsilon ||
       req.quantity > contract->maxAmount + kEpsilon)
        return refuse(kErrBadInvest, "投资金额错误");
    const double price = symbol->last;
    if(req.pointDiff > 0 && req.price > 0 &&
       std::fabs(price - req.price) > PointsToPrice(req.pointDiff, symbol->digits) + kEpsilon)
        return refuse(kErrPriceDeviation, "报价与最新价之差超出允许范围");
    if(req.quantity > m_state.AvailableCash(account->key) + kEpsilon)
        return refuse(kErrNoMoney, "资金不足");

    SimBinaryOrder order;
    order.code = m_state.NextCode('O');
    order.accountKey = account->key;
    order.symbolId = symbol->id;
    order.contractNo = contract->no;
    order.side = req.side;
    order.periodCount = contract->periodCount;
    order.periodUnit = contract->periodUnit;
    order.periodSeconds = PeriodSeconds(contract->periodCount, contract->periodUnit);
    order.amount = RoundCents(req.quantity);
    order.openPrice = price;
    order.profitRate = contract->profitRate;
    order.charge = RoundCents(contract->chargeRate * order.amount);
    order.openMs = m_server.Clock().NowMs();
    order.expireMs = order.openMs + order.periodSeconds * 1000LL;
    m_orders[order.code] = order;
    m_state.ChangeBalance(*account, -order.amount, 'B', order.code, order.openMs);

    SetFixedText(req.resultText, order.code);
    SendAnswer(*session, kRspSetOrder, id, req, MakeInfo(kErrNone, ""));
    PushOrder(order);
    m_server.PushToUser(account->userId, kNtfMoneyChanged, m_server.Rows().Money(*account));
}

void BinaryOptionService::Tick()
{
    const int64_t now = m_server.Clock().NowMs();
    for(auto& [code, order] : m_orders) {
        if(order.state != '3' || order.expireMs > now)
            continue;
        SimSymbol* symbol = m_state.FindSymbol(order.symbolId);
        SimAccount* account = m_state.FindAccount(order.accountKey);
        if(!symbol || !account)
            continue;
        double moneyBack = 0;
        Settle(order, symbol->last, moneyBack);
        m_state.ChangeBalance(*account, moneyBack, 'C', order.code, now);
        PushOrder(order);
        m_server.PushToUser(account->userId, kNtfMoneyChanged, m_server.Rows().Money(*account));
    }
}

bool BinaryOptionService::SetContractState(int64_t contractNo, char state)
{
    for(auto& c : m_contracts) {
        if(c.no != contractNo)
            continue;
        c.state = state;
        const sFFixBinaryContract row = ContractRow(c);
        for(const auto& session : m_server.AllSessions())
            if(session->Kind() == FrontKind::Trade && session->userId != 0)
                SendNtf(*session, kNtfBinaryContract, row);
        return true;
    }
    return false;
}

void BinaryOptionService::OnQryContracts(const std::shared_ptr<Session>& session, const Frame& frame)
{
    std::vector<sFFixBinaryContract> rows;
    for(const auto& c : m_contracts)
        rows.push_back(ContractRow(c));
    SendRows(*session, kRspQryBinaryContract, frame.header.requestId, rows);
}

void BinaryOptionService::OnQryOrders(const std::shared_ptr<Session>& session, const Frame& frame)
{
    std::vector<sFFixBinaryOrer> rows;
    for(const auto& [code, order] : m_orders) {
        const SimAccount* account = m_state.FindAccount(order.accountKey);
        if(account && account->userId == session->userId)
            rows.push_back(OrderRow(order));
    }
    SendRows(*session, kRspQryBinaryOrer, frame.header.requestId, rows);
}

} // namespace simmarket
