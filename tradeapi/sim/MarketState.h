#pragma once
// Everything the market knows: users, accounts, symbols and their quotes,
// bills, orders and money movements, with the arithmetic over them. Used only
// on the market's I/O thread.
#include "MarketModel.h"

#include <map>
#include <nlohmann/json.hpp>
#include <string>

namespace simmarket {

class MarketState
{
public:
    // Replaces everything with the scenario; throws std::exception with a
    // readable message on a malformed scenario. The generated history and the
    // cash log's opening lie before `nowMs` (0: the system clock).
    void Load(const nlohmann::json& scenario, int64_t nowMs = 0);

    const SimUser* FindUser(const std::string& login) const;
    const SimUser* FindUserById(int userId) const;
    SimAccount* FindAccount(int key);
    SimSymbol* FindSymbol(int id);
    // The user's account in the symbol's market, or null.
    SimAccount* AccountForSymbol(int userId, const SimSymbol& symbol);

    double Bid(const SimSymbol& symbol) const;
    double Ask(const SimSymbol& symbol) const;
    // Price a new order fills at, and the price a hold of holdSide closes at.
    double OpenPrice(const SimSymbol& symbol, char side) const;
    double ClosePrice(const SimSymbol& symbol, char holdSide) const;
    // Rate from one currency to another: 1 for the same currency, 0 unknown.
    double ExchangeRate(const std::string& from, const std::string& to) const;

    double HoldProfit(const SimHold& hold) const;
    double FloatingProfit(int accountKey) const;
    double MarginUsed(int accountKey) const;
    double MarginFreezed(int accountKey) const;
    double NetValue(int accountKey) const;
    double FreeMargin(int accountKey) const;
    // What the account rows carry as withdrawable: the balance less the
    // margin used and frozen, not below 0; the floating profit is left out.
    double Withdrawable(int accountKey) const;
    // Withdrawable with a floating loss taken off, not below 0: what may
    // leave by a transfer or be spent on goods, deliveries and options.
    double AvailableCash(int accountKey) const;
    // The most a withdrawal to the bank may take: AvailableCash for the
    // settlement kinds '1' and '2' (a floating loss reduces it), else
    // Withdrawable.
    double WithdrawLimit(int accountKey) const;
    double Margin(const SimSymbol& symbol, const SimAccount& account, char side, double price,
                  double quantity) const;
    double Charge(const SimSymbol& symbol, const SimAccount& account, double price, double quantity) const;

    // A fresh order code with the prefix, at most 15 characters.
    std::string NextCode(char prefix);
    int NextMoneyId() { return ++m_lastMoneyId; }

    // Every change of an account's balance goes through here, so the cash
    // log always ends at the balance; a change of less than a cent is none.
    void ChangeBalance(SimAccount& account, double change, char type, const std::string& ref, int64_t nowMs);
    // A bulletin from its JSON (the scenario's and the admin API's form, see
    // DefaultScenario.cpp); the date defaults to nowMs, the id to the next
    // free one. Throws std::exception with a readable message.
    SimBulletin ReadBulletin(const nlohmann::json& j, const std::string& login, int64_t nowMs) const;
    // Keeps the bulletin; returns its id.
    int64_t AddBulletin(SimBulletin bulletin);

    // Moves a waiting order to the finished ones ('F' filled, 'C' cancelled).
    void FinishLimit(const SimLimit& limit, char finish, double quantityComplete, int64_t nowMs);

    std::map<int, SimUser> users;           // by user id
    std::map<int, SimAccount> accounts;     // by account key
    std::map<int, SimSymbol> symbols;       // by symbol id
    std::map<std::string, SimHold> holds;   // by code; codes grow, so this is opening order
    std::map<std::string, SimLimit> limits; // waiting orders, by code
    std::vector<SimLimit> finishedLimits;   // in the order they finished
    std::vector<SimCloseBill> closeBills;
    std::map<int, SimMoneyMove> moneyMoves; // by id
    std::vector<SimRate> rates;
    std::vector<SimSysPayPort> sysPayPorts;
    std::vector<SimUserPayPort> userPayPorts;
    std::vector<SimCashEntry> cashLedger; // oldest first
    std::vector<SimBulletin> bulletins;   // in the order they came
    double pricePushesPerSecond = 2.0;
    std::string tradingDay; // empty: the clock's date

private:
    friend class HistorySeed;

    unsigned m_lastCode = 0;
    int m_lastMoneyId = 0;
    int64_t m_lastCashSerial = 0;
    int64_t m_lastBulletinId = 0;
};

// The demo market used when no scenario file is given.
const char* DefaultScenarioText();

} // namespace simmarket
