#include "DeliveryService.h"

#include "ErrorCodes.h"
#include "MarketMath.h"
#include "RequestBody.h"

namespace simmarket {

using namespace tradeapi::wire;
using nlohmann::json;
using tradeapi::FixedText;
using tradeapi::SetFixedText;

namespace {

constexpr double kEpsilon = 1e-9;
// Confirmation time of an order not yet confirmed.
const char kNotConfirmed[] = "19000101T000000";

} // namespace

DeliveryService::DeliveryService(SimServer& server, OrderEngine& orders, GoodsService& goods)
    : m_server(server), m_state(server.State()), m_orders(orders), m_goods(goods),
      m_ticker(server.Io(), std::chrono::milliseconds(100), [this] { Tick(); })
{}

void DeliveryService::Load(const json& scenario)
{
    for(const auto& id : scenario.value("deliverySymbols", json::array()))
        m_symbols.insert(id.get<int>());
    m_delayMs = scenario.value("deliveryDelayMs", static_cast<int64_t>(10000));
    m_storeId = scenario.value("deliveryStoreId", 1);
    if(m_delayMs <= 0)
        throw std::runtime_error("\"deliveryDelayMs\" must be positive");
}

void DeliveryService::Register()
{
    auto& router = m_server.Router();
    router.SetHandler(kReqHoldBillDelivery,
                      [this](const auto& s, const auto& f) { OnHoldBillDelivery(s, f); });
    router.SetHandler(kReqQryDeliveryOrder,
                      [this](const auto& s, const auto& f) { OnQryDeliveryOrders(s, f); });
    m_ticker.Start();
}

void DeliveryService::PushHold(const SimHold& hold, char deliveryState, int64_t dueMs)
{
    sFFixHoldDetail row = m_server.Rows().Hold(hold);
    row.deliveryStatus = deliveryState;
    if(dueMs > 0)
        SetFixedText(row.deliveryTime, SimClock::DateTimeText(dueMs));
    if(const SimAccount* account = m_state.FindAccount(hold.accountKey))
        m_server.PushToUser(account->userId, kNtfHoldDetail, row);
}

void DeliveryService::PushOrder(const sFFixDeliveryOrder& order)
{
    if(const SimAccount* account = m_state.FindAccount(order.accountKey))
        m_server.PushToUser(account->userId, kNtfDeliveryOrder, order);
}

void DeliveryService::OnHoldBillDelivery(const std::shared_ptr<Session>& session, const Frame& frame)
{
    const auto req = RequestBody<sFFixHoldBillDelivery>(frame);
    auto reply = [&](int error, const std::string& text) {
        SendPlain(*session, kRspHoldBillDelivery, frame.header.requestId, MakeInfo(error, text));
    };
    const std::string code = FixedText(req.orderCode);
    auto hold = m_state.holds.find(code);
    const SimAccount* account =
        hold == m_state.holds.end() ? nullptr : m_state.FindAccount(hold->second.accountKey);
    if(!account || account->userId != session->userId)
        return reply(kErrNoHoldBill, "持仓单不存在");
    auto applied = m_applications.find(code);
    if(req.apply == '0') {
        if(applied == m_applications.end() || !applied->second.deliveryCode.empty())
            return reply(kErrDeliveryState, "交收状态不匹配");
        m_applications.erase(applied);
        hold->second.deliveryApplied = false;
        reply(kErrNone, "");
        PushHold(hold->second, '1', 0);
        return;
    }
    if(req.apply != '1')
        return reply(kErrBadParameter, "参数异常");
    if(!m_symbols.count(hold->second.symbolId))
        return reply(kErrNotDeliverable, "该品种暂不支持申请交收");
    if(applied != m_applications.end())
        return reply(kErrDeliveryState, "交收状态不匹配");
    for(const auto& [other, application] : m_applications) {
        auto otherIt = m_state.holds.find(other);
        if(otherIt == m_state.holds.end())
            continue;
        const SimHold& otherHold = otherIt->second;
        if(otherHold.accountKey == hold->second.accountKey && otherHold.symbolId == hold->second.symbolId &&
           otherHold.side != hold->second.side)
            return reply(kErrDeliveryBothSides, "不允许双向同时申请交收");
    }
    const SimSymbol& symbol = m_state.symbols.at(hold->second.symbolId);
    if(hold->second.side == 'b') {
        // The buyer must be able to pay for the goods once the bill's margin is free.
        const double value = m_state.ClosePrice(symbol, 'b') * hold->second.quantity * symbol.contractSize *
                             m_state.ExchangeRate(symbol.currency, account->currency);
        if(value > m_state.AvailableCash(account->key) + hold->second.margin + kEpsilon)
            return reply(kErrNoMoney, "资金不足");
    }
    Application application;
    application.holdCode = code;
    application.appliedMs = m_server.Clock().NowMs();
    m_applications[code] = application;
    hold->second.deliveryApplied = true;
    reply(kErrNone, "");
    PushHold(hold->second, '2', application.appliedMs + m_delayMs);
}

void DeliveryService::Pair(Application& application, const SimHold& hold, int64_t nowMs)
{
    const SimSymbol& symbol = m_state.symbols.at(hold.symbolId);
    const SimAccount& account = m_state.accounts.at(hold.accountKey);
    const double rate = m_state.ExchangeRate(symbol.currency, account.currency);
    const double price = m_state.ClosePrice(symbol, hold.side);
    sFFixDeliveryOrder order{};
    order.accountKey = hold.accountKey;
    order.side = hold.side;
    application.deliveryCode = m_state.NextCode('D');
    SetFixedText(order.orderCode, application.deliveryCode);
    SetFixedText(order.orderCodeRe, hold.code);
    order.deliveryPrice = price;
    order.quantity = hold.quantity;
    order.symbolId = hold.symbolId;
    order.deliveryConfirmStatus = '1';
    SetFixedText(order.deliveryConfirmTime, kNotConfirmed);
    order.deliveryMargin = hold.margin;
    SetFixedText(order.deliveryTime, SimClock::DateTimeText(nowMs));
    order.deliveryMoney = RoundCents(price * hold.quantity * symbol.contractSize * rate);
    order.deliveryCharge = m_state.Charge(symbol, account, price, hold.quantity);
    m_deliveries[application.deliveryCode] = order;
    PushHold(hold, '3', application.appliedMs + m_delayMs);
    PushOrder(order);
}

void DeliveryService::Complete(Application& application, int64_t nowMs)
{
    sFFixDeliveryOrder& order = m_deliveries.at(application.deliveryCode);
    const SimHold hold = m_state.holds.at(application.holdCode);
    const std::size_t bills = m_state.closeBills.size();
    m_orders.CloseByMarket(hold.code, OrderEngine::kDeliveryCloseType, 'A');
    if(m_state.closeBills.size() > bills) {
        const SimCloseBill& bill = m_state.closeBills.back();
        order.closeProfit = bill.profit;
        order.chargeClose = bill.chargeClose;
        SetFixedText(order.closeDate, SimClock::DateText(bill.closeTimeMs));
        SetFixedText(order.closeTime, SimClock::TimeText(bill.closeTimeMs));
    }
    SimAccount& account = m_state.accounts.at(hold.accountKey);
    // The buyer pays for the goods, the seller is paid; both pay the charge.
    m_state.ChangeBalance(account, hold.side == 'b' ? -order.deliveryMoney : order.deliveryMoney, 'H',
                          application.deliveryCode, nowMs);
    m_state.ChangeBalance(account, -order.deliveryCharge, 'G', application.deliveryCode, nowMs);
    account.dailyCharge = RoundCents(account.dailyCharge + order.deliveryCharge);
    order.deliveryConfirmStatus = '2';
    SetFixedText(order.deliveryConfirmTime, SimClock::DateTimeText(nowMs));
    PushOrder(order);
    m_goods.AddGoods(hold.accountKey, m_storeId, hold.symbolId,
                     hold.side == 'b' ? hold.quantity : -hold.quantity);
    m_server.PushToUser(account.userId, kNtfMoneyChanged, m_server.Rows().Money(account));
}

void DeliveryService::Tick()
{
    const int64_t now = m_server.Clock().NowMs();
    std::vector<std::string> finished;
    for(auto& [code, application] : m_applications) {
        auto hold = m_state.holds.find(code);
        if(hold == m_state.holds.end()) {
            // Closed meanwhile: nothing left to deliver; a paired order fails.
            if(!application.deliveryCode.empty()) {
                sFFixDeliveryOrder& order = m_deliveries.at(application.deliveryCode);
                order.deliveryConfirmStatus = '3';
                SetFixedText(order.deliveryConfirmTime, SimClock::DateTimeText(now));
                PushOrder(order);
            }
            finished.push_back(code);
            continue;
        }
        if(application.deliveryCode.empty() && now >= application.appliedMs + m_delayMs)
            Pair(application, hold->second, now);
        else if(!application.deliveryCode.empty() && now >= application.appliedMs + 2 * m_delayMs) {
            Complete(application, now);
            finished.push_back(code);
        }
    }
    for(const auto& code : finished)
        m_applications.erase(code);
}

void DeliveryService::OnQryDeliveryOrders(const std::shared_ptr<Session>& session, const Frame& frame)
{
    std::vector<sFFixDeliveryOrder> rows;
    for(const auto& [code, order] : m_deliveries) {
        const SimAccount* account = m_state.FindAccount(order.accountKey);
        if(account && account->userId == session->userId)
            rows.push_back(order);
    }
    SendRows(*session, kRspQryDeliveryOrder, frame.header.requestId, rows);
}

} // namespace simmarket
