#include "OrderEngine.h"

#include "ErrorCodes.h"
#include "MarketMath.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace simmarket {

using namespace tradeapi::wire;
using tradeapi::FixedText;
using tradeapi::SetFixedText;

namespace {

constexpr double kEpsilon = 1e-9;

template <class T> T BodyAs(const Frame& frame)
{
    T value;
    std::memcpy(&value, frame.body.data(), sizeof value);
    return value;
}

char Opposite(char side)
{
    return side == 'b' ? 's' : 'b';
}

// Limit-record type of an order-request type, 0 when the request is no
// waiting order.
char LimitTypeOf(char orderType)
{
    switch(orderType) {
    case '3':
        return '1';
    case '4':
        return '2';
    case 'B':
        return '3';
    default:
        return 0;
    }
}

} // namespace

OrderEngine::OrderEngine(SimServer& server) : m_server(server), m_state(server.State()) {}

void OrderEngine::Register()
{
    auto& router = m_server.Router();
    router.SetHandler(kReqSetOrder, [this](const auto& s, const auto& f) { OnSetOrder(s, f); });
    router.SetHandler(kReqCancelOrder, [this](const auto& s, const auto& f) { OnCancelOrder(s, f); });
    router.SetHandler(kReqModifyOrder, [this](const auto& s, const auto& f) { OnModifyOrder(s, f); });
    router.SetHandler(kReqPositionCloseOrder,
                      [this](const auto& s, const auto& f) { OnPositionClose(s, f); });
}

namespace {
// Why CheckOpen refused, as the answer says it (at most 67 characters).
const char* RefusalText(int error)
{
    switch(error) {
    case kErrBadSide:
        return "refused: the side is neither buy nor sell";
    case kErrBadOrder:
        return "refused: the quantity or the price is no positive number";
    case kErrOverMaxQuantity:
        return "refused: the quantity is above the symbol's largest order";
    case kErrOverMaxHold:
        return "refused: the holding would pass the symbol's largest holding";
    case kErrBadStopLoss:
        return "stop loss beyond the price: a buy's must be below, a sell's above";
    case kErrBadTakeProfit:
        return "take profit beyond the price: a buy's must be above, a sell's below";
    case kErrNoMoney:
        return "refused: the free money does not pay the margin and the charge";
    default:
        return "order refused";
    }
}
} // namespace

int OrderEngine::Resolve(const Session& session, int accountKey, int symbolId, SimAccount*& account,
                         SimSymbol*& symbol)
{
    account = m_state.FindAccount(accountKey);
    if(!account || account->userId != session.userId)
        return kErrNoAccount;
    symbol = m_state.FindSymbol(symbolId);
    if(!symbol)
        return kErrNoSymbol;
    if(symbol->marketId != account->marketId)
        return kErrSymbolNotAllowed;
    return kErrNone;
}

int OrderEngine::CheckOpen(const SimAccount& account, const SimSymbol& symbol, char side, double quantity,
                           double price, double stopLoss, double takeProfit)
{
    if(side != 'b' && side != 's')
        return kErrBadSide;
    if(!(quantity > 0) || !std::isfinite(quantity) || !(price > 0) || !std::isfinite(price))
        return kErrBadOrder;
    if(quantity > symbol.maxOrder)
        return kErrOverMaxQuantity;
    double held = 0;
    for(const auto& [code, hold] : m_state.holds)
        if(hold.accountKey == account.key && hold.symbolId == symbol.id)
            held += hold.quantity;
    if(held + quantity > symbol.maxHold + kEpsilon)
        return kErrOverMaxHold;
    if(stopLoss < 0 || (stopLoss > 0 && (side == 'b' ? stopLoss >= price : stopLoss <= price)))
        return kErrBadStopLoss;
    if(takeProfit < 0 || (takeProfit > 0 && (side == 'b' ? takeProfit <= price : takeProfit >= price)))
        return kErrBadTakeProfit;
    const double needed = m_state.Margin(symbol, account, side, price, quantity) +
                          m_state.Charge(symbol, account, price, quantity);
    if(needed > m_state.FreeMargin(account.key) + kEpsilon)
        return kErrNoMoney;
    return kErrNone;
}

