#include "StateReport.h"

#include "MarketMath.h"
#include "SimMarket.h"
#include "tradeapi/FixedText.h"

#include <set>

namespace simmarket {

using nlohmann::json;
using tradeapi::FixedText;

namespace {

// One-character codes as one-character texts ("" for none).
std::string Char(char c)
{
    return c ? std::string(1, c) : std::string();
}

json OptionalMs(int64_t ms)
{
    return ms > 0 ? json(ms) : json();
}

json LimitJson(const SimLimit& l)
{
    return {{"code", l.code},
            {"account", l.accountKey},
            {"symbol", l.symbolId},
            {"side", Char(l.side)},
            {"type", Char(l.limitType)},
            {"price", l.price},
            {"quantity", l.quantity},
            {"stopLoss", l.stopLoss},
            {"takeProfit", l.takeProfit},
            {"frozen", l.frozen},
            {"validDateType", Char(l.validDateType)},
            {"openTimeMs", OptionalMs(l.openTimeMs)}};
}

} // namespace

json StateReport::Json(int64_t logAfter) const
{
    SimServer& server = m_market.Server();
    json contracts, symbolInventories, registrations, levels;
    json state = {{"sessions", server.SessionsJson()},
                  {"fronts", server.FrontsJson()},
                  {"users", Users()},
                  {"accounts", Accounts()},
                  {"holds", Holds()},
                  {"positions", Positions()},
                  {"limits", Limits()},
                  {"closeBills", CloseBills()},
                  {"deliveries", Deliveries()},
                  {"moneyMoves", MoneyMoves()},
                  {"cashLedger", CashLedger()},
                  {"binaryOrders", BinaryOptions(contracts)},
                  {"userInventories", Goods(symbolInventories)},
                  {"sysPayPorts", PayPorts(registrations)},
                  {"prices", Prices(levels)}};
    const MarketState& s = server.State();
    json finished = json::array();
    for(const auto& l : s.finishedLimits) {
        json row = LimitJson(l);
        row["finish"] = l.finish == 'F' ? "filled" : "cancelled";
        row["quantityComplete"] = l.quantityComplete;
        row["finishTimeMs"] = OptionalMs(l.finishTimeMs);
        finished.push_back(row);
    }
    json rates = json::array();
    for(const auto& r : s.rates)
        rates.push_back({{"from", r.from}, {"to", r.to}, {"rate", r.rate}});
    state["finishedLimits"] = finished;
    state["binaryContracts"] = contracts;
    state["symbolInventories"] = symbolInventories;
    state["payPortRegistrations"] = registrations;
    state["priceLevels"] = levels;
    state["rates"] = rates;
    state["bulletins"] = m_market.Bulletins().StateJson();
    state["requests"] = server.Log().Json(logAfter);
    state["requestsLastSeq"] = server.Log().LastSeq();
    state["clockOffsetMs"] = server.Clock().OffsetMs();
    state["nowMs"] = server.Clock().NowMs();
    state["tradingDay"] = s.tradingDay.empty() ? SimClock::DateText(server.Clock().NowMs()) : s.tradingDay;
    state["pricePushesPerSecond"] = m_market.Prices().Rate();
    return state;
}

json StateReport::Users() const
{
    json list = json::array();
    for(const auto& [id, u] : m_market.Server().State().users)
        list.push_back({{"userId", id},
                        {"login", u.login},
                        {"name", u.name},
                        {"mustChangePassword", u.mustChangePassword},
                        {"accounts", u.accountKeys}});
    return list;
}

json StateReport::Accounts() const
{
    const MarketState& state = m_market.Server().State();
    json list = json::array();
    for(const auto& [key, a] : state.accounts) {
        const double floating = RoundCents(state.FloatingProfit(key));
        const double used = state.MarginUsed(key);
        const double freezed = state.MarginFreezed(key);
        const double net = RoundCents(a.balance + floating);
        const SimUser* user = state.FindUserById(a.userId);
        list.push_back({{"key", key},
                        {"userId", a.userId},
                        {"login", user ? user->login : std::string()},
                        {"name", a.name},
                        {"currency", a.currency},
                        {"marketId", a.marketId},
                        {"marketName", a.marketName},
                        {"marketType", Char(a.marketType)},
                        {"accountClass", Char(a.accountClass)},
                        {"accountState", Char(a.accountState)},
                        {"main", a.accountState == '1'},
                        {"accStatus", Char(a.accStatus)},
                        {"riskKind", Char(a.riskKind)},
                        {"riskRate", RiskRate(a.riskKind, net, used, a.suretyMoney)},
                        {"warningLine", a.warningLine},
                        {"forceCloseLine", a.forceCloseLine},
                        {"marginRemain", a.balance},
                        {"marginUsed", used},
                        {"marginFreezed", freezed},
                        {"marginFree", RoundCents(net - used - freezed)},
                        {"profitDyn", floating},
                        {"netValue", net},
                        {"profitClose", a.profitClose},
                        {"dailyCharge", a.dailyCharge},
                        {"withdrawable", state.Withdrawable(key)},
                        {"withdrawLimit", state.WithdrawLimit(key)},
                        {"availableCash", state.AvailableCash(key)},
                        {"suretyMoney", a.suretyMoney},
                        {"bonusPoint", a.bonusPoint >= 0 ? json(a.bonusPoint) : json()}});
    }
    return list;
}

json StateReport::Holds() const
{
    const MarketState& state = m_market.Server().State();
    const auto& applications = m_market.Deliveries().Applications();
    json list = json::array();
    for(const auto& [code, h] : state.holds) {
        auto applied = applications.find(code);
        json delivery;
        if(applied != applications.end())
            delivery = {{"appliedMs", applied->second.appliedMs},
                        {"deliveryCode",
                         applied->second.deliveryCode.empty() ? json() : json(applied->second.deliveryCode)}};
        list.push_back({{"code", code},
                        {"account", h.accountKey},
                        {"symbol", h.symbolId},
                        {"side", Char(h.side)},
                        {"quantity", h.quantity},
                        {"openPrice", h.openPrice},
                        {"holdPrice", h.holdPrice},
                        {"stopLoss", h.stopLoss},
                        {"takeProfit", h.takeProfit},
                        {"margin", h.margin},
                        {"chargeOpen", h.chargeOpen},
                        {"profit", state.HoldProfit(h)},
                        {"openTimeMs", OptionalMs(h.openTimeMs)},
                        {"delivery", delivery}});
    }
    return list;
}

json StateReport::Positions() const
{
    const MarketState& state = m_market.Server().State();
    std::set<std::pair<int, int>> pairs;
    for(const auto& [code, h] : state.holds)
        pairs.emplace(h.accountKey, h.symbolId);
    json list = json::array();
    for(const auto& [account, symbol] : pairs) {
        const sFFixPosition p = m_market.Server().Rows().Position(account, symbol);
        double buyProfit = 0, sellProfit = 0;
        for(const auto& [code, h] : state.holds)
            if(h.accountKey == account && h.symbolId == symbol)
                (h.side == 'b' ? buyProfit : sellProfit) += state.HoldProfit(h);
        list.push_back({{"account", account},
                        {"symbol", symbol},
                        {"buyQuantity", p.buyQuantity},
                        {"sellQuantity", p.sellQuantity},
                        {"buyAmount", p.buyAmount},
                        {"sellAmount", p.sellAmount},
                        {"buyProfit", RoundCents(buyProfit)},
                        {"sellProfit", RoundCents(sellProfit)},
                        {"profit", RoundCents(buyProfit + sellProfit)}});
    }
    return list;
}

json StateReport::Limits() const
{
    json list = json::array();
    for(const auto& [code, l] : m_market.Server().State().limits)
        list.push_back(LimitJson(l));
    return list;
}

json StateReport::CloseBills() const
{
    json list = json::array();
    for(const auto& c : m_market.Server().State().closeBills)
        list.push_back({{"code", c.code},
                        {"codeRe", c.codeRe},
                        {"account", c.accountKey},
                        {"symbol", c.symbolId},
                        {"side", Char(c.side)},
                        {"closeType", Char(c.closeType)},
                        {"quantity", c.quantity},
                        {"openPrice", c.openPrice},
                        {"holdPrice", c.holdPrice},
                        {"closePrice", c.closePrice},
                        {"profit", c.profit},
                        {"chargeOpen", c.chargeOpen},
                        {"chargeClose", c.chargeClose},
                        {"openTimeMs", OptionalMs(c.openTimeMs)},
                        {"closeTimeMs", OptionalMs(c.closeTimeMs)},
                        {"history", c.history}});
    return list;
}

json StateReport::Deliveries() const
{
    json list = json::array();
    for(const auto& [code, d] : m_market.Deliveries().Orders())
        list.push_back({{"code", code},
                        {"holdCode", FixedText(d.orderCodeRe)},
                        {"account", d.accountKey},
                        {"symbol", d.symbolId},
                        {"side", Char(d.side)},
                        {"quantity", d.quantity},
                        {"price", d.deliveryPrice},
                        {"money", d.deliveryMoney},
                        {"charge", d.deliveryCharge},
                        {"margin", d.deliveryMargin},
                        {"closeProfit", d.closeProfit},
                        {"chargeClose", d.chargeClose},
                        {"confirmState", Char(d.deliveryConfirmStatus)},
                        {"deliveryTime", FixedText(d.deliveryTime)},
                        {"confirmTime", FixedText(d.deliveryConfirmTime)}});
    return list;
}

json StateReport::MoneyMoves() const
{
    json list = json::array();
    for(const auto& [id, m] : m_market.Server().State().moneyMoves)
        list.push_back({{"id", id},
                        {"account", m.accountKey},
                        {"type", Char(m.type)},
                        {"state", Char(m.approveState)},
                        {"amount", m.amount},
                        {"serialCode", m.serialCode},
                        {"remark", m.remark},
                        {"changeTimeMs", OptionalMs(m.changeTimeMs)},
                        {"confirmTimeMs", OptionalMs(m.confirmTimeMs)},
                        {"history", m.history}});
    return list;
}

json StateReport::CashLedger() const
{
    json list = json::array();
    for(const auto& e : m_market.Server().State().cashLedger)
        list.push_back({{"serial", e.serial},
                        {"account", e.accountKey},
                        {"type", Char(e.type)},
                        {"change", e.change},
                        {"before", e.before},
                        {"after", e.after},
                        {"timeMs", e.timeMs},
                        {"ref", e.ref}});
    return list;
}

json StateReport::BinaryOptions(json& contracts) const
{
    const BinaryOptionService& binary = m_market.BinaryOptions();
    contracts = json::array();
    for(const auto& c : binary.Contracts())
        contracts.push_back({{"no", c.no},
                             {"symbol", c.symbolId},
                             {"state", Char(c.state)},
                             {"periodCount", c.periodCount},
                             {"periodUnit", Char(c.periodUnit)},
                             {"profitRate", c.profitRate},
                             {"chargeRate", c.chargeRate},
                             {"minAmount", c.minAmount},
                             {"maxAmount", c.maxAmount},
                             {"step", c.step}});
    json orders = json::array();
    for(const auto& [code, o] : binary.Orders())
        orders.push_back({{"code", code},
                          {"account", o.accountKey},
                          {"symbol", o.symbolId},
                          {"contract", o.contractNo},
                          {"side", Char(o.side)},
                          {"amount", o.amount},
                          {"openPrice", o.openPrice},
                          {"referencePrice", o.openPrice},
                          {"expirePrice", o.expirePrice},
                          {"profitRate", o.profitRate},
                          {"charge", o.charge},
                          {"profit", o.profit},
                          {"state", Char(o.state)},
                          {"periodSeconds", o.periodSeconds},
                          {"openTimeMs", o.openMs},
                          {"expireTimeMs", o.expireMs}});
    return orders;
}

json StateReport::Goods(json& symbolInventories) const
{
    symbolInventories = json::array();
    for(const auto& s : m_market.Goods().SymbolInventories())
        symbolInventories.push_back({{"sn", s.sn},
                                     {"symbol", s.symbolId},
                                     {"inventoryId", s.inventoryId},
                                     {"vendorId", s.vendorId},
                                     {"vendorName", s.vendorName},
                                     {"total", s.total},
                                     {"available", s.available},
                                     {"price", s.price}});
    json list = json::array();
    for(const auto& g : m_market.Goods().UserInventories())
        list.push_back({{"account", g.accountKey},
                        {"storeId", g.storeId},
                        {"symbol", g.symbolId},
                        {"quantity", g.quantity},
                        {"financed", g.financed},
                        {"used", g.used},
                        {"name", g.name}});
    return list;
}

json StateReport::PayPorts(json& registrations) const
{
    const MarketState& state = m_market.Server().State();
    registrations = json::array();
    for(const auto& p : state.userPayPorts)
        registrations.push_back({{"userId", p.userId},
                                 {"sysPayPortId", p.sysPayPortId},
                                 {"key", p.key},
                                 {"bankCard", p.bankCard},
                                 {"identityType", Char(p.identityType)},
                                 {"identityNumber", p.identityNumber},
                                 {"accountName", p.accountName},
                                 {"currency", p.currency},
                                 {"registState", Char(p.registState)},
                                 {"seatSuffix", p.seatSuffix}});
    json list = json::array();
    for(const auto& p : state.sysPayPorts)
        list.push_back({{"id", p.id},
                        {"code", p.code},
                        {"shortName", p.shortName},
                        {"bankName", p.bankName},
                        {"channelName", p.channelName},
                        {"currency", p.currency},
                        {"bankPassword", p.bankPassword},
                        {"completeFlag", Char(p.completeFlag)}});
    return list;
}

json StateReport::Prices(json& levels) const
{
    const MarketState& state = m_market.Server().State();
    levels = json::array();
    json list = json::array();
    for(const auto& [id, s] : state.symbols) {
        list.push_back({{"symbol", id},
                        {"code", s.code},
                        {"marketType", Char(s.marketType)},
                        {"digits", s.digits},
                        {"last", s.last},
                        {"bid", state.Bid(s)},
                        {"ask", state.Ask(s)},
                        {"open", s.open},
                        {"high", s.high},
                        {"low", s.low}});
        if(s.marketType != '2')
            continue;
        const sFFixPriceReport report = m_market.PriceLevels().Levels(s);
        json raw = json::array(), buyPrices = json::array(), buyVolumes = json::array(),
             sellPrices = json::array(), sellVolumes = json::array();
        for(int i = 0; i < 24; ++i)
            raw.push_back(report.levels[i]);
        for(int i = 0; i < 5; ++i) {
            buyPrices.push_back(report.levels[i]);
            buyVolumes.push_back(report.levels[5 + i]);
            sellPrices.push_back(report.levels[10 + i]);
            sellVolumes.push_back(report.levels[15 + i]);
        }
        levels.push_back({{"symbol", id},
                          {"levels", raw},
                          {"buyPrices", buyPrices},
                          {"buyVolumes", buyVolumes},
                          {"sellPrices", sellPrices},
                          {"sellVolumes", sellVolumes}});
    }
    return list;
}

} // namespace simmarket
