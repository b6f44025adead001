// The built-in demo market. A scenario file has the same form; every key
// besides "users" and "symbols" may be left out. Times are "YYYYMMDDTHHMMSS"
// in local time; one-character codes ("side", "type", "riskKind" ...) are
// strings of one character. Keys:
//   pricePushesPerSecond, tradingDay ("YYYYMMDD", default the clock's date),
//   rates [{from, to, rate}],
//   users [{userId, login, password, moneyPassword, name, mustChangePassword,
//           accounts [{key, name, currency, marketId, marketName, riskKind,
//                      accountClass ('1' or '2': settlement kinds with an
//                      account summary; default '1'), marketType (default:
//                      that of the account's market), accountState ('1'
//                      main account of its currency), accStatus, balance,
//                      suretyMoney, warningLine, forceCloseLine,
//                      bonusPoint}]}],
//   symbols [{id, code, name, marketId, marketName, marketType, currency,
//             digits, askSpread, bidSpread, contractSize, maxHold, maxOrder,
//             marginType, buyMargin, sellMargin, chargeRate, price,
//             settlement, stepPoints}],
//   holds [{code, account, symbol, side, quantity, price, holdPrice,
//           stopLoss, takeProfit, openTime, chargeOpen}],
//   closeBills [{code, codeRe, account, symbol, side, closeType, quantity,
//                openPrice, holdPrice, closePrice, profit, chargeOpen,
//                chargeClose, openTime, closeTime}],
//   limits [{code, account, symbol, side, type ('1' limit, '2' stop,
//            '3' limit open), price, quantity, stopLoss, takeProfit,
//            validDateType, openTime}],
//   moneyMoves [{id, account, type, approveState, amount, remark,
//                serialCode, changeTime, confirmTime}],
//   sysPayPorts [{id, code, shortName, bankName, currency, bankPassword,
//                 channelName (default the bank name), completeFlag ('1': the
//                 bank completes a registration later)}],
//   userPayPorts [{userId, sysPayPortId, key, bankCard, identityNumber,
//                  identityType ('1'..'6'), registState ('1' not
//                  registered), seatSuffix, accountName, currency}],
//   users[].bankPassword (checked for pay ports that ask for it),
//   moneyStepMs (market time between the states of a deposit or withdrawal,
//                0: only /admin/inout moves them), riskRepeatMs,
//   binaryContracts [{no, symbol, periodCount, periodUnit ('1' s, '2' min,
//                     '3' h), profitRate, chargeRate, minAmount, maxAmount,
//                     step, state}],
//   symbolInventories [{sn, symbol, inventoryId, vendorId, vendorName,
//                       quantity, available, price, stockInTime}],
//   userInventories [{account, storeId, symbol, quantity, used, name}],
//   deliverySymbols [symbol ids], deliveryDelayMs, deliveryStoreId,
//   history [{account, days, closeBills, finishedLimits, moneyMoves}]: that
//     many past rows generated over the days before today (HistorySeed);
//     they are kept for the reports and /admin/state and are not in the
//     trading day's queries, which answer the rows listed above.
//   bulletins [{user (login; missing: every user), title, content (lines
//               separated by "\n"), from, date ("YYYY-MM-DD HH:MM:SS" or
//               "YYYYMMDDTHHMMSS", default the clock's now), bulletinId
//               (default the next free id), is_read (already read by its
//               users)}]: the bulletin service (BulletinService.h); the
//               admin API adds bulletins in the same form.
// The cash log starts with an opening balance that every dated change of the
// scenario (charges, profits, money movements) leads to the given balances.
// Binary options settle when the market clock reaches their expiry, on the
// symbol's last price against the order's open price: a win returns the
// amount plus amount x profitRate - charge (profit = amount x profitRate -
// charge), a loss keeps the amount (profit = -amount), a draw returns the
// amount (profit 0); charge = chargeRate x amount. Details beside each
// service: MoneyService, BinaryOptionService, RiskService, DeliveryService,
// GoodsService, PriceLevelService.
// A user's symbols are those of the markets where the user has an account;
// unknown logins fail with 20, wrong passwords with 21.
#include "MarketState.h"