void OrderEngine::OnSetOrder(const std::shared_ptr<Session>& session, const Frame& frame)
{
    sFFixSetOrder req = BodyAs<sFFixSetOrder>(frame);
    const int id = frame.header.requestId;
    auto refuse = [&](int error, const char* text) {
        SendAnswer(*session, kRspSetOrder, id, req, MakeInfo(error, text));
    };
    SimAccount* account = nullptr;
    SimSymbol* symbol = nullptr;
    if(int error = Resolve(*session, req.accountKey, req.symbolId, account, symbol))
        return refuse(error, "account or symbol not usable");

    const char type = req.orderType;
    if(type == '1' || type == 'C') {
        const double price = m_state.OpenPrice(*symbol, req.side);
        if(req.pointDiff > 0 && req.price > 0 &&
           std::fabs(price - req.price) > PointsToPrice(req.pointDiff, symbol->digits) + kEpsilon)
            return refuse(kErrPriceDeviation, "price moved beyond the accepted difference");
        if(int error =
               CheckOpen(*account, *symbol, req.side, req.quantity, price, req.stopLoss, req.takeProfit))
            return refuse(error, RefusalText(error));
        // Answer first, then the pushes; the hold code is known before either.
        const std::string code = m_state.NextCode('H');
        SetFixedText(req.resultText, code);
        SendAnswer(*session, kRspSetOrder, id, req, MakeInfo(kErrNone, ""));
        FillOpen(code, *account, *symbol, req.side, req.quantity, req.stopLoss, req.takeProfit, '1');
        PushMoney(*account);
        return;
    }
    if(type == '2' || type == 'E') {
        auto hold = m_state.holds.find(FixedText(req.closeOrderCode));
        if(hold == m_state.holds.end() || hold->second.accountKey != account->key ||
           hold->second.symbolId != symbol->id)
            return refuse(kErrNoHoldBill, "hold bill not found");
        if(!(req.quantity > 0) || req.quantity > hold->second.quantity + kEpsilon)
            return refuse(kErrBadOrder, "quantity beyond the hold bill");
        const double price = m_state.ClosePrice(*symbol, hold->second.side);
        if(req.pointDiff > 0 && req.price > 0 &&
           std::fabs(price - req.price) > PointsToPrice(req.pointDiff, symbol->digits) + kEpsilon)
            return refuse(kErrPriceDeviation, "price moved beyond the accepted difference");
        SetFixedText(req.resultText, hold->first);
        SendAnswer(*session, kRspSetOrder, id, req, MakeInfo(kErrNone, ""));
        CloseHold(hold->first, std::min(req.quantity, hold->second.quantity), '3', '2');
        PushMoney(*account);
        return;
    }
    if(const char limitType = LimitTypeOf(type)) {
        if(!(req.price > 0))
            return refuse(kErrBadLimitPrice, "limit price missing");
        if(int error =
               CheckOpen(*account, *symbol, req.side, req.quantity, req.price, req.stopLoss, req.takeProfit))
            return refuse(error, RefusalText(error));
        SimLimit limit;
        limit.code = m_state.NextCode('L');
        limit.accountKey = account->key;
        limit.symbolId = symbol->id;
        limit.side = req.side;
        limit.limitType = limitType;
        limit.price = req.price;
        limit.quantity = req.quantity;
        limit.stopLoss = req.stopLoss;
        limit.takeProfit = req.takeProfit;
        limit.validDateType = req.validDateType ? req.validDateType : '1';
        limit.openTimeMs = m_server.Clock().NowMs();
        limit.frozen = m_state.Margin(*symbol, *account, req.side, req.price, req.quantity) +
                       m_state.Charge(*symbol, *account, req.price, req.quantity);
        m_state.limits[limit.code] = limit;
        SetFixedText(req.resultText, limit.code);
        SendAnswer(*session, kRspSetOrder, id, req, MakeInfo(kErrNone, ""));
        PushLimit(limit, 0, limit.quantity);
        PushMoney(*account);
        // A limit already reached by the market fills at once.
        OnPriceChanged(symbol->id);
        return;
    }
    refuse(kErrOrderTypeUnsupported, "order type not supported");
}

