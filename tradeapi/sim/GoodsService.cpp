#include "GoodsService.h"

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

} // namespace

void GoodsService::Load(const json& scenario)
{
    for(const auto& j : scenario.value("symbolInventories", json::array())) {
        SimSymbolInventory s;
        s.sn = j.at("sn").get<std::string>();
        s.symbolId = j.at("symbol").get<int>();
        s.inventoryId = j.at("inventoryId").get<int>();
        s.vendorId = j.at("vendorId").get<int>();
        s.vendorName = j.value("vendorName", std::string());
        s.total = j.at("quantity").get<double>();
        s.available = j.value("available", s.total);
        const SimSymbol* symbol = m_state.FindSymbol(s.symbolId);
        if(!symbol)
            throw std::runtime_error("inventory " + s.sn + " names an unknown symbol");
        s.price = j.value("price", symbol->last);
        if(j.contains("stockInTime"))
            s.stockInMs = SimClock::ParseDateTime(j.at("stockInTime").get<std::string>());
        if(s.total < 0 || s.available < 0 || s.available > s.total || s.price <= 0 || s.stockInMs < 0)
            throw std::runtime_error("inventory " + s.sn + " has bad quantities, price or time");
        m_symbolInventories.push_back(s);
    }
    for(const auto& j : scenario.value("userInventories", json::array())) {
        SimUserInventory u;
        u.accountKey = j.at("account").get<int>();
        u.storeId = j.at("storeId").get<int>();
        u.symbolId = j.at("symbol").get<int>();
        u.quantity = j.at("quantity").get<double>();
        u.used = j.value("used", 0.0);
        u.name = j.value("name", std::string());
        if(!m_state.FindAccount(u.accountKey) || !m_state.FindSymbol(u.symbolId))
            throw std::runtime_error("user inventory names an unknown account or symbol");
        if(u.quantity < 0 || u.used < 0 || u.used > u.quantity)
            throw std::runtime_error("user inventory has bad quantities");
        m_userInventories.push_back(u);
    }
}

void GoodsService::Register()
{
    auto& router = m_server.Router();
    router.SetHandler(kReqQryUserInventory,
                      [this](const auto& s, const auto& f) { OnQryUserInventory(s, f); });
    router.SetHandler(kReqQrySymbolInventory,
                      [this](const auto& s, const auto& f) { OnQrySymbolInventory(s, f); });
    router.SetHandler(kReqFinancingGoods, [this](const auto& s, const auto& f) { OnFinancingGoods(s, f); });
}

SimUserInventory& GoodsService::Goods(int accountKey, int storeId, int symbolId)
{
    for(auto& goods : m_userInventories)
        if(goods.accountKey == accountKey && goods.storeId == storeId && goods.symbolId == symbolId)
            return goods;
    SimUserInventory goods;
    goods.accountKey = accountKey;
    goods.storeId = storeId;
    goods.symbolId = symbolId;
    if(const SimSymbol* symbol = m_state.FindSymbol(symbolId))
        goods.name = symbol->name;
    m_userInventories.push_back(goods);
    return m_userInventories.back();
}

sFFixUserInventory GoodsService::UserRow(const SimUserInventory& g) const
{
    sFFixUserInventory r{};
    r.int1 = g.accountKey;
    r.storeId = g.storeId;
    const SimSymbol* symbol = m_state.symbols.count(g.symbolId) ? &m_state.symbols.at(g.symbolId) : nullptr;
    r.marketId = symbol ? symbol->marketId : 0;
    r.userAmount = g.quantity;
    r.financedQuantity = g.financed;
    r.usedAmount = g.used;
    r.symbolId = g.symbolId;
    SetFixedText(r.text, g.name);
    return r;
}

sFFixSymbolInventory GoodsService::SymbolRow(const SimSymbolInventory& s) const
{
    sFFixSymbolInventory r{};
    SetFixedText(r.inventorySN, s.sn);
    if(s.stockInMs > 0)
        SetFixedText(r.stockInTime, SimClock::DateTimeText(s.stockInMs));
    r.symbolId = s.symbolId;
    r.marketId = m_state.symbols.count(s.symbolId) ? m_state.symbols.at(s.symbolId).marketId : 0;
    r.inventoryAmount = s.total;
    r.inventoryAvailable = s.available;
    r.price = s.price;
    r.int1 = s.inventoryId;
    r.int2 = s.vendorId;
    SetFixedText(r.text, s.vendorName);
    return r;
}

void GoodsService::Push(const SimUserInventory& goods)
{
    if(const SimAccount* account = m_state.FindAccount(goods.accountKey))
        m_server.PushToUser(account->userId, kNtfUserInventory, UserRow(goods));
}