namespace simmarket {

const char* DefaultScenarioText()
{
    return R"json({
  "pricePushesPerSecond": 2.0,
  "rates": [
    {"from": "USD", "to": "CNY", "rate": 7.1},
    {"from": "CNY", "to": "USD", "rate": 0.1408}
  ],
  "users": [
    {"userId": 1001, "login": "demo", "password": "demo123", "moneyPassword": "666666",
     "name": "演示用户", "bankPassword": "135790",
     "accounts": [
       {"key": 11, "name": "A11", "currency": "CNY", "marketId": 1, "marketName": "现货一部",
        "riskKind": "1", "accountClass": "1", "accountState": "1", "balance": 200000.0,
        "warningLine": 0.8, "forceCloseLine": 0.95, "bonusPoint": 120.0},
       {"key": 12, "name": "A12", "currency": "CNY", "marketId": 2, "marketName": "撮合二部",
        "riskKind": "1", "accountClass": "2", "accountState": "2", "balance": 80000.0,
        "warningLine": 0.8, "forceCloseLine": 0.95},
       {"key": 13, "name": "A13", "currency": "USD", "marketId": 3, "marketName": "Energy",
        "riskKind": "2", "accountClass": "1", "accountState": "1", "balance": 30000.0,
        "warningLine": 1.5, "forceCloseLine": 1.1},
       {"key": 14, "name": "A14", "currency": "USD", "marketId": 4, "marketName": "FX",
        "riskKind": "3", "accountClass": "3", "accountState": "2", "balance": 20000.0, "suretyMoney": 5000.0,
        "warningLine": 0.5, "forceCloseLine": 0.2}
     ]},
    {"userId": 1002, "login": "second", "password": "second1", "moneyPassword": "222222",
     "name": "Second Trader",
     "accounts": [
       {"key": 21, "name": "B21", "currency": "CNY", "marketId": 1, "marketName": "现货一部",
        "riskKind": "1", "accountClass": "1", "accountState": "1", "balance": 50000.0}
     ]},
    {"userId": 1003, "login": "changer", "password": "changer1", "moneyPassword": "333333",
     "name": "Must Change", "mustChangePassword": true,
     "accounts": [
       {"key": 31, "name": "C31", "currency": "CNY", "marketId": 1, "marketName": "现货一部",
        "riskKind": "1", "accountClass": "2", "accountState": "1", "balance": 10000.0}
     ]}
  ],
  "symbols": [
    {"id": 101, "code": "AG", "name": "白银", "marketId": 1, "marketName": "现货一部", "marketType": "1",
     "currency": "CNY", "digits": 0, "askSpread": 2, "bidSpread": 2, "contractSize": 15, "maxHold": 500,
     "maxOrder": 50, "marginType": "2", "buyMargin": 0.08, "sellMargin": 0.08, "chargeRate": 0.0006,
     "price": 5000, "stepPoints": 3},
    {"id": 102, "code": "PT", "name": "铂金", "marketId": 1, "marketName": "现货一部", "marketType": "1",
     "currency": "CNY", "digits": 2, "askSpread": 30, "bidSpread": 30, "contractSize": 1, "maxHold": 200,
     "maxOrder": 20, "marginType": "2", "buyMargin": 0.1, "sellMargin": 0.1, "chargeRate": 0.0008,
     "price": 380.5, "stepPoints": 10},
    {"id": 201, "code": "CU", "name": "电解铜", "marketId": 2, "marketName": "撮合二部", "marketType": "2",
     "currency": "CNY", "digits": 1, "askSpread": 0, "bidSpread": 0, "contractSize": 5, "maxHold": 100,
     "maxOrder": 10, "marginType": "1", "buyMargin": 3000, "sellMargin": 3000, "chargeRate": 0.0005,
     "price": 68500.0, "stepPoints": 20},
    {"id": 301, "code": "OIL", "name": "Crude Oil", "marketId": 3, "marketName": "Energy", "marketType": "3",
     "currency": "USD", "digits": 3, "askSpread": 0, "bidSpread": 0, "contractSize": 100, "maxHold": 300,
     "maxOrder": 30, "marginType": "2", "buyMargin": 0.05, "sellMargin": 0.05, "chargeRate": 0.0003,
     "price": 72.125, "stepPoints": 15},
    {"id": 401, "code": "EURUSD", "name": "Euro", "marketId": 4, "marketName": "FX", "marketType": "4",
     "currency": "USD", "digits": 5, "askSpread": 0, "bidSpread": 0, "contractSize": 1000, "maxHold": 100,
     "maxOrder": 10, "marginType": "4", "buyMargin": 0.02, "sellMargin": 0.02, "chargeRate": 0.0,
     "price": 1.08345, "stepPoints": 8}
  ],
  "holds": [
    {"code": "H0001", "account": 11, "symbol": 101, "side": "b", "quantity": 2, "price": 4980,
     "openTime": "20261207T101500"},
    {"code": "H0002", "account": 13, "symbol": 301, "side": "s", "quantity": 10, "price": 73.0,
     "stopLoss": 75.0, "openTime": "20261207T113000"}
  ],
  "closeBills": [
    {"code": "C0001", "codeRe": "H0000", "account": 11, "symbol": 101, "side": "s", "quantity": 1,
     "openPrice": 4950, "closePrice": 4990, "profit": 600.0, "chargeOpen": 44.55, "chargeClose": 44.91,
     "openTime": "20261207T093000", "closeTime": "20261207T140000"}
  ],
  "limits": [
    {"code": "L0001", "account": 11, "symbol": 101, "side": "b", "type": "1", "price": 4800, "quantity": 1,
     "openTime": "20261208T090500"}
  ],
  "moneyMoves": [
    {"id": 501, "account": 11, "type": "1", "approveState": "3", "amount": 50000.0,
     "serialCode": "IN501", "changeTime": "20261206T100000", "confirmTime": "20261206T100500"},
    {"id": 502, "account": 11, "type": "2", "approveState": "1", "amount": 2000.0,
     "serialCode": "OUT502", "changeTime": "20261208T083000"}
  ],
  "sysPayPorts": [
    {"id": 1, "code": "Ostrel", "shortName": "OST", "bankName": "奥斯特银行", "currency": "CNY",
     "bankPassword": true, "channelName": "银企直联", "completeFlag": "0"},
    {"id": 2, "code": "Bankfor", "shortName": "BKF", "bankName": "Bankfor Bank", "currency": "USD",
     "channelName": "Bankfor Direct", "completeFlag": "0"},
    {"id": 3, "code": "Veluna", "shortName": "VLN", "bankName": "维露纳银行", "currency": "CNY",
     "channelName": "第三方存管", "completeFlag": "1"}
  ],
  "moneyStepMs": 5000,
  "riskRepeatMs": 60000,
  "binaryContracts": [
    {"no": 9001, "symbol": 401, "periodCount": 60, "periodUnit": "1", "profitRate": 0.8, "chargeRate": 0.02,
     "minAmount": 10, "maxAmount": 5000, "step": 10, "state": "2"},
    {"no": 9002, "symbol": 401, "periodCount": 5, "periodUnit": "2", "profitRate": 0.85, "chargeRate": 0.02,
     "minAmount": 10, "maxAmount": 5000, "step": 10, "state": "2"}
  ],
  "symbolInventories": [
    {"sn": "INV-AG-01", "symbol": 101, "inventoryId": 71, "vendorId": 801, "vendorName": "华北银业",
     "quantity": 100, "available": 80, "price": 5000, "stockInTime": "20261201T090000"},
    {"sn": "INV-PT-01", "symbol": 102, "inventoryId": 72, "vendorId": 802, "vendorName": "Platinum Supply",
     "quantity": 40, "price": 380.5, "stockInTime": "20261202T090000"}
  ],
  "userInventories": [
    {"account": 11, "storeId": 1, "symbol": 101, "quantity": 3, "used": 0, "name": "白银"}
  ],
  "deliverySymbols": [101, 102],
  "deliveryDelayMs": 10000,
  "deliveryStoreId": 1,
  "history": [
    {"account": 11, "days": 12, "closeBills": 36, "finishedLimits": 24, "moneyMoves": 24}
  ],
  "bulletins": [
    {"title": "交易时间调整通知", "from": "交易所", "date": "2026-12-01 09:00:00", "bulletinId": 1,
     "content": "各位交易商：\n自12月2日起，夜盘交易时间调整为21:00至次日02:30。\n请合理安排交易。"},
    {"title": "系统维护公告", "from": "技术部", "date": "2026-12-05 18:00:00", "bulletinId": 2,
     "content": "本周六08:00至12:00进行系统维护。\n维护期间暂停出入金及交易。\n给您带来不便，敬请谅解。"},
    {"user": "demo", "title": "交易时间调整通知", "from": "交易所", "date": "2026-12-07 08:30:00",
     "bulletinId": 3,
     "content": "各位交易商：\n元旦假期休市安排：1月1日至1月3日休市。\n1月4日夜盘起恢复交易。"}
  ],
  "userPayPorts": [
    {"userId": 1001, "sysPayPortId": 1, "key": 4294967297, "bankCard": "6222020000001234",
     "identityNumber": "110101199001011234", "identityType": "1", "registState": "2", "seatSuffix": "01",
     "accountName": "演示用户", "currency": "CNY"}
  ]
})json";
}

} // namespace simmarket