void OrderEngine::OnCancelOrder(const std::shared_ptr<Session>& session, const Frame& frame)
{
    const sFFixCancelOrder req = BodyAs<sFFixCancelOrder>(frame);
    auto it = m_state.limits.find(FixedText(req.orderCode));
    SimAccount* account = it == m_state.limits.end() ? nullptr : m_state.FindAccount(it->second.accountKey);
    if(!account || account->userId != session->userId) {
        SendAnswer(*session, kRspCancelOrder, frame.header.requestId, req,
                   MakeInfo(kErrNoRelatedOrder, "order not found"));
        return;
    }
    const SimLimit limit = it->second;
    m_state.limits.erase(it);
    m_state.FinishLimit(limit, 'C', 0, m_server.Clock().NowMs());
    SendAnswer(*session, kRspCancelOrder, frame.header.requestId, req, MakeInfo(kErrNone, ""));
    PushLimit(limit, 0, 0);
    PushMoney(*account);
}

void OrderEngine::OnModifyOrder(const std::shared_ptr<Session>& session, const Frame& frame)
{
    const sFFixModifyOrder req = BodyAs<sFFixModifyOrder>(frame);
    const int id = frame.header.requestId;
    const std::string code = FixedText(req.orderCode);
    if(req.stopLoss < 0 || req.takeProfit < 0 || !std::isfinite(req.stopLoss) ||
       !std::isfinite(req.takeProfit)) {
        SendAnswer(*session, kRspModifyOrder, id, req, MakeInfo(kErrBadStopLoss, "bad price"));
        return;
    }
    auto hold = m_state.holds.find(code);
    if(hold != m_state.holds.end()) {
        SimAccount* account = m_state.FindAccount(hold->second.accountKey);
        if(account && account->userId == session->userId) {
            hold->second.stopLoss = req.stopLoss;
            hold->second.takeProfit = req.takeProfit;
            SendAnswer(*session, kRspModifyOrder, id, req, MakeInfo(kErrNone, ""));
            m_server.PushToUser(account->userId, kNtfHoldDetail, m_server.Rows().Hold(hold->second));
            return;
        }
    }
    auto limit = m_state.limits.find(code);
    if(limit != m_state.limits.end()) {
        SimAccount* account = m_state.FindAccount(limit->second.accountKey);
        if(account && account->userId == session->userId) {
            limit->second.stopLoss = req.stopLoss;
            limit->second.takeProfit = req.takeProfit;
            SendAnswer(*session, kRspModifyOrder, id, req, MakeInfo(kErrNone, ""));
            PushLimit(limit->second, 0, limit->second.quantity);
            return;
        }
    }
    SendAnswer(*session, kRspModifyOrder, id, req, MakeInfo(kErrNoRelatedOrder, "order not found"));
}

void OrderEngine::OnPositionClose(const std::shared_ptr<Session>& session, const Frame& frame)
{
    const sFFixPositionCloseOrder req = BodyAs<sFFixPositionCloseOrder>(frame);
    const int id = frame.header.requestId;
    auto refuse = [&](int error, const char* text) {
        SendAnswer(*session, kRspPositionCloseOrder, id, req, MakeInfo(error, text));
    };
    SimAccount* account = nullptr;
    SimSymbol* symbol = nullptr;
    if(int error = Resolve(*session, req.accountKey, req.symbolId, account, symbol))
        return refuse(error, "account or symbol not usable");
    if(req.side != 'b' && req.side != 's')
        return refuse(kErrBadSide, "bad side");
    // The side is the closing trade's: a sell closes the buy holds, oldest first.
    const char holdSide = Opposite(req.side);
    std::vector<const SimHold*> holds;
    double total = 0;
    for(const auto& [code, hold] : m_state.holds)
        if(hold.accountKey == account->key && hold.symbolId == symbol->id && hold.side == holdSide) {
            holds.push_back(&hold);
            total += hold.quantity;
        }
    if(holds.empty())
        return refuse(kErrNoPosition, "no position on that side");
    if(!(req.quantity > 0) || req.quantity > total + kEpsilon)
        return refuse(kErrBadOrder, "quantity beyond the position");
    const double price = m_state.ClosePrice(*symbol, holdSide);
    if(req.pointDiff > 0 && req.price > 0 &&
       std::fabs(price - req.price) > PointsToPrice(req.pointDiff, symbol->digits) + kEpsilon)
        return refuse(kErrPriceDeviation, "price moved beyond the accepted difference");
    std::stable_sort(holds.begin(), holds.end(),
                     [](const SimHold* a, const SimHold* b) { return a->openTimeMs < b->openTimeMs; });
    std::vector<std::pair<std::string, double>> plan;
    double left = req.quantity;
    for(const SimHold* hold : holds) {
        if(left <= kEpsilon)
            break;
        const double part = std::min(left, hold->quantity);
        plan.emplace_back(hold->code, part);
        left -= part;
    }
    refuse(kErrNone, "");
    for(const auto& [code, quantity] : plan)
        CloseHold(code, quantity, '3', '2');
    PushMoney(*account);
}

