#include "MarketState.h"

#include "HistorySeed.h"
#include "MarketMath.h"
#include "SimClock.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <stdexcept>

namespace simmarket {

using nlohmann::json;

namespace {

char CharOf(const json& j, const char* key, char fallback)
{
    if(!j.contains(key))
        return fallback;
    const std::string text = j.at(key).get<std::string>();
    if(text.size() != 1)
        throw std::runtime_error(std::string("\"") + key + "\" must be one character");
    return text[0];
}

int64_t TimeOf(const json& j, const char* key)
{
    if(!j.contains(key))
        return 0;
    const int64_t ms = SimClock::ParseDateTime(j.at(key).get<std::string>());
    if(ms < 0)
        throw std::runtime_error(std::string("\"") + key + "\" must be YYYYMMDDTHHMMSS");
    return ms;
}

} // namespace

void MarketState::Load(const json& s, int64_t nowMs)
{
    if(nowMs <= 0)
        nowMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                    std::chrono::system_clock::now().time_since_epoch())
                    .count();
    *this = MarketState();
    pricePushesPerSecond = s.value("pricePushesPerSecond", 2.0);
    tradingDay = s.value("tradingDay", std::string());
    for(const auto& r : s.value("rates", json::array()))
        rates.push_back(
            {r.at("from").get<std::string>(), r.at("to").get<std::string>(), r.at("rate").get<double>()});
    for(const auto& u : s.at("users")) {
        SimUser user;
        user.userId = u.at("userId").get<int>();
        user.login = u.at("login").get<std::string>();
        user.password = u.at("password").get<std::string>();
        user.moneyPassword = u.value("moneyPassword", std::string());
        user.name = u.value("name", user.login);
        user.mustChangePassword = u.value("mustChangePassword", false);
        for(const auto& a : u.value("accounts", json::array())) {
            SimAccount account;
            account.key = a.at("key").get<int>();
            account.userId = user.userId;
            account.name = a.value("name", std::to_string(account.key));
            account.currency = a.at("currency").get<std::string>();
            account.marketId = a.at("marketId").get<int>();
            account.marketName = a.value("marketName", std::string());
            account.riskKind = CharOf(a, "riskKind", '1');
            account.accountClass = CharOf(a, "accountClass", '1');
            account.marketType = CharOf(a, "marketType", 0);
            account.accountState = CharOf(a, "accountState", '2');
            account.accStatus = CharOf(a, "accStatus", '1');
            account.balance = a.value("balance", 0.0);
            account.suretyMoney = a.value("suretyMoney", 0.0);
            account.warningLine = a.value("warningLine", 0.0);
            account.forceCloseLine = a.value("forceCloseLine", 0.0);
            account.bonusPoint = a.value("bonusPoint", -1.0);
            if(accounts.count(account.key))
                throw std::runtime_error("account key " + std::to_string(account.key) + " used twice");
            user.accountKeys.push_back(account.key);
            accounts[account.key] = account;
        }
        if(users.count(user.userId) || FindUser(user.login))
            throw std::runtime_error("user " + user.login + " defined twice");
        users[user.userId] = user;
    }
    for(const auto& j : s.at("symbols")) {
        SimSymbol sym;
        sym.id = j.at("id").get<int>();
        sym.code = j.at("code").get<std::string>();
        sym.name = j.value("name", sym.code);
        sym.marketId = j.at("marketId").get<int>();
        sym.marketName = j.value("marketName", std::string());
        sym.marketType = CharOf(j, "marketType", '1');
        sym.currency = j.at("currency").get<std::string>();
        sym.digits = j.value("digits", 2);
        sym.askSpread = j.value("askSpread", 0);
        sym.bidSpread = j.value("bidSpread", 0);
        // Every other market opens and closes at the last price, as a
        // client values its holds: a spread there is one no trade applies.
        if(sym.marketType != '1' && (sym.askSpread != 0 || sym.bidSpread != 0))
            throw std::runtime_error("symbol " + sym.code + ": only market type '1' has spreads");
        sym.contractSize = j.value("contractSize", 1);
        sym.maxHold = j.value("maxHold", 1000);
        sym.maxOrder = j.value("maxOrder", 100);
        sym.marginType = CharOf(j, "marginType", '2');
        sym.buyMargin = j.value("buyMargin", 0.1);
        sym.sellMargin = j.value("sellMargin", 0.1);
        sym.chargeRate = j.value("chargeRate", 0.0);
        sym.last = sym.open = sym.high = sym.low = j.at("price").get<double>();
        sym.settlement = j.value("settlement", sym.last);
        sym.stepPoints = j.value("stepPoints", 1);
        if(sym.last <= 0 || sym.contractSize <= 0)
            throw std::runtime_error("symbol " + sym.code + " needs a positive price and contract size");
        symbols[sym.id] = sym;
    }
    // An account's market type is its market's, unless the scenario says.
    for(auto& [key, account] : accounts) {
        if(account.marketType)
            continue;
        account.marketType = '1';
        for(const auto& [id, sym] : symbols)
            if(sym.marketId == account.marketId) {
                account.marketType = sym.marketType;
                break;
            }
    }
    for(const auto& j : s.value("holds", json::array())) {
        SimHold h;
        h.code = j.at("code").get<std::string>();
        h.accountKey = j.at("account").get<int>();
        h.symbolId = j.at("symbol").get<int>();
        h.side = CharOf(j, "side", 'b');
        h.quantity = j.at("quantity").get<double>();
        h.openPrice = j.at("price").get<double>();
        h.holdPrice = j.value("holdPrice", h.openPrice);
        h.stopLoss = j.value("stopLoss", 0.0);
        h.takeProfit = j.value("takeProfit", 0.0);
        h.openTimeMs = TimeOf(j, "openTime");
        SimAccount* account = FindAccount(h.accountKey);
        SimSymbol* sym = FindSymbol(h.symbolId);
        if(!account || !sym)
            throw std::runtime_error("hold " + h.code + " names an unknown account or symbol");
        h.margin = Margin(*sym, *account, h.side, h.openPrice, h.quantity);
        h.chargeOpen = j.value("chargeOpen", Charge(*sym, *account, h.openPrice, h.quantity));
        holds[h.code] = h;
    }
    for(const auto& j : s.value("closeBills", json::array())) {
        SimCloseBill c;
        c.code = j.at("code").get<std::string>();
        c.codeRe = j.value("codeRe", std::string());
        c.accountKey = j.at("account").get<int>();
        c.symbolId = j.at("symbol").get<int>();
        c.side = CharOf(j, "side", 's');
        c.closeType = CharOf(j, "closeType", '1');
        c.quantity = j.at("quantity").get<double>();
        c.openPrice = j.at("openPrice").get<double>();
        c.holdPrice = j.value("holdPrice", c.openPrice);
        c.closePrice = j.at("closePrice").get<double>();
        c.profit = j.value("profit", 0.0);
        c.chargeOpen = j.value("chargeOpen", 0.0);
        c.chargeClose = j.value("chargeClose", 0.0);
        c.openTimeMs = TimeOf(j, "openTime");
        c.closeTimeMs = TimeOf(j, "closeTime");
        closeBills.push_back(c);
    }
    for(const auto& j : s.value("limits", json::array())) {
        SimLimit l;
        l.code = j.at("code").get<std::string>();
        l.accountKey = j.at("account").get<int>();
        l.symbolId = j.at("symbol").get<int>();
        l.side = CharOf(j, "side", 'b');
        l.limitType = CharOf(j, "type", '1');
        l.price = j.at("price").get<double>();
        l.quantity = j.at("quantity").get<double>();
        l.stopLoss = j.value("stopLoss", 0.0);
        l.takeProfit = j.value("takeProfit", 0.0);
        l.validDateType = CharOf(j, "validDateType", '1');
        l.openTimeMs = TimeOf(j, "openTime");
        SimAccount* account = FindAccount(l.accountKey);
        SimSymbol* sym = FindSymbol(l.symbolId);
        if(!account || !sym)
            throw std::runtime_error("limit " + l.code + " names an unknown account or symbol");
        l.frozen =
            Margin(*sym, *account, l.side, l.price, l.quantity) + Charge(*sym, *account, l.price, l.quantity);
        limits[l.code] = l;
    }
    for(const auto& j : s.value("moneyMoves", json::array())) {
        SimMoneyMove m;
        m.id = j.at("id").get<int>();
        m.accountKey = j.at("account").get<int>();
        m.type = CharOf(j, "type", '1');
        m.approveState = CharOf(j, "approveState", '3');
        m.amount = j.at("amount").get<double>();
        m.remark = j.value("remark", std::string());
        m.serialCode = j.value("serialCode", std::string());
        m.changeTimeMs = TimeOf(j, "changeTime");
        m.confirmTimeMs = TimeOf(j, "confirmTime");
        moneyMoves[m.id] = m;
        m_lastMoneyId = std::max(m_lastMoneyId, m.id);
    }
    for(const auto& j : s.value("sysPayPorts", json::array())) {
        SimSysPayPort p;
        p.id = j.at("id").get<int>();
        p.code = j.at("code").get<std::string>();
        p.shortName = j.value("shortName", p.code);
        p.bankName = j.value("bankName", p.code);
        p.currency = j.value("currency", std::string());
        p.bankPassword = j.value("bankPassword", false);
        p.channelName = j.value("channelName", p.bankName);
        p.completeFlag = CharOf(j, "completeFlag", '0');
        sysPayPorts.push_back(p);
    }
    for(const auto& j : s.value("userPayPorts", json::array())) {
        SimUserPayPort p;
        p.userId = j.at("userId").get<int>();
        p.sysPayPortId = j.at("sysPayPortId").get<int>();
        p.key = j.value("key", static_cast<int64_t>(p.sysPayPortId));
        p.bankCard = j.value("bankCard", std::string());
        p.identityNumber = j.value("identityNumber", std::string());
        p.accountName = j.value("accountName", std::string());
        p.currency = j.value("currency", std::string());
        p.identityType = CharOf(j, "identityType", '1');
        p.registState = CharOf(j, "registState", '2');
        p.seatSuffix = j.value("seatSuffix", std::string());
        userPayPorts.push_back(p);
    }
    for(const auto& j : s.value("bulletins", json::array()))
        AddBulletin(ReadBulletin(j, j.is_object() ? j.value("user", std::string()) : std::string(), nowMs));
    HistorySeed seed(*this, nowMs);
    for(const auto& h : s.value("history", json::array()))
        seed.Generate(h);
    seed.OpenCashLedger();
}

