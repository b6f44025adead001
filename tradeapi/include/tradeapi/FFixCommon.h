#pragma once
// Session structures: the result of every answer, the login request and answer,
// and the small query requests that carry only ids.
#include "tradeapi/FFixLayout.h"

// Result of every answer; errorId 0 is success, errorMsg is UTF-8.
struct sFFixRspInfo
{
    int32_t errorId;
    char errorMsg[68];
};
FFIX_SIZE(sFFixRspInfo, 72);
FFIX_AT(sFFixRspInfo, errorMsg, 4);

// Login request of both fronts; always sent with request id 1.
struct sFFixReqUserLogin
{
    char loginName[33];
    char password[25];
    char reserved1[9];
    char localIp[25];
    char reserved2[588];
};
FFIX_SIZE(sFFixReqUserLogin, 680);
FFIX_AT(sFFixReqUserLogin, password, 33);
FFIX_AT(sFFixReqUserLogin, localIp, 67);
FFIX_AT(sFFixReqUserLogin, reserved2, 92);

// Login answer: trading day "%Y%m%d", server time "%H%M%S", user name UTF-8.
struct sFFixRspUserLogin
{
    char loginAccount[33];
    char tradingDay[9];
    char serverTime[10];
    int32_t userId;
    char userName[52];
};
FFIX_SIZE(sFFixRspUserLogin, 108);
FFIX_AT(sFFixRspUserLogin, tradingDay, 33);
FFIX_AT(sFFixRspUserLogin, serverTime, 42);
FFIX_AT(sFFixRspUserLogin, userId, 52);
FFIX_AT(sFFixRspUserLogin, userName, 56);

// Pushed when the user logged in elsewhere (code 1005); also the "query by
// user" request of every per-user query.
struct sFFixUserId
{
    int32_t userId;
};
FFIX_SIZE(sFFixUserId, 4);

// Binary-order query: user id, then 0.
struct sFFixQryBinaryOrder
{
    int32_t userId;
    int32_t reserved;
};
FFIX_SIZE(sFFixQryBinaryOrder, 8);

// Binary-contract query: two zero ints (all contracts).
struct sFFixQryBinaryContract
{
    int32_t reserved1;
    int32_t reserved2;
};
FFIX_SIZE(sFFixQryBinaryContract, 8);

// Price-level query: the key of the wanted price-level row.
struct sFFixQryPriceReport
{
    int32_t priceLevelId;
};
FFIX_SIZE(sFFixQryPriceReport, 4);

// One entry of the market-data subscription request.
struct sFFixSubscribeEntry
{
    int32_t symbolId;
    int32_t mode; // the plug-in always sends 2
};
FFIX_SIZE(sFFixSubscribeEntry, 8);
FFIX_AT(sFFixSubscribeEntry, mode, 4);
