#pragma once
// The records the simulated market keeps. Money fields are in the account's
// currency; margins and frozen amounts are summed from holds and limits.
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace simmarket {

struct SimUser
{
    int userId = 0;
    std::string login;
    std::string password;
    std::string moneyPassword;
    std::string name; // UTF-8
    bool mustChangePassword = false;
    std::vector<int> accountKeys;
};

struct SimAccount
{
    int key = 0;
    int userId = 0;
    std::string name;
    std::string currency;
    int marketId = 0;
    std::string marketName;
    char riskKind = '1';
    char accountClass = '1'; // settlement kind: '1', '2' or another
    char marketType = '1';   // of the account's market
    char accountState = '2'; // '1' main account of its currency
    char accStatus = '1';
    double balance = 0; // marginRemain
    double dailyCharge = 0;
    double profitClose = 0;
    double suretyMoney = 0;
    double warningLine = 0;
    double forceCloseLine = 0;
    double lastDelayCharge = 0;
    double bonusPoint = -1; // below 0: the account has no bonus row
};

struct SimSymbol
{
    int id = 0;
    std::string code;
    std::string name; // UTF-8
    int marketId = 0;
    std::string marketName;
    char marketType = '1';
    std::string currency;
    int digits = 2;
    int askSpread = 0;
    int bidSpread = 0;
    int contractSize = 1;
    int maxHold = 1000;
    int maxOrder = 100;
    char marginType = '2';
    double buyMargin = 0.1;
    double sellMargin = 0.1;
    double chargeRate = 0.0;
    double last = 0;
    double open = 0;
    double high = 0;
    double low = 0;
    double settlement = 0;
    int stepPoints = 1; // largest move of one walk step, in points
};

struct SimHold
{
    std::string code;
    int accountKey = 0;
    int symbolId = 0;
    char side = 'b';
    double quantity = 0;
    double openPrice = 0;
    double holdPrice = 0;
    double stopLoss = 0;
    double takeProfit = 0;
    double chargeOpen = 0;
    double margin = 0;
    int64_t openTimeMs = 0;
    bool deliveryApplied = false; // an application for delivery is pending
};

struct SimCloseBill
{
    std::string code;
    std::string codeRe;
    int accountKey = 0;
    int symbolId = 0;
    char side = 's'; // direction of the closing trade
    char closeType = '1';
    double quantity = 0;
    double openPrice = 0;
    double holdPrice = 0;
    double closePrice = 0;
    double profit = 0;
    double chargeOpen = 0;
    double chargeClose = 0;
    int64_t openTimeMs = 0;
    int64_t closeTimeMs = 0;
    bool history = false; // kept for the reports only, not in the day's queries
};

struct SimLimit
{
    std::string code;
    int accountKey = 0;
    int symbolId = 0;
    char side = 'b';
    char limitType = '1'; // '1' limit, '2' stop, '3' limit open
    double price = 0;
    double quantity = 0;
    double stopLoss = 0;
    double takeProfit = 0;
    double frozen = 0;
    char validDateType = '1';
    int64_t openTimeMs = 0;
    // Once finished (kept for history): how and when.
    char finish = 0; // 'F' filled, 'C' cancelled
    double quantityComplete = 0;
    int64_t finishTimeMs = 0;
};

struct SimMoneyMove
{
    int id = 0;
    int accountKey = 0;
    char type = '1'; // '1' in, '2' out
    char approveState = '1';
    double amount = 0;
    std::string remark; // UTF-8
    std::string serialCode;
    int64_t changeTimeMs = 0;
    int64_t confirmTimeMs = 0;
    bool history = false; // kept for the reports only, not in the day's queries
};

// One change of an account's balance (the cash log). Types are the client's
// amount-type codes: '1' deposit, '2' withdrawal, '3' adjustment (opening
// balance, goods financing), '4' open charge, '5' close charge, '6' close
// profit, 'B' binary-option amount paid, 'C' binary-option money back,
// 'G' delivery charge, 'H' delivery payment, 'I' withdrawal given back,
// 'M' transfer in, 'N' transfer out.
struct SimCashEntry
{
    int64_t serial = 0;
    int accountKey = 0;
    char type = '3';
    double change = 0;
    double before = 0;
    double after = 0;
    int64_t timeMs = 0;
    std::string ref; // order code, movement id or other account
};

struct SimRate
{
    std::string from;
    std::string to;
    double rate = 1.0;
};

struct SimSysPayPort
{
    int id = 0;
    std::string code;
    std::string shortName;
    std::string bankName; // UTF-8
    std::string currency;
    bool bankPassword = false;
    std::string channelName; // UTF-8
    char completeFlag = '0'; // '1': the bank completes a registration later
};

struct SimUserPayPort
{
    int userId = 0;
    int sysPayPortId = 0;
    int64_t key = 0;
    std::string bankCard;
    std::string identityNumber;
    std::string accountName; // UTF-8
    std::string currency;
    char identityType = '1';
    char registState = '2'; // '1' not registered (yet)
    std::string seatSuffix;
};

// One bulletin of the bulletin service, for one user or for every user.
struct SimBulletin
{
    int64_t id = 0;       // "bulletinId"
    int userId = 0;       // 0: every user
    std::string title;    // UTF-8
    std::string content;  // UTF-8, lines separated by "\n"
    std::string from;     // UTF-8
    int64_t dateMs = 0;   // whole seconds
    std::set<int> readBy; // users who have marked it read
};

} // namespace simmarket