SimBulletin MarketState::ReadBulletin(const json& j, const std::string& login, int64_t nowMs) const
{
    if(!j.is_object())
        throw std::runtime_error("a bulletin is a JSON object");
    SimBulletin b;
    if(!login.empty()) {
        const SimUser* user = FindUser(login);
        if(!user)
            throw std::runtime_error("bulletin for the unknown user " + login);
        b.userId = user->userId;
    }
    b.title = j.value("title", std::string());
    b.content = j.value("content", std::string());
    b.from = j.value("from", std::string());
    b.dateMs = nowMs / 1000 * 1000;
    if(j.contains("date")) {
        const std::string date = j.at("date").get<std::string>();
        b.dateMs = SimClock::ParseDashedDateTime(date);
        if(b.dateMs < 0)
            b.dateMs = SimClock::ParseDateTime(date);
        if(b.dateMs < 0)
            throw std::runtime_error("bulletin \"date\" must be YYYY-MM-DD HH:MM:SS or YYYYMMDDTHHMMSS");
    }
    if(j.contains("bulletinId")) {
        // A number, or its decimal text as the service sends it.
        const json& id = j.at("bulletinId");
        const std::string text = id.is_string() ? id.get<std::string>() : id.dump();
        std::size_t used = 0;
        try {
            b.id = std::stoll(text, &used);
        } catch(const std::exception&) {
            used = 0;
        }
        if(used == 0 || used != text.size() || b.id <= 0)
            throw std::runtime_error("bulletin \"bulletinId\" must be a positive whole number");
    }
    if(j.value("is_read", false)) {
        if(b.userId != 0)
            b.readBy.insert(b.userId);
        else
            for(const auto& [id, user] : users)
                b.readBy.insert(id);
    }
    return b;
}