void GoodsService::AddGoods(int accountKey, int storeId, int symbolId, double delta)
{
    SimUserInventory& goods = Goods(accountKey, storeId, symbolId);
    goods.quantity = std::max(0.0, goods.quantity + delta);
    goods.financed = std::min(goods.financed, goods.quantity);
    goods.used = std::min(goods.used, goods.quantity);
    Push(goods);
}

void GoodsService::OnQryUserInventory(const std::shared_ptr<Session>& session, const Frame& frame)
{
    std::vector<sFFixUserInventory> rows;
    for(const auto& goods : m_userInventories) {
        const SimAccount* account = m_state.FindAccount(goods.accountKey);
        if(account && account->userId == session->userId)
            rows.push_back(UserRow(goods));
    }
    SendRows(*session, kRspQryUserInventory, frame.header.requestId, rows);
}

void GoodsService::OnQrySymbolInventory(const std::shared_ptr<Session>& session, const Frame& frame)
{
    std::vector<sFFixSymbolInventory> rows;
    for(const auto& inventory : m_symbolInventories) {
        SimSymbol* symbol = m_state.FindSymbol(inventory.symbolId);
        if(symbol && m_state.AccountForSymbol(session->userId, *symbol))
            rows.push_back(SymbolRow(inventory));
    }
    SendRows(*session, kRspQrySymbolInventory, frame.header.requestId, rows);
}

void GoodsService::OnFinancingGoods(const std::shared_ptr<Session>& session, const Frame& frame)
{
    const auto req = RequestBody<sFFixFinancingGoods>(frame);
    auto reply = [&](int error, const std::string& text) {
        SendPlain(*session, kRspFinancingGoods, frame.header.requestId, MakeInfo(error, text));
    };
    SimAccount* account = m_state.FindAccount(req.accountKey);
    if(!account || account->userId != session->userId)
        return reply(kErrNoAccount, "资金账号不存在");
    SimSymbol* symbol = m_state.FindSymbol(req.symbolId);
    if(!symbol)
        return reply(kErrNoSymbol, "商品不存在");
    if(symbol->marketId != account->marketId)
        return reply(kErrCrossMarketGoods, "不能跨市场融货！");
    SimSymbolInventory* inventory = nullptr;
    for(auto& s : m_symbolInventories)
        if(s.symbolId == symbol->id && s.inventoryId == req.inventoryKeyA && s.vendorId == req.inventoryKeyB)
            inventory = &s;
    if(!inventory)
        return reply(kErrNoInventory, "不存在对应的库存记录！");
    if(!std::isfinite(req.quantity) || req.quantity == 0)
        return reply(kErrBadParameter, "参数异常");
    const double rate = m_state.ExchangeRate(symbol->currency, account->currency);
    const double quantity = std::fabs(req.quantity);
    const double value = RoundCents(quantity * inventory->price * symbol->contractSize * rate);
    if(req.quantity > 0) {
        if(quantity > inventory->available + kEpsilon)
            return reply(kErrOverVendorGoods, "超出供货商可融的头寸！");
        if(value > m_state.AvailableCash(account->key) + kEpsilon)
            return reply(kErrGoodsOverBalance, "融货额度超出余额支付范围！");
        SimUserInventory& goods = Goods(account->key, inventory->vendorId, symbol->id);
        inventory->available -= quantity;
        goods.quantity += quantity;
        goods.financed += quantity;
        m_state.ChangeBalance(*account, -value, '3', "financing " + inventory->sn, m_server.Clock().NowMs());
        reply(kErrNone, "");
        Push(goods);
    } else {
        SimUserInventory* goods = nullptr;
        for(auto& g : m_userInventories)
            if(g.accountKey == account->key && g.storeId == inventory->vendorId && g.symbolId == symbol->id)
                goods = &g;
        if(!goods || goods->financed <= 0)
            return reply(kErrNoFinancing, "不存在融货记录，无法退还！");
        if(quantity > goods->financed + kEpsilon)
            return reply(kErrReturnOverFinanced, "退还额度超过可用额度");
        inventory->available += quantity;
        goods->quantity -= quantity;
        goods->financed -= quantity;
        m_state.ChangeBalance(*account, value, '3', "financing " + inventory->sn, m_server.Clock().NowMs());
        reply(kErrNone, "");
        Push(*goods);
    }
    m_server.PushToUser(account->userId, kNtfMoneyChanged, m_server.Rows().Money(*account));
}

} // namespace simmarket