void OrderEngine::FillOpen(const std::string& code, SimAccount& account, SimSymbol& symbol, char side,
                           double quantity, double stopLoss, double takeProfit, char operation)
{
    const int64_t now = m_server.Clock().NowMs();
    SimHold hold;
    hold.code = code;
    hold.accountKey = account.key;
    hold.symbolId = symbol.id;
    hold.side = side;
    hold.quantity = quantity;
    hold.openPrice = hold.holdPrice = m_state.OpenPrice(symbol, side);
    hold.stopLoss = stopLoss;
    hold.takeProfit = takeProfit;
    hold.margin = m_state.Margin(symbol, account, side, hold.openPrice, quantity);
    hold.chargeOpen = m_state.Charge(symbol, account, hold.openPrice, quantity);
    hold.openTimeMs = now;
    m_state.holds[hold.code] = hold;
    m_state.ChangeBalance(account, -hold.chargeOpen, '4', hold.code, now);
    account.dailyCharge = RoundCents(account.dailyCharge + hold.chargeOpen);

    sFFixTrade trade{};
    trade.accountKey = account.key;
    SetFixedText(trade.orderCode, hold.code);
    trade.price = hold.openPrice;
    trade.quantity = quantity;
    trade.side = side;
    trade.orderType = operation;
    trade.symbolId = symbol.id;
    SetFixedText(trade.tradeTime, SimClock::TimeText(now));
    m_server.PushToUser(account.userId, kNtfTrade, trade);
    m_server.PushToUser(account.userId, kNtfHoldDetail, m_server.Rows().Hold(hold));
    PushPosition(account, symbol.id);
}

std::string OrderEngine::CloseHold(const std::string& holdCode, double quantity, char closeType,
                                   char operation)
{
    SimHold& hold = m_state.holds.at(holdCode);
    SimAccount& account = *m_state.FindAccount(hold.accountKey);
    SimSymbol& symbol = *m_state.FindSymbol(hold.symbolId);
    const int64_t now = m_server.Clock().NowMs();
    const double rate = m_state.ExchangeRate(symbol.currency, account.currency);
    const double price = m_state.ClosePrice(symbol, hold.side);
    const double share = quantity / hold.quantity;

    SimCloseBill bill;
    bill.code = m_state.NextCode('C');
    bill.codeRe = hold.code;
    bill.accountKey = account.key;
    bill.symbolId = symbol.id;
    bill.side = Opposite(hold.side);
    bill.closeType = closeType;
    bill.quantity = quantity;
    bill.openPrice = hold.openPrice;
    bill.holdPrice = hold.holdPrice;
    bill.closePrice = price;
    bill.profit = ProfitPoints(hold.side, hold.holdPrice, price, symbol.contractSize * quantity, rate);
    bill.chargeOpen = RoundCents(hold.chargeOpen * share);
    // A delivery books its own charge: the close it makes is free.
    bill.chargeClose =
        closeType == kDeliveryCloseType ? 0.0 : m_state.Charge(symbol, account, price, quantity);
    bill.openTimeMs = hold.openTimeMs;
    bill.closeTimeMs = now;
    m_state.closeBills.push_back(bill);

    m_state.ChangeBalance(account, bill.profit, '6', bill.code, now);
    m_state.ChangeBalance(account, -bill.chargeClose, '5', bill.code, now);
    account.profitClose = RoundCents(account.profitClose + bill.profit);
    account.dailyCharge = RoundCents(account.dailyCharge + bill.chargeClose);

    sFFixTrade trade{};
    trade.accountKey = account.key;
    SetFixedText(trade.orderCode, bill.code);
    trade.price = price;
    trade.quantity = quantity;
    trade.side = bill.side;
    trade.orderType = operation;
    trade.symbolId = symbol.id;
    SetFixedText(trade.tradeTime, SimClock::TimeText(now));
    m_server.PushToUser(account.userId, kNtfTrade, trade);
    m_server.PushToUser(account.userId, kNtfCloseBill, m_server.Rows().CloseBill(bill));

    if(quantity >= hold.quantity - kEpsilon) {
        const sFFixHoldDetail gone = m_server.Rows().HoldGone(hold);
        m_state.holds.erase(holdCode);
        m_server.PushToUser(account.userId, kNtfHoldDetail, gone);
    } else {
        hold.margin = RoundCents(hold.margin * (1 - share));
        hold.chargeOpen = RoundCents(hold.chargeOpen - bill.chargeOpen);
        hold.quantity -= quantity;
        m_server.PushToUser(account.userId, kNtfHoldDetail, m_server.Rows().Hold(hold));
    }
    PushPosition(account, symbol.id);
    return bill.code;
}