int64_t MarketState::AddBulletin(SimBulletin bulletin)
{
    if(bulletin.id == 0)
        bulletin.id = m_lastBulletinId + 1;
    for(const auto& held : bulletins)
        if(held.id == bulletin.id)
            throw std::runtime_error("bulletinId " + std::to_string(bulletin.id) + " used twice");
    m_lastBulletinId = std::max(m_lastBulletinId, bulletin.id);
    bulletins.push_back(std::move(bulletin));
    return bulletins.back().id;
}

void MarketState::ChangeBalance(SimAccount& account, double change, char type, const std::string& ref,
                                int64_t nowMs)
{
    if(RoundCents(change) == 0)
        return;
    SimCashEntry entry;
    entry.serial = ++m_lastCashSerial;
    entry.accountKey = account.key;
    entry.type = type;
    entry.before = account.balance;
    account.balance = RoundCents(account.balance + change);
    entry.after = account.balance;
    entry.change = RoundCents(entry.after - entry.before);
    entry.timeMs = nowMs;
    entry.ref = ref;
    cashLedger.push_back(entry);
}

void MarketState::FinishLimit(const SimLimit& limit, char finish, double quantityComplete, int64_t nowMs)
{
    SimLimit done = limit;
    done.finish = finish;
    done.quantityComplete = quantityComplete;
    done.finishTimeMs = nowMs;
    finishedLimits.push_back(done);
}

const SimUser* MarketState::FindUser(const std::string& login) const
{
    for(const auto& [id, user] : users)
        if(user.login == login)
            return &user;
    return nullptr;
}

const SimUser* MarketState::FindUserById(int userId) const
{
    auto it = users.find(userId);
    return it == users.end() ? nullptr : &it->second;
}

SimAccount* MarketState::FindAccount(int key)
{
    auto it = accounts.find(key);
    return it == accounts.end() ? nullptr : &it->second;
}

SimSymbol* MarketState::FindSymbol(int id)
{
    auto it = symbols.find(id);
    return it == symbols.end() ? nullptr : &it->second;
}

SimAccount* MarketState::AccountForSymbol(int userId, const SimSymbol& symbol)
{
    for(auto& [key, account] : accounts)
        if(account.userId == userId && account.marketId == symbol.marketId)
            return &account;
    return nullptr;
}

double MarketState::Bid(const SimSymbol& s) const
{
    return s.last - PointsToPrice(s.bidSpread, s.digits);
}

double MarketState::Ask(const SimSymbol& s) const
{
    return s.last + PointsToPrice(s.askSpread, s.digits);
}

double MarketState::OpenPrice(const SimSymbol& s, char side) const
{
    if(s.marketType != '1')
        return s.last;
    return side == 'b' ? Ask(s) : Bid(s);
}

double MarketState::ClosePrice(const SimSymbol& s, char holdSide) const
{
    if(s.marketType != '1')
        return s.last;
    return holdSide == 'b' ? Bid(s) : Ask(s);
}

double MarketState::ExchangeRate(const std::string& from, const std::string& to) const
{
    for(const auto& r : rates)
        if(r.from == from && r.to == to)
            return r.rate;
    return from == to ? 1.0 : 0.0;
}

double MarketState::HoldProfit(const SimHold& hold) const
{
    auto sit = symbols.find(hold.symbolId);
    auto ait = accounts.find(hold.accountKey);
    if(sit == symbols.end() || ait == accounts.end() || sit->second.last == 0)
        return 0.0;
    const SimSymbol& s = sit->second;
    const double rate = ExchangeRate(s.currency, ait->second.currency);
    return ProfitPoints(hold.side, hold.holdPrice, ClosePrice(s, hold.side), s.contractSize * hold.quantity,
                        rate);
}

double MarketState::FloatingProfit(int accountKey) const
{
    double sum = 0;
    for(const auto& [code, hold] : holds)
        if(hold.accountKey == accountKey)
            sum += HoldProfit(hold);
    return sum;
}

double MarketState::MarginUsed(int accountKey) const
{
    double sum = 0;
    for(const auto& [code, hold] : holds)
        if(hold.accountKey == accountKey)
            sum += hold.margin;
    return RoundCents(sum);
}

double MarketState::MarginFreezed(int accountKey) const
{
    double sum = 0;
    for(const auto& [code, limit] : limits)
        if(limit.accountKey == accountKey)
            sum += limit.frozen;
    return RoundCents(sum);
}

double MarketState::NetValue(int accountKey) const
{
    auto it = accounts.find(accountKey);
    return it == accounts.end() ? 0.0 : it->second.balance + FloatingProfit(accountKey);
}

double MarketState::FreeMargin(int accountKey) const
{
    return NetValue(accountKey) - MarginUsed(accountKey) - MarginFreezed(accountKey);
}

double MarketState::Withdrawable(int accountKey) const
{
    auto it = accounts.find(accountKey);
    if(it == accounts.end())
        return 0.0;
    return std::max(0.0, RoundCents(it->second.balance - MarginUsed(accountKey) - MarginFreezed(accountKey)));
}

double MarketState::AvailableCash(int accountKey) const
{
    // The floating profit as the rows carry it, so the figure agrees to the
    // cent with what a client adds up from the rows.
    const double loss = std::min(0.0, RoundCents(FloatingProfit(accountKey)));
    return std::max(0.0, RoundCents(Withdrawable(accountKey) + loss));
}

double MarketState::WithdrawLimit(int accountKey) const
{
    auto it = accounts.find(accountKey);
    if(it == accounts.end())
        return 0.0;
    const char kind = it->second.accountClass;
    return kind == '1' || kind == '2' ? AvailableCash(accountKey) : Withdrawable(accountKey);
}

double MarketState::Margin(const SimSymbol& s, const SimAccount& account, char side, double price,
                           double quantity) const
{
    const double sideRate = side == 'b' ? s.buyMargin : s.sellMargin;
    return OrderMargin(s.marginType, sideRate, price, quantity, s.contractSize,
                       ExchangeRate(s.currency, account.currency));
}

double MarketState::Charge(const SimSymbol& s, const SimAccount& account, double price, double quantity) const
{
    return RoundCents(price * quantity * s.contractSize * s.chargeRate *
                      ExchangeRate(s.currency, account.currency));
}

std::string MarketState::NextCode(char prefix)
{
    char text[16];
    std::snprintf(text, sizeof text, "%c%09u", prefix, ++m_lastCode);
    return text;
}

} // namespace simmarket