void OrderEngine::OnPriceChanged(int symbolId)
{
    SimSymbol* symbol = m_state.FindSymbol(symbolId);
    if(!symbol)
        return;
    std::vector<std::string> due;
    for(const auto& [code, limit] : m_state.limits) {
        if(limit.symbolId != symbolId)
            continue;
        const double market = m_state.OpenPrice(*symbol, limit.side);
        const bool buy = limit.side == 'b';
        const bool stop = limit.limitType == '2';
        const bool reached = stop ? (buy ? market >= limit.price : market <= limit.price)
                                  : (buy ? market <= limit.price : market >= limit.price);
        if(reached)
            due.push_back(code);
    }
    for(const auto& code : due) {
        const SimLimit limit = m_state.limits.at(code);
        m_state.limits.erase(code);
        m_state.FinishLimit(limit, 'F', limit.quantity, m_server.Clock().NowMs());
        SimAccount* account = m_state.FindAccount(limit.accountKey);
        if(!account)
            continue;
        PushLimit(limit, limit.quantity, limit.quantity);
        FillOpen(m_state.NextCode('H'), *account, *symbol, limit.side, limit.quantity, limit.stopLoss,
                 limit.takeProfit, limit.limitType == '2' ? '4' : '3');
        PushMoney(*account);
    }

    std::vector<std::pair<std::string, char>> closing;
    for(const auto& [code, hold] : m_state.holds) {
        if(hold.symbolId != symbolId)
            continue;
        const double price = m_state.ClosePrice(*symbol, hold.side);
        const bool buy = hold.side == 'b';
        if(hold.stopLoss > 0 && (buy ? price <= hold.stopLoss : price >= hold.stopLoss))
            closing.emplace_back(code, '1');
        else if(hold.takeProfit > 0 && (buy ? price >= hold.takeProfit : price <= hold.takeProfit))
            closing.emplace_back(code, '2');
    }
    for(const auto& [code, closeType] : closing) {
        const int accountKey = m_state.holds.at(code).accountKey;
        CloseHold(code, m_state.holds.at(code).quantity, closeType, '2');
        PushMoney(*m_state.FindAccount(accountKey));
    }
}

void OrderEngine::CloseByMarket(const std::string& holdCode, char closeType, char operation)
{
    auto hold = m_state.holds.find(holdCode);
    if(hold == m_state.holds.end())
        return;
    const int accountKey = hold->second.accountKey;
    CloseHold(holdCode, hold->second.quantity, closeType, operation);
    if(const SimAccount* account = m_state.FindAccount(accountKey))
        PushMoney(*account);
}

void OrderEngine::PushLimit(const SimLimit& limit, double quantityComplete, double quantityOrder)
{
    const SimAccount* account = m_state.FindAccount(limit.accountKey);
    if(!account)
        return;
    sFFixLimitOrder row = m_server.Rows().Limit(limit, quantityComplete);
    row.quantityOrder = quantityOrder;
    if(quantityOrder == 0 || quantityComplete >= quantityOrder)
        row.freezed = 0;
    m_server.PushToUser(account->userId, kNtfLimitOrder, row);
}

void OrderEngine::PushMoney(const SimAccount& account)
{
    m_server.PushToUser(account.userId, kNtfMoneyChanged, m_server.Rows().Money(account));
}

void OrderEngine::PushPosition(const SimAccount& account, int symbolId)
{
    m_server.PushToUser(account.userId, kNtfPosition, m_server.Rows().Position(account.key, symbolId));
}

} // namespace simmarket
